#pragma once
// A per-point list kept parallel to a series' values that costs no memory
// while every point holds the default (no colour of its own, no label): most
// series never give a point anything else. The first other value makes the
// list materialise with one entry per point.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"

namespace chart {

template <typename T>
class SparsePointList {
public:
    explicit SparsePointList(T defaultValue) : default_(std::move(defaultValue)) {}

    bool Materialised() const { return materialised_; }
    // Entries actually stored: 0 until the list materialises, then the count.
    std::size_t StoredCount() const { return items_.size(); }

    // The entry of point i of `count` points; the default when nothing is
    // stored or i lies outside.
    const T& Get(int32_t i) const {
        if (!materialised_ || i < 0 || static_cast<std::size_t>(i) >= items_.size()) return default_;
        return items_[static_cast<std::size_t>(i)];
    }

    // Stores v for point i; count is the number of points (i < count).
    void Set(int32_t i, T v, int32_t count) {
        if (!materialised_) {
            if (v == default_) return;
            Materialise(count);
        }
        items_[static_cast<std::size_t>(i)] = std::move(v);
    }

    // Allocates what inserting one entry may need, so that Insert cannot fail
    // half-way through a point. countBefore is the number of points before.
    void PrepareInsert(const T& v, int32_t countBefore) {
        if (!materialised_ && v == default_) return;
        if (!materialised_) Materialise(countBefore);
        Grow(items_.size() + 1);
    }

    // After PrepareInsert with the same v and count.
    void Insert(int32_t i, T v) {
        if (!materialised_) return;
        items_.insert(items_.begin() + i, std::move(v));
    }

    // Makes room for n more entries, so that AppendDefaults cannot fail.
    void Reserve(std::size_t n) {
        if (materialised_) Grow(items_.size() + n);
    }

    // Appends n default entries (a bulk add of plain points).
    void AppendDefaults(std::size_t n) {
        if (!materialised_) return;
        Grow(items_.size() + n);
        items_.resize(items_.size() + n, default_);
    }

    void Delete(int32_t i) {
        if (materialised_ && i >= 0 && static_cast<std::size_t>(i) < items_.size()) items_.erase(items_.begin() + i);
    }

    void Swap(int32_t a, int32_t b) {
        if (materialised_) std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
    }

    // Back to the unmaterialised state, memory released.
    void Clear() {
        std::vector<T>().swap(items_);
        materialised_ = false;
    }

    std::size_t HeapBytes() const { return items_.capacity() * sizeof(T); }
    const std::vector<T>& Items() const { return items_; }

private:
    void Grow(std::size_t needed) {
        if (needed <= items_.capacity()) return;
        try {
            items_.reserve(std::max(needed, items_.capacity() * 2));
        } catch (const std::bad_alloc&) {
            throw fw::EOutOfMemory();
        }
    }

    void Materialise(int32_t count) {
        std::vector<T> filled;
        try {
            filled.assign(static_cast<std::size_t>(count), default_);
        } catch (const std::bad_alloc&) {
            throw fw::EOutOfMemory();
        }
        items_.swap(filled);
        materialised_ = true;
    }

    T default_;
    std::vector<T> items_;
    bool materialised_ = false;
};

}  // namespace chart

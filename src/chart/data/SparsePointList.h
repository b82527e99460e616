#pragma once
// A per-point list kept parallel to a series' values that costs no memory
// while every point holds the same entry: most series never give a point
// anything but the default (no colour of its own, no label), and a program
// that passes one colour with every point it adds gives them all that one.
// The first point that differs makes the list materialise with one entry per
// point.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"

namespace chart {

template <typename T>
class SparsePointList {
public:
    explicit SparsePointList(T defaultValue) : default_(defaultValue), uniform_(std::move(defaultValue)) {}

    bool Materialised() const { return materialised_; }
    // Every point holds the default (also when there are none).
    bool AllDefault() const { return !materialised_ && (count_ == 0 || uniform_ == default_); }
    // Entries actually stored: 0 until the list materialises, then the count.
    std::size_t StoredCount() const { return items_.size(); }

    // The entry of point i; the default when i lies outside.
    const T& Get(int32_t i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= count_) return default_;
        return materialised_ ? items_[static_cast<std::size_t>(i)] : uniform_;
    }

    // Stores v for point i; count is the number of points (i < count).
    void Set(int32_t i, T v, int32_t count) {
        if (!materialised_) {
            if (v == uniform_) return;
            Materialise(count);
        }
        items_[static_cast<std::size_t>(i)] = std::move(v);
    }

    // Allocates what inserting one entry may need, so that Insert cannot fail
    // half-way through a point. countBefore is the number of points before.
    void PrepareInsert(const T& v, int32_t countBefore) {
        if (!materialised_ && (countBefore == 0 || v == uniform_)) return;
        if (!materialised_) Materialise(countBefore);
        Grow(items_.size() + 1);
    }

    // After PrepareInsert with the same v and count.
    void Insert(int32_t i, T v) {
        if (materialised_) {
            items_.insert(items_.begin() + i, std::move(v));
        } else if (count_ == 0) {
            uniform_ = std::move(v);
        }
        ++count_;
    }

    // Whether v can be appended without storing anything: every point,
    // of which there is one at least, already holds v.
    bool TakesWithoutStoring(const T& v) const { return !materialised_ && count_ > 0 && v == uniform_; }
    // Appends n times the entry every point holds, after TakesWithoutStoring.
    void AppendUniform(std::size_t n = 1) { count_ += n; }

    // Makes room for n more default entries, so that AppendDefaults cannot
    // fail.
    void Reserve(std::size_t n) {
        if (!materialised_ && count_ > 0 && uniform_ != default_) Materialise(static_cast<int32_t>(count_));
        if (materialised_) Grow(items_.size() + n);
    }

    // Appends n default entries (a bulk add of plain points), after Reserve(n).
    void AppendDefaults(std::size_t n) {
        if (materialised_) {
            items_.resize(items_.size() + n, default_);
        } else if (count_ == 0) {
            uniform_ = default_;
        }
        count_ += n;
    }

    void Delete(int32_t i) {
        if (i < 0 || static_cast<std::size_t>(i) >= count_) return;
        if (materialised_) items_.erase(items_.begin() + i);
        --count_;
    }

    void Swap(int32_t a, int32_t b) {
        if (materialised_) std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
    }

    // Every point back to the default, memory released; the points stay.
    void ResetToDefault() {
        std::vector<T>().swap(items_);
        materialised_ = false;
        uniform_ = default_;
    }

    // No points, memory released.
    void Clear() {
        ResetToDefault();
        count_ = 0;
    }

    std::size_t HeapBytes() const { return items_.capacity() * sizeof(T); }
    const std::vector<T>& Items() const { return items_; }

private:
    void Grow(std::size_t needed) {
        if (needed <= items_.capacity()) return;
        fw::MapOutOfMemory([&] { items_.reserve(std::max(needed, items_.capacity() * 2)); });
    }

    void Materialise(int32_t count) {
        items_ = fw::MapOutOfMemory([&] { return std::vector<T>(static_cast<std::size_t>(count), uniform_); });
        materialised_ = true;
    }

    T default_;
    T uniform_;  // every point's entry while not materialised
    std::vector<T> items_;
    std::size_t count_ = 0;
    bool materialised_ = false;
};

}  // namespace chart

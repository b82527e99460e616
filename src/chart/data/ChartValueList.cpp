#include "chart/data/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

#include "chart/base/ChartStrings.h"
#include "framework/core/Exceptions.h"

namespace chart {

TChartValueList* TChartValueLists::ValueList(int32_t index) const {
    if (index < 0 || index >= Count()) throw fw::EListError(ListIndexError(index));
    return lists_[static_cast<std::size_t>(index)];
}

void TChartValueLists::Remove(TChartValueList* list) {
    lists_.erase(std::remove(lists_.begin(), lists_.end(), list), lists_.end());
}

TChartValueList::TChartValueList(IValueListOwner& owner, std::string name)
    : owner_(owner), lists_(&owner.ValueLists()), name_(std::move(name)) {
    lists_->Add(this);
    ClearValues();
}

TChartValueList::~TChartValueList() { lists_->Remove(this); }

void TChartValueList::Assign(const TChartValueList& source) {
    order_ = source.order_;
    dateTime_ = source.dateTime_;
    if (multiplier_ != source.multiplier_) {
        multiplier_ = source.multiplier_;
        Changed();
    }
    valueSource_ = source.valueSource_;
}

void TChartValueList::CheckIndex(int32_t index, int32_t count) const {
    if (index < 0 || index >= count) throw fw::EListError(ListIndexError(index));
}

double TChartValueList::Value(int32_t index) const {
    CheckIndex(index, Count());
    return values_[static_cast<std::size_t>(index)] * multiplier_;
}

double TChartValueList::RawValue(int32_t index) const {
    CheckIndex(index, Count());
    return values_[static_cast<std::size_t>(index)];
}

void TChartValueList::SetValue(int32_t index, double v) {
    CheckIndex(index, Count());
    values_[static_cast<std::size_t>(index)] = v;
    Changed();
    owner_.NotifyValue(veModify, index);
}

void TChartValueList::Reserve(std::size_t capacity) {
    try {
        values_.reserve(capacity);
    } catch (const std::bad_alloc&) {
        throw fw::EOutOfMemory();
    } catch (const std::length_error&) {
        throw fw::EOutOfMemory();
    }
}

void TChartValueList::EnsureRoom(std::size_t n) {
    const std::size_t needed = values_.size() + n;
    if (needed <= values_.capacity()) return;
    Reserve(std::max(needed, values_.capacity() * 2));
}

int32_t TChartValueList::AddChartValue(double v) {
    EnsureRoom(1);
    const int32_t count = Count();
    int32_t index = count;
    // Comparisons are on raw values: the multiplier only scales reads. The
    // backward scan puts v after every value equal to it.
    if (count > 0 && order_ == loAscending && values_.back() > v) {
        int32_t t = count - 1;
        while (t >= 0 && values_[static_cast<std::size_t>(t)] > v) --t;
        index = t + 1;
    } else if (count > 0 && order_ == loDescending && values_.back() < v) {
        int32_t t = count - 1;
        while (t >= 0 && values_[static_cast<std::size_t>(t)] < v) --t;
        index = t + 1;
    }
    values_.insert(values_.begin() + index, v);
    if (index == count)
        Appended();
    else
        Changed();
    return index;
}

void TChartValueList::InsertChartValue(int32_t index, double v) {
    CheckIndex(index, Count() + 1);
    EnsureRoom(1);
    const bool atEnd = index == Count();
    values_.insert(values_.begin() + index, v);
    if (atEnd)
        Appended();
    else
        Changed();
}

void TChartValueList::Delete(int32_t index) {
    CheckIndex(index, Count());
    values_.erase(values_.begin() + index);
    Changed();
}

void TChartValueList::ClearValues() {
    std::vector<double>().swap(values_);
    if (ChartDefaultCapacity > 0) values_.reserve(ChartDefaultCapacity);
    Changed();
}

int32_t TChartValueList::Locate(double v) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (values_[static_cast<std::size_t>(i)] * multiplier_ == v) return i;
    }
    return -1;
}

int32_t TChartValueList::FirstIndexNotBelow(double v, int32_t from) const {
    CheckIndex(from, Count() + 1);
    const auto below = [&](double raw) { return raw * multiplier_ < v; };
    const auto begin = values_.begin() + from;
    // A positive finite scale keeps the raw order, so the scaled values are
    // partitioned by `below` as well.
    const bool sorted = order_ == loAscending && multiplier_ > 0 && std::isfinite(multiplier_);
    const auto found = sorted ? std::partition_point(begin, values_.end(), below)
                              : std::find_if_not(begin, values_.end(), below);
    return static_cast<int32_t>(found - values_.begin());
}

void TChartValueList::RecalcStats() const {
    if (!statsDirty_) return;
    if (values_.empty()) {
        minValue_ = maxValue_ = total_ = totalAbs_ = 0;
    } else {
        const double v0 = values_[0] * multiplier_;
        double lo = v0, hi = v0, sum = v0, sumAbs = std::fabs(v0);
        for (std::size_t i = 1; i < values_.size(); ++i) {
            const double v = values_[i] * multiplier_;
            if (v < lo)
                lo = v;
            else if (v > hi)
                hi = v;
            sum += v;
            sumAbs += std::fabs(v);
        }
        minValue_ = lo;
        maxValue_ = hi;
        total_ = sum;
        totalAbs_ = sumAbs;
    }
    statsDirty_ = false;
}

double TChartValueList::MinValue() const {
    RecalcStats();
    return minValue_;
}

double TChartValueList::MaxValue() const {
    RecalcStats();
    return maxValue_;
}

double TChartValueList::Total() const {
    RecalcStats();
    return total_;
}

double TChartValueList::TotalABS() const {
    RecalcStats();
    return totalAbs_;
}

void TChartValueList::FillSequence() {
    for (int32_t i = 0; i < Count(); ++i) SetValue(i, i);
}

int TChartValueList::CompareValues(int32_t a, int32_t b) const {
    const double va = Value(a);
    const double vb = Value(b);
    const int result = va < vb ? -1 : (va > vb ? 1 : 0);
    return order_ == loDescending ? -result : result;
}

void TChartValueList::QuickSort(int32_t lo, int32_t hi) {
    int32_t i = lo;
    int32_t j = hi;
    int32_t pivot = (lo + hi) / 2;
    while (i < j) {
        while (CompareValues(i, pivot) < 0) ++i;
        while (CompareValues(pivot, j) < 0) --j;
        if (i < j) {
            owner_.SwapValueIndex(i, j);
            // The pivot is a point, not a position: follow it.
            if (pivot == i)
                pivot = j;
            else if (pivot == j)
                pivot = i;
        }
        if (i <= j) {
            ++i;
            --j;
        }
    }
    if (lo < j) QuickSort(lo, j);
    if (i < hi) QuickSort(i, hi);
}

void TChartValueList::Sort() {
    if (order_ == loNone || Count() < 2) return;
    QuickSort(0, Count() - 1);
    Changed();
}

void TChartValueList::Scroll() {
    if (values_.size() < 2) return;
    std::rotate(values_.begin(), values_.begin() + 1, values_.end());
    Changed();
}

void TChartValueList::SetMultiplier(double m) {
    if (m == multiplier_) return;
    multiplier_ = m;
    Changed();
    owner_.NotifyValue(veRefresh, 0);
    owner_.Repaint();
}

void TChartValueList::SetDateTime(bool b) {
    if (b == dateTime_) return;
    dateTime_ = b;
    owner_.Repaint();
}

void TChartValueList::SetValueSource(const std::string& s) {
    if (s == valueSource_) return;
    valueSource_ = s;
    owner_.CheckDataSource();
}

void TChartValueList::AppendRaw(const double* values, std::size_t n) {
    if (n == 0) return;
    EnsureRoom(n);
    values_.insert(values_.end(), values, values + n);
    Appended();
}

void TChartValueList::AppendSequence(double first, std::size_t n) {
    if (n == 0) return;
    EnsureRoom(n);
    const std::size_t start = values_.size();
    values_.resize(start + n);
    double* out = values_.data() + start;
    for (std::size_t k = 0; k < n; ++k) out[k] = first + static_cast<double>(k);
    Appended();
}

void TChartValueList::SwapRaw(int32_t a, int32_t b) {
    std::swap(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
    Changed();
}

}  // namespace chart

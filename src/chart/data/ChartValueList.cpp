#include "chart/data/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/core/Exceptions.h"

namespace chart {

TChartValueList* TChartValueLists::ValueList(int32_t index) const {
    if (index < 0 || index >= Count()) throw fw::ListIndexError(index);
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

TChartValueList::~TChartValueList() {
    fw::ForgetSpare(*this);
    lists_->Remove(this);
}

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
    if (index < 0 || index >= count) throw fw::ListIndexError(index);
}

double TChartValueList::Value(int32_t index) const {
    CheckIndex(index, Count());
    return Raw(index) * multiplier_;
}

double TChartValueList::RawValue(int32_t index) const {
    CheckIndex(index, Count());
    return Raw(index);
}

void TChartValueList::SetValue(int32_t index, double v) {
    CheckIndex(index, Count());
    if (!sequence_ || !SameBits(v, static_cast<double>(index))) {
        Materialise();
        values_[static_cast<std::size_t>(index)] = v;
    }
    Changed();
    owner_.NotifyValue(veModify, index);
}

void TChartValueList::Grow(std::size_t needed) {
    if (needed <= values_.capacity()) return;
    // The storage a Clear kept serves the refill when it is large enough; a
    // refill that outgrows it has no use for it.
    if (values_.empty() && spare_.capacity() >= needed) {
        values_.swap(spare_);
        DropSpare();
        return;
    }
    DropSpare();
    fw::MapOutOfMemory([&] { values_.reserve(needed); });
}

void TChartValueList::EnsureRoom(std::size_t n) {
    if (sequence_) return;
    if (shared_) {
        Own(n);
        return;
    }
    const std::size_t needed = values_.size() + n;
    if (needed > values_.capacity()) Grow(std::max(needed, values_.capacity() * 2));
}

void TChartValueList::Own(std::size_t extra) {
    if (!sequence_ && !shared_) return;
    const auto count = static_cast<std::size_t>(Count());
    // values_ is empty: whatever it needs comes in one allocation, before
    // anything changes.
    Grow(count + extra);
    if (sequence_) {
        values_.resize(count);
        for (std::size_t i = 0; i < count; ++i) values_[i] = static_cast<double>(i);
    } else {
        values_.assign(shared_.get(), shared_.get() + count);
    }
    sequence_ = false;
    sequenceCount_ = 0;
    shared_.reset();
    sharedCount_ = 0;
}

void TChartValueList::Adopt(std::shared_ptr<const double[]> values, int32_t count) {
    if (Count() != 0) throw fw::ListIndexError(Count());
    if (count <= 0) return;
    DropSpare();
    Storage().swap(values_);
    sequence_ = false;
    sequenceCount_ = 0;
    shared_ = std::move(values);
    sharedCount_ = count;
    Appended();
}

void TChartValueList::PrepareInsertSlowly(int32_t index, double v) {
    const bool continues = index == Count() && SameBits(v, static_cast<double>(index));
    if (sequence_ && continues) return;
    // Room for the new value as well, so that storing the values and the
    // insertion share one allocation.
    Own(1);
    EnsureRoom(1);
}

int32_t TChartValueList::InsertionIndex(double v) const {
    const int32_t count = Count();
    if (count == 0) return 0;
    // Comparisons are on raw values: the multiplier only scales reads. The
    // backward scan puts v after every value equal to it.
    int32_t t = count - 1;
    if (order_ == loAscending && Raw(t) > v) {
        while (t >= 0 && Raw(t) > v) --t;
        return t + 1;
    }
    if (order_ == loDescending && Raw(t) < v) {
        while (t >= 0 && Raw(t) < v) --t;
        return t + 1;
    }
    return count;
}

int32_t TChartValueList::AddChartValue(double v) {
    const int32_t index = InsertionIndex(v);
    PrepareInsert(index, v);
    InsertPrepared(index, v);
    return index;
}

void TChartValueList::InsertChartValue(int32_t index, double v) {
    CheckIndex(index, Count() + 1);
    PrepareInsert(index, v);
    InsertPrepared(index, v);
}

void TChartValueList::InsertPrepared(int32_t index, double v) {
    if (index == Count()) {
        AppendInOrder(v);
        return;
    }
    values_.insert(values_.begin() + index, v);
    Changed();
}

void TChartValueList::Delete(int32_t index) {
    CheckIndex(index, Count());
    highWater_ = std::max(highWater_, values_.size());
    if (sequence_ && index == sequenceCount_ - 1) {
        --sequenceCount_;
    } else {
        Materialise();
        values_.erase(values_.begin() + index);
    }
    Changed();
}

void TChartValueList::KeepAsSpare() {
    DropSpare();
    highWater_ = std::max(highWater_, values_.size());
    values_.clear();
    values_.swap(spare_);
    if (!fw::KeepSpare(*this)) DropSpare();
}

void TChartValueList::DropSpare() noexcept {
    fw::ForgetSpare(*this);
    Storage().swap(spare_);
}

void TChartValueList::ClearValues() {
    // Large storage is kept for a refill of the list; small storage and any
    // storage kept before go at once.
    if (fw::IsLargeBlock(values_.capacity() * sizeof(double))) {
        KeepAsSpare();
    } else {
        DropSpare();
        Storage().swap(values_);
        highWater_ = 0;
    }
    if (ChartDefaultCapacity > 0) values_.reserve(ChartDefaultCapacity);
    sequence_ = true;
    sequenceCount_ = 0;
    shared_.reset();
    sharedCount_ = 0;
    Changed();
}

void TChartValueList::ReleaseSpareStorage() {
    DropSpare();
    const std::size_t usedBytes = values_.size() * sizeof(double);
    if (highWater_ > values_.size() && fw::IsLargeBlock(values_.capacity() * sizeof(double)))
        fw::ReleaseUnusedPages(values_.data(), usedBytes, values_.capacity() * sizeof(double));
    highWater_ = 0;
}

int32_t TChartValueList::Locate(double v) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (Raw(i) * multiplier_ == v) return i;
    }
    return -1;
}

int32_t TChartValueList::FirstIndexNotBelow(double v, int32_t from) const {
    CheckIndex(from, Count() + 1);
    const auto below = [&](int32_t i) { return Raw(i) * multiplier_ < v; };
    // A positive finite scale keeps the raw order, so the scaled values are
    // partitioned by `below` as well.
    const bool sorted = order_ == loAscending && multiplier_ > 0 && std::isfinite(multiplier_);
    int32_t lo = from, hi = Count();
    if (!sorted) {
        while (lo < hi && below(lo)) ++lo;
        return lo;
    }
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (below(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

namespace {

struct TValueBoundsPair {
    double min;
    double max;
};

// The bounds a walk from the first value to the last finds, taking a value
// only when it is strictly below (above) the one held: NaNs never enter
// (unless the first value is one, which then stays), and of equal values the
// first is held, which matters only for the sign of a zero. Four lanes keep
// the loop vector code; a zero bound then takes its sign from the first
// zero in the list.
template <typename Read>
TValueBoundsPair WalkBounds(Read value, int32_t count) {
    const double v0 = value(0);
    double lo[4] = {v0, v0, v0, v0}, hi[4] = {v0, v0, v0, v0};
    int32_t i = 1;
    for (; i + 4 <= count; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const double v = value(i + k);
            lo[k] = v < lo[k] ? v : lo[k];
            hi[k] = v > hi[k] ? v : hi[k];
        }
    }
    for (; i < count; ++i) {
        const double v = value(i);
        lo[0] = v < lo[0] ? v : lo[0];
        hi[0] = v > hi[0] ? v : hi[0];
    }
    double min = lo[0], max = hi[0];
    for (int k = 1; k < 4; ++k) {
        min = lo[k] < min ? lo[k] : min;
        max = hi[k] > max ? hi[k] : max;
    }
    if (min == 0 || max == 0) {
        int32_t first = 0;
        while (value(first) != 0) ++first;
        const double zero = value(first);
        if (min == 0) min = zero;
        if (max == 0) max = zero;
    }
    return {min, max};
}

}  // namespace

void TChartValueList::RecalcBounds() const {
    if (!boundsDirty_) return;
    const int32_t count = Count();
    if (count == 0) {
        minValue_ = maxValue_ = 0;
    } else if (sequence_ && multiplier_ == 1.0) {
        minValue_ = 0;
        maxValue_ = static_cast<double>(count - 1);
    } else {
        const double m = multiplier_;
        const TValueBoundsPair b = sequence_
                                       ? WalkBounds([m](int32_t i) { return static_cast<double>(i) * m; }, count)
                                       : WalkBounds([m, data = RawData()](int32_t i) { return data[i] * m; }, count);
        minValue_ = b.min;
        maxValue_ = b.max;
    }
    boundsDirty_ = false;
}

void TChartValueList::RecalcTotals() const {
    if (!totalsDirty_) return;
    const int32_t count = Count();
    // 0 + 1 + ... + (count - 1) is exact in doubles, step by step, while the
    // sum stays within 2^53: then a sequence's totals need no walk.
    constexpr int64_t kExactSumLimit = int64_t{1} << 53;
    const int64_t n = count;
    if (count == 0) {
        total_ = totalAbs_ = 0;
    } else if (sequence_ && multiplier_ == 1.0 && n * (n - 1) / 2 <= kExactSumLimit) {
        total_ = totalAbs_ = static_cast<double>(n * (n - 1) / 2);
    } else {
        // In list order, rounded after every step.
        double sum = Raw(0) * multiplier_;
        double sumAbs = std::fabs(sum);
        for (int32_t i = 1; i < count; ++i) {
            const double v = Raw(i) * multiplier_;
            sum += v;
            sumAbs += std::fabs(v);
        }
        total_ = sum;
        totalAbs_ = sumAbs;
    }
    totalsDirty_ = false;
}

double TChartValueList::MinValue() const {
    RecalcBounds();
    return minValue_;
}

double TChartValueList::MaxValue() const {
    RecalcBounds();
    return maxValue_;
}

double TChartValueList::Total() const {
    RecalcTotals();
    return total_;
}

double TChartValueList::TotalABS() const {
    RecalcTotals();
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
    if (Count() < 2) return;
    Materialise();
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

void TChartValueList::AppendRaw(const double* values, std::size_t n, std::ptrdiff_t stride) {
    if (n == 0) return;
    const auto at = [&](std::size_t k) { return values[static_cast<std::ptrdiff_t>(k) * stride]; };
    if (sequence_) {
        std::size_t k = 0;
        while (k < n && SameBits(at(k), static_cast<double>(sequenceCount_ + static_cast<int64_t>(k)))) ++k;
        if (k == n) {
            AppendSequence(sequenceCount_, n);
            return;
        }
        Own(n);
    }
    EnsureRoom(n);
    if (stride == 1) {
        values_.insert(values_.end(), values, values + n);
    } else {
        // Within the room made above: no value is written twice.
        for (std::size_t k = 0; k < n; ++k) values_.push_back(at(k));
    }
    Appended();
}

void TChartValueList::AppendSequence(double first, std::size_t n) {
    if (n == 0) return;
    if (sequence_ && SameBits(first, static_cast<double>(sequenceCount_))) {
        sequenceCount_ += static_cast<int32_t>(n);
        Appended();
        return;
    }
    Own(n);
    EnsureRoom(n);
    const std::size_t start = values_.size();
    values_.resize(start + n);
    double* out = values_.data() + start;
    for (std::size_t k = 0; k < n; ++k) out[k] = first + static_cast<double>(k);
    Appended();
}

void TChartValueList::SwapRaw(int32_t a, int32_t b) {
    if (a != b) {
        Materialise();
        std::swap(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
    }
    Changed();
}

}  // namespace chart

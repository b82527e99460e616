#pragma once
// One dimension of a series' values (its X or its Y values): doubles kept in
// insertion order, read through a scale factor, with minimum, maximum and
// totals recomputed lazily on the first read after a batch of changes.
//
// A list that holds 0, 1, 2, ... (the X values of points added by AddY or
// AddArray) stores nothing until a value breaks that sequence, and a list
// may read its values from a block it shares with their maker (Adopt) until
// it is changed; at the first change it stores its values and goes on as a
// stored list. Every operation reads and behaves the same either way.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/LargeBlock.h"

namespace chart {

class TChartValueList;

// A list clears its storage down to this capacity; 0 releases it.
inline constexpr int32_t ChartDefaultCapacity = 0;

enum TChartListOrder { loNone, loAscending, loDescending };

// What changed in a series, as told to the series that depend on it.
enum TValueEvent { veClear, veAdd, veDelete, veRefresh, veModify };

// The value lists of one series, in creation order: 0 is X, 1 is Y.
class TChartValueLists {
public:
    int32_t Count() const { return static_cast<int32_t>(lists_.size()); }
    // Fails with "List index out of bounds (%d)" outside 0 ... Count-1.
    TChartValueList* ValueList(int32_t index) const;

    void Add(TChartValueList* list) { lists_.push_back(list); }
    void Remove(TChartValueList* list);

    auto begin() const { return lists_.begin(); }
    auto end() const { return lists_.end(); }

private:
    std::vector<TChartValueList*> lists_;
};

// What a value list needs of the series that owns it. Sorting goes through
// SwapValueIndex so that every parallel list of the owner moves with it.
class IValueListOwner {
public:
    virtual TChartValueLists& ValueLists() = 0;
    virtual void NotifyValue(TValueEvent event, int32_t valueIndex) = 0;
    virtual void Repaint() = 0;
    virtual void CheckDataSource() = 0;
    virtual void SwapValueIndex(int32_t a, int32_t b) = 0;

protected:
    ~IValueListOwner() = default;
};

class TChartValueList : private fw::SpareKeeper {
public:
    // Registers in owner's value lists; the owner must outlive the list.
    TChartValueList(IValueListOwner& owner, std::string name);
    virtual ~TChartValueList();
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    // Copies the settings (order, date-time flag, multiplier, value source),
    // neither the values nor the name.
    virtual void Assign(const TChartValueList& source);

    int32_t Count() const {
        return sequence_ ? sequenceCount_ : shared_ ? sharedCount_ : static_cast<int32_t>(values_.size());
    }

    // Raw value times Multiplier. Index errors throw fw::EListError.
    double Value(int32_t index) const;
    // Stores v raw and tells the owner (veModify); no repaint of its own.
    void SetValue(int32_t index, double v);
    double First() const { return Value(0); }
    double Last() const { return Value(Count() - 1); }

    // Inserts by Order after every equal value; returns the index taken.
    int32_t AddChartValue(double v);
    // The index AddChartValue(v) would give v, without adding it.
    int32_t InsertionIndex(double v) const;
    // Whether that index is Count(): v goes after every value.
    bool GoesLast(double v) const {
        if (Count() == 0 || order_ == loNone) return true;
        return order_ == loAscending ? !(LastRaw() > v) : !(LastRaw() < v);
    }
    // index in 0 ... Count.
    void InsertChartValue(int32_t index, double v);
    void Delete(int32_t index);
    void ClearValues();

    // First index whose scaled value equals v exactly, else -1.
    int32_t Locate(double v) const;
    // First index from `from` (0 ... Count) on whose scaled value is not below
    // v, or Count when there is none. An ascending list with a positive scale
    // is searched by halving, any other list is scanned; on a list that is
    // really sorted both give the same index.
    int32_t FirstIndexNotBelow(double v, int32_t from) const;

    double MinValue() const;
    double MaxValue() const;
    double Total() const;
    double TotalABS() const;

    void FillSequence();
    // Sorts the whole owner by this list (nothing for loNone).
    void Sort();
    // Moves the first value to the end.
    void Scroll();

    double Multiplier() const { return multiplier_; }
    void SetMultiplier(double m);
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool b);
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& s);
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder o) { order_ = o; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& n) { name_ = n; }

    // A value staged by the owner before a point is inserted.
    double TempValue = 0;

    // Bulk operations for the owner's fast paths; they keep the invariants
    // (statistics marked stale) but tell nobody.

    // Makes room for n more values with amortised growth (none for a
    // sequence list: the values that continue it need no room, the others
    // get theirs when they break it).
    void EnsureRoom(std::size_t n);
    // Gets whatever inserting v at index needs (memory, the stored values of
    // a sequence that v breaks), so that the insertion itself cannot fail.
    void PrepareInsert(int32_t index, double v) {
        const bool ready = sequence_ ? index == sequenceCount_ && SameBits(v, static_cast<double>(index))
                                     : !shared_ && values_.size() < values_.capacity();
        if (!ready) PrepareInsertSlowly(index, v);
    }
    // Stores the values of a sequence or shared list, so that no later
    // change of one value can fail. Throws fw::EOutOfMemory.
    void Materialise() { Own(0); }
    // An empty list takes the count values of a block that does not change
    // while anyone holds it, without copying them.
    void Adopt(std::shared_ptr<const double[]> values, int32_t count);
    // Inserts v at index after PrepareInsert(index, v); cannot fail.
    void InsertPrepared(int32_t index, double v);
    // Appends v at the end, after PrepareInsert(Count(), v), for a list whose
    // Order keeps v there (a loNone list, or an ascending one whose last value
    // is at most v): the path of a point added after all the others.
    void AppendInOrder(double v) {
        if (sequence_)
            ++sequenceCount_;
        else
            values_.push_back(v);
        Appended();
    }
    // Whether the list holds exactly 0, 1, ..., Count-1 without storing them.
    bool IsSequence() const { return sequence_; }
    // Whether the list reads its values from an adopted block.
    bool IsShared() const { return shared_ != nullptr; }
    // The adopted block's values changed (its maker rewrote them): every
    // statistic and summary of them is worked out again.
    void SharedValuesRewritten() { Changed(); }
    // Storage a Clear kept for a refill of about the same size goes back to
    // the system, and pages beyond the values are released. For the owner
    // to call once a burst of changes is over (before its chart paints).
    void ReleaseSpareStorage();
    // Appends raw values values[k * stride], k < n, without any order check.
    void AppendRaw(const double* values, std::size_t n, std::ptrdiff_t stride = 1);
    // Appends first, first+1, ..., first+n-1.
    void AppendSequence(double first, std::size_t n);
    // Exchanges two stored values, no checks, no notification.
    void SwapRaw(int32_t a, int32_t b);
    // The stored value before scaling. Index errors throw fw::EListError.
    double RawValue(int32_t index) const;
    // The last raw value; Count() must be above 0.
    double LastRaw() const { return Raw(Count() - 1); }
    std::size_t HeapBytes() const { return (values_.capacity() + spare_.capacity()) * sizeof(double); }
    // The stored values before scaling, for summaries that read them in bulk;
    // null for a sequence list, whose value i is i.
    const double* RawData() const { return sequence_ ? nullptr : shared_ ? shared_.get() : values_.data(); }
    // Counts every change other than values appended at the end: a summary
    // that saw the same count may extend itself over the new tail.
    uint64_t EditCount() const { return editCount_; }

private:
    using Storage = std::vector<double, fw::LargeBlockAllocator<double>>;

    // Bit for bit: a -0.0 or a NaN does not continue a sequence.
    static bool SameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }
    void PrepareInsertSlowly(int32_t index, double v);
    double Raw(int32_t i) const {
        if (sequence_) return static_cast<double>(i);
        return shared_ ? shared_[static_cast<std::size_t>(i)] : values_[static_cast<std::size_t>(i)];
    }
    // Capacity for `needed` values, the kept storage first.
    void Grow(std::size_t needed);
    // A sequence or shared list stores its values, with room for `extra`
    // more; nothing for a stored list.
    void Own(std::size_t extra);
    void KeepAsSpare();
    void DropSpare() noexcept;
    void ReleaseSpare() noexcept override { Storage().swap(spare_); }
    void CheckIndex(int32_t index, int32_t count) const;
    void Changed() {
        boundsDirty_ = totalsDirty_ = true;
        ++editCount_;
    }
    void Appended() { boundsDirty_ = totalsDirty_ = true; }
    // The axes read only the bounds; the totals are worked out apart, when
    // they are read.
    void RecalcBounds() const;
    void RecalcTotals() const;
    int CompareValues(int32_t a, int32_t b) const;
    void QuickSort(int32_t lo, int32_t hi);

    IValueListOwner& owner_;
    TChartValueLists* lists_;
    // While sequence_ holds, the list is 0 ... sequenceCount_-1 and values_
    // is empty.
    bool sequence_ = true;
    int32_t sequenceCount_ = 0;
    // While shared_ is set, the list is its first sharedCount_ values and
    // values_ is empty.
    std::shared_ptr<const double[]> shared_;
    int32_t sharedCount_ = 0;
    Storage values_;
    // Storage of values a Clear removed, kept for the refill that usually
    // follows at once (see ReleaseSpareStorage).
    Storage spare_;
    // The most values held since pages were last released.
    std::size_t highWater_ = 0;
    std::string name_;
    std::string valueSource_;
    double multiplier_ = 1.0;
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;

    uint64_t editCount_ = 0;
    mutable bool boundsDirty_ = true;
    mutable bool totalsDirty_ = true;
    mutable double minValue_ = 0;
    mutable double maxValue_ = 0;
    mutable double total_ = 0;
    mutable double totalAbs_ = 0;
};

}  // namespace chart

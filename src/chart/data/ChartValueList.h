#pragma once
// One dimension of a series' values (its X or its Y values): doubles kept in
// insertion order, read through a scale factor, with minimum, maximum and
// totals recomputed lazily on the first read after a batch of changes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

class TChartValueList {
public:
    // Registers in owner's value lists; the owner must outlive the list.
    TChartValueList(IValueListOwner& owner, std::string name);
    virtual ~TChartValueList();
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    // Copies the settings (order, date-time flag, multiplier, value source),
    // neither the values nor the name.
    virtual void Assign(const TChartValueList& source);

    int32_t Count() const { return static_cast<int32_t>(values_.size()); }

    // Raw value times Multiplier. Index errors throw fw::EListError.
    double Value(int32_t index) const;
    // Stores v raw and tells the owner (veModify); no repaint of its own.
    void SetValue(int32_t index, double v);
    double First() const { return Value(0); }
    double Last() const { return Value(Count() - 1); }

    // Inserts by Order after every equal value; returns the index taken.
    int32_t AddChartValue(double v);
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
    void Reserve(std::size_t capacity);
    // Makes room for n more values with amortised growth.
    void EnsureRoom(std::size_t n);
    // Appends raw values without any order check.
    void AppendRaw(const double* values, std::size_t n);
    // Appends first, first+1, ..., first+n-1.
    void AppendSequence(double first, std::size_t n);
    // Exchanges two stored values, no checks, no notification.
    void SwapRaw(int32_t a, int32_t b);
    // The stored value before scaling. Index errors throw fw::EListError.
    double RawValue(int32_t index) const;
    // The last raw value; Count() must be above 0.
    double LastRaw() const { return values_.back(); }
    std::size_t HeapBytes() const { return values_.capacity() * sizeof(double); }
    // The stored values before scaling, for summaries that read them in bulk.
    const double* RawData() const { return values_.data(); }
    // Counts every change other than values appended at the end: a summary
    // that saw the same count may extend itself over the new tail.
    uint64_t EditCount() const { return editCount_; }

private:
    void CheckIndex(int32_t index, int32_t count) const;
    void Changed() {
        statsDirty_ = true;
        ++editCount_;
    }
    void Appended() { statsDirty_ = true; }
    void RecalcStats() const;
    int CompareValues(int32_t a, int32_t b) const;
    void QuickSort(int32_t lo, int32_t hi);

    IValueListOwner& owner_;
    TChartValueLists* lists_;
    std::vector<double> values_;
    std::string name_;
    std::string valueSource_;
    double multiplier_ = 1.0;
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;

    uint64_t editCount_ = 0;
    mutable bool statsDirty_ = true;
    mutable double minValue_ = 0;
    mutable double maxValue_ = 0;
    mutable double total_ = 0;
    mutable double totalAbs_ = 0;
};

}  // namespace chart

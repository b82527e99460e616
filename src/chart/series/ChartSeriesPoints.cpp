// TChartSeries: adding, removing and reading points, and change notification
// to dependent series.

#include <algorithm>
#include <limits>

#include "chart/base/ChartColors.h"
#include "chart/series/ChartSeries.h"
#include "framework/core/Exceptions.h"

namespace chart {

// ---- Adding ---------------------------------------------------------------------

int32_t TChartSeries::InsertPoint(double x, double y, const std::string& label, fw::TColor color) {
    const int32_t count = Count();
    if (count == std::numeric_limits<int32_t>::max()) throw fw::EOutOfMemory();
    // Everything that can fail happens before the first list changes, so a
    // failure leaves the parallel lists aligned.
    std::string labelCopy(label);
    const int32_t index = xValues_->InsertionIndex(x);
    xValues_->PrepareInsert(index, x);
    yValues_->PrepareInsert(index, y);
    colors_.PrepareInsert(color, count);
    labels_.PrepareInsert(labelCopy, count);
    xValues_->InsertPrepared(index, x);
    yValues_->InsertPrepared(index, y);
    colors_.Insert(index, color);
    labels_.Insert(index, std::move(labelCopy));
    return index;
}

int32_t TChartSeries::AddXY(double x, double y, const std::string& label, fw::TColor color) {
    xValues_->TempValue = x;
    yValues_->TempValue = y;
    if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;
    // A series filled point by point mostly adds after the last point what
    // every point has: that costs two appends.
    const int32_t index = AppendsPlainly(x, label, color) ? AppendPoint(x, y) : InsertPoint(x, y, label, color);
    NotifyNewValue(*this, index);
    return index;
}

int32_t TChartSeries::AddY(double y, const std::string& label, fw::TColor color) {
    return AddXY(xValues_->Count(), y, label, color);
}

int32_t TChartSeries::AddX(double x, const std::string& label, fw::TColor color) {
    return AddXY(x, xValues_->Count(), label, color);
}

int32_t TChartSeries::Add(double value, const std::string& label, fw::TColor color) {
    return YMandatory() ? AddY(value, label, color) : AddX(value, label, color);
}

int32_t TChartSeries::AddNull(const std::string& label) { return Add(0, label, fw::clNone); }

int32_t TChartSeries::AddNullXY(double x, double y, const std::string& label) { return AddXY(x, y, label, fw::clNone); }

bool TChartSeries::AppendsInOrder(int32_t count) const {
    // The new X values are count, count+1, ...: already in order after the
    // last one of an ascending list whose last raw value is at most count.
    if (xValues_->Order() == loNone) return true;
    if (xValues_->Order() == loAscending) return count == 0 || xValues_->LastRaw() <= count;
    return false;
}

int32_t TChartSeries::AddArray(const double* values, int32_t highIndex) {
    if (highIndex < 0) {
        RefreshSeries();
        return 0;
    }
    const int32_t count = Count();
    if (highIndex >= std::numeric_limits<int32_t>::max() - count) throw fw::EOutOfMemory();
    const int32_t n = highIndex + 1;
    const auto bulk = static_cast<std::size_t>(n);
    xValues_->EnsureRoom(bulk);
    yValues_->EnsureRoom(bulk);
    // Point by point only when something must see each point: an add event,
    // or X values that do not simply go after the existing ones.
    if (YMandatory() && !OnBeforeAdd && !OnAfterAdd && AppendsInOrder(count)) {
        colors_.Reserve(bulk);
        labels_.Reserve(bulk);
        AppendValueRun(values, 1, bulk);
        colors_.AppendDefaults(bulk);
        labels_.AppendDefaults(bulk);
        NotifyValuesAppended(count, n);
    } else {
        for (int32_t i = 0; i < n; ++i) Add(values[i]);
    }
    RefreshSeries();
    return n;
}

int32_t TChartSeries::AddArrayShared(std::shared_ptr<const double[]> values, int32_t highIndex) {
    if (highIndex < 0 || Count() != 0 || !YMandatory() || OnBeforeAdd || OnAfterAdd)
        return AddArray(values.get(), highIndex);
    const int32_t n = highIndex + 1;
    const auto bulk = static_cast<std::size_t>(n);
    const double last = values[static_cast<std::size_t>(highIndex)];
    // Whatever needs memory is had before the first list changes.
    xValues_->EnsureRoom(bulk);
    colors_.Reserve(bulk);
    labels_.Reserve(bulk);
    yValues_->Adopt(std::move(values), n);
    xValues_->AppendSequence(0, bulk);
    colors_.AppendDefaults(bulk);
    labels_.AppendDefaults(bulk);
    xValues_->TempValue = highIndex;
    yValues_->TempValue = last;
    NotifyValuesAppended(0, n);
    RefreshSeries();
    return n;
}

void TChartSeries::SharedValuesRewritten() {
    yValues_->SharedValuesRewritten();
    NotifyValue(veModify, 0);
    Repaint();
}

void TChartSeries::AddYs(const double* values, std::ptrdiff_t stride, int32_t count, const std::string& label,
                         fw::TColor color) {
    int32_t k = 0;
    const auto inBulk = [&] {
        const int32_t points = Count();
        return YMandatory() && !OnBeforeAdd && !OnAfterAdd && linkedSeries_.empty() && AppendsInOrder(points) &&
               colors_.TakesWithoutStoring(color) && labels_.TakesWithoutStoring(label) &&
               count - k <= std::numeric_limits<int32_t>::max() - points;
    };
    // The first point of an empty series sets the colour and label that the
    // others then share.
    for (; k < count && !inBulk(); ++k) AddY(values[k * stride], label, color);
    if (k == count) return;
    const int32_t points = Count();
    const auto bulk = static_cast<std::size_t>(count - k);
    AppendValueRun(values + k * stride, stride, bulk);
    colors_.AppendUniform(bulk);
    labels_.AppendUniform(bulk);
    NotifyValuesAppended(points, count - k);
}

void TChartSeries::AppendValueRun(const double* values, std::ptrdiff_t stride, std::size_t n) {
    const int32_t count = Count();
    xValues_->EnsureRoom(n);
    // Y first: it may still need memory (values that are no sequence),
    // while X values that continue the count need none.
    yValues_->AppendRaw(values, n, stride);
    xValues_->AppendSequence(count, n);
    xValues_->TempValue = count + static_cast<double>(n) - 1;
    yValues_->TempValue = values[static_cast<std::ptrdiff_t>(n - 1) * stride];
}

void TChartSeries::NotifyNewValue(TChartSeries& sender, int32_t valueIndex) {
    if (OnAfterAdd) OnAfterAdd(sender, valueIndex);
    if (!linkedSeries_.empty()) NotifyValue(veAdd, valueIndex);
    if (active_) Repaint();
}

void TChartSeries::NotifyValuesAppended(int32_t /*firstIndex*/, int32_t count) {
    if (active_ && count > 0) Repaint();
}

// ---- Removing -------------------------------------------------------------------

void TChartSeries::ClearLists() {
    for (TChartValueList* list : valueLists_) list->ClearValues();
    colors_.Clear();
    labels_.Clear();
    marks_->Positions().Clear();
}

void TChartSeries::Clear() {
    ClearLists();
    if (OnClearValues) OnClearValues(*this);
    NotifyValue(veClear, 0);
    if (parent_ && !parent_->IsBeingDestroyed()) Repaint();
}

void TChartSeries::Delete(int32_t valueIndex) {
    // Checked against every list first, so a bad index changes nothing.
    for (TChartValueList* list : valueLists_) {
        if (valueIndex < 0 || valueIndex >= list->Count()) throw fw::ListIndexError(valueIndex);
    }
    for (TChartValueList* list : valueLists_) list->Delete(valueIndex);
    colors_.Delete(valueIndex);
    labels_.Delete(valueIndex);
    marks_->Positions().Delete(valueIndex);
    NotifyValue(veDelete, valueIndex);
    Repaint();
}

// ---- Reading and writing points -------------------------------------------------

void TChartSeries::CheckPointIndex(int32_t i) const {
    if (i < 0 || i >= Count()) throw fw::ListIndexError(i);
}

void TChartSeries::SetXValue(int32_t i, double value) {
    xValues_->SetValue(i, value);
    Repaint();
}

void TChartSeries::SetYValue(int32_t i, double value) {
    yValues_->SetValue(i, value);
    Repaint();
}

void TChartSeries::SetXLabel(int32_t i, const std::string& text) {
    CheckPointIndex(i);
    labels_.Set(i, text, Count());
    Repaint();
}

void TChartSeries::SetValueColor(int32_t i, fw::TColor color) {
    CheckPointIndex(i);
    colors_.Set(i, color, Count());
    Repaint();
}

fw::TColor TChartSeries::GetValueColor(int32_t i) const {
    if (i >= 0 && i < Count()) {
        const fw::TColor stored = colors_.Get(i);
        if (stored != fw::clChartDefault) return stored;
        if (colorEachPoint_) return GetDefaultColor(i);
    }
    return seriesColor_;
}

void TChartSeries::SwapValueIndex(int32_t a, int32_t b) {
    for (TChartValueList* list : valueLists_) {
        for (int32_t i : {a, b}) {
            if (i < 0 || i >= list->Count()) throw fw::ListIndexError(i);
        }
    }
    // A swap breaks a sequence list; every list is stored before the first
    // one changes, so that running out of memory leaves the points aligned.
    if (a != b) {
        for (TChartValueList* list : valueLists_) list->Materialise();
    }
    for (TChartValueList* list : valueLists_) list->SwapRaw(a, b);
    colors_.Swap(a, b);
    labels_.Swap(a, b);
}

void TChartSeries::ReleaseSpareStorage() {
    for (TChartValueList* list : valueLists_) list->ReleaseSpareStorage();
}

std::size_t TChartSeries::HeapBytes() const {
    std::size_t bytes = colors_.HeapBytes() + labels_.HeapBytes();
    for (const TChartValueList* list : valueLists_) bytes += list->HeapBytes();
    const std::size_t inlineCapacity = std::string().capacity();
    for (const std::string& label : labels_.Items()) {
        if (label.capacity() > inlineCapacity) bytes += label.capacity() + 1;
    }
    return bytes;
}

// ---- Dependent series -----------------------------------------------------------

void TChartSeries::NotifyValue(TValueEvent event, int32_t valueIndex) {
    if (linkedSeries_.empty()) return;
    // The actions below may change the links: walk a copy, and skip a series
    // that let go of this one meanwhile.
    const std::vector<TChartSeries*> dependants = linkedSeries_;
    for (TChartSeries* d : dependants) {
        if (std::find(linkedSeries_.begin(), linkedSeries_.end(), d) == linkedSeries_.end()) continue;
        const auto& sources = d->dataSources_;
        if (std::find(sources.begin(), sources.end(), this) == sources.end()) continue;
        switch (event) {
        case veClear:
            if (d->recalcOptions_ & rOnClear) d->Clear();
            break;
        case veAdd:
            if (d->recalcOptions_ & rOnInsert) d->AddedValue(*this, valueIndex);
            break;
        case veDelete:
            if (d->recalcOptions_ & rOnDelete) d->DeletedValue(*this, valueIndex);
            break;
        case veRefresh: d->AddValues(*this); break;
        case veModify:
            if (d->recalcOptions_ & rOnModify) d->AddValues(*this);
            break;
        }
    }
}

int32_t TChartSeries::InsertPointFrom(const TChartSeries& source, int32_t valueIndex, bool raw) {
    auto read = [&](const TChartValueList& list) { return raw ? list.RawValue(valueIndex) : list.Value(valueIndex); };
    const int32_t index = InsertPoint(read(*source.xValues_), read(*source.yValues_), source.XLabel(valueIndex),
                                      source.colors_.Get(valueIndex));
    // Further dimensions follow by position where both series have them.
    for (int32_t t = 2; t < valueLists_.Count(); ++t) {
        TChartValueList& list = *valueLists_.ValueList(t);
        if (index > list.Count()) continue;
        const TChartValueList* from = t < source.valueLists_.Count() ? source.valueLists_.ValueList(t) : nullptr;
        list.InsertChartValue(index, from && valueIndex < from->Count() ? read(*from) : 0.0);
    }
    return index;
}

int32_t TChartSeries::AddChartValue(const TChartSeries& source, int32_t valueIndex) {
    return InsertPointFrom(source, valueIndex, false);
}

void TChartSeries::AddedValue(const TChartSeries& source, int32_t valueIndex) {
    NotifyNewValue(*this, AddChartValue(source, valueIndex));
}

void TChartSeries::DeletedValue(const TChartSeries& /*source*/, int32_t valueIndex) { Delete(valueIndex); }

void TChartSeries::AddValues(const TChartSeries& source) {
    Clear();
    xValues_->EnsureRoom(static_cast<std::size_t>(source.Count()));
    yValues_->EnsureRoom(static_cast<std::size_t>(source.Count()));
    for (int32_t t = 0; t < source.Count(); ++t) AddChartValue(source, t);
    RefreshSeries();
    Repaint();
}

void TChartSeries::CopyPoints(const TChartSeries& source) {
    Clear();
    xValues_->EnsureRoom(static_cast<std::size_t>(source.Count()));
    yValues_->EnsureRoom(static_cast<std::size_t>(source.Count()));
    for (int32_t t = 0; t < source.Count(); ++t) InsertPointFrom(source, t, true);
    RefreshSeries();
    Repaint();
}

}  // namespace chart

#include "model/tables/table_grid_calculator.h"

#include "model/tables/table.h"
#include "model/tables/table_style_resolution.h"
#include "model/tables/table_widths_calculator.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>
#include <vector>

namespace velmo::model {

namespace {

constexpr int32_t kWholePercent = 5000; // 100 % in fiftieths of a percent

enum class TableGridIntervalType : uint8_t { NotSet, ModelUnit, PercentBased };

/// A run of grid columns that no row divides, with the width the rows ask for.
struct TableGridInterval {
    int32_t width = 0; // layout units, or fiftieths of a percent for PercentBased
    int32_t columnSpan = 1;
    TableGridIntervalType type = TableGridIntervalType::NotSet;
};

using Intervals = std::vector<TableGridInterval>;

int64_t percentOf(int64_t base, int64_t fiftieths) noexcept
{
    return base * fiftieths / kWholePercent;
}

/// Spreads `amount` over the columns in proportion to `weight`, visiting them from the last one
/// backwards; each share is truncated and what truncation leaves goes to the last column visited.
/// Nothing moves when every weight is zero. Returns what could not be spread.
template <typename Weight, typename Apply>
int64_t spreadFromLast(std::vector<TableGridColumn>& columns, int64_t amount, Weight weight, Apply apply)
{
    int64_t totalWeight = 0;
    for (const TableGridColumn& column : columns)
        totalWeight += std::max<int64_t>(weight(column), 0);
    for (size_t index = columns.size(); index-- > 0 && totalWeight > 0;) {
        const int64_t columnWeight = std::max<int64_t>(weight(columns[index]), 0);
        const int64_t share = amount * columnWeight / totalWeight;
        apply(columns[index], share);
        amount -= share;
        totalWeight -= columnWeight;
    }
    return amount;
}

int64_t sumOf(const std::vector<TableGridColumn>& columns, int32_t TableGridColumn::*field)
{
    int64_t total = 0;
    for (const TableGridColumn& column : columns)
        total += column.*field;
    return total;
}

class GridBuilder {
public:
    GridBuilder(const Table& table, const TableWidthsCalculator& widths, int32_t maxTableWidth, bool allowExtend,
                int32_t percentBase)
        : table_(table), widths_(widths), maxTableWidth_(std::max(maxTableWidth, 1)), allowExtend_(allowExtend),
          percentBase_(std::max(percentBase, 0))
    {
    }

    TableGrid build()
    {
        Intervals intervals = mergedIntervals();
        const WidthUnitInfo preferred = tablePropertiesSource(table_, TablePropertiesOptions::UsePreferredWidth).preferredWidth;
        if (preferred.type == WidthUnitType::Auto)
            percentBase_ = autoPercentBase(intervals);
        resolvePercents(intervals);
        buildColumns(intervals);
        fitTableWidth(preferred);
        scaleFixedLayout(preferred);
        keepCellMargins();
        for (TableGridColumn& column : columns_)
            column.width = std::max(column.width, 1);
        return TableGrid{std::move(columns_)};
    }

private:
    TableGridInterval intervalOf(const WidthUnitInfo& width, int32_t span) const
    {
        span = std::max(span, 1);
        switch (width.type) {
        case WidthUnitType::ModelUnits: return {widths_.toLayoutUnits(width.value), span, TableGridIntervalType::ModelUnit};
        case WidthUnitType::FiftiethsOfPercent: return {std::max(width.value, 0), span, TableGridIntervalType::PercentBased};
        default: return {0, span, TableGridIntervalType::NotSet};
        }
    }

    Intervals rowIntervals(const TableRow& row) const
    {
        Intervals result;
        if (row.gridBefore() > 0)
            result.push_back(intervalOf(row.properties().widthBefore, row.gridBefore()));
        for (int32_t index = 0; index < row.cellCount(); ++index) {
            const TableCell& cell = row.cell(index);
            result.push_back(intervalOf(cell.properties().preferredWidth, cell.columnSpan()));
        }
        if (row.gridAfter() > 0)
            result.push_back(intervalOf(row.properties().widthAfter, row.gridAfter()));
        return result;
    }

    int64_t lengthOf(const TableGridInterval& interval) const
    {
        switch (interval.type) {
        case TableGridIntervalType::ModelUnit: return interval.width;
        case TableGridIntervalType::PercentBased: return percentOf(percentBase_, interval.width);
        case TableGridIntervalType::NotSet: return 0;
        }
        return 0;
    }

    static TableGridInterval combine(const TableGridInterval& a, const TableGridInterval& b)
    {
        using T = TableGridIntervalType;
        if (a.type == b.type)
            return a.width >= b.width ? a : b;
        if (a.type == T::PercentBased)
            return b.width > 0 ? b : a;
        if (b.type == T::PercentBased)
            return a.width > 0 ? a : b;
        return a.type == T::ModelUnit ? a : b; // fixed over unset
    }

    /// The first `span` columns of `interval`, its width shared by span.
    static TableGridInterval head(const TableGridInterval& interval, int32_t span)
    {
        TableGridInterval part = interval;
        part.columnSpan = span;
        part.width = static_cast<int32_t>(static_cast<int64_t>(interval.width) * span / std::max(interval.columnSpan, 1));
        return part;
    }

    /// `longer` spans several intervals of `other` from `index` on: they keep their widths, and
    /// what a fixed `longer` has left over goes to the unset ones, which become fixed.
    void splitLonger(const TableGridInterval& longer, Intervals& other, size_t& index, Intervals& result) const
    {
        Intervals pieces;
        int32_t covered = 0;
        while (covered < longer.columnSpan && index < other.size()) {
            TableGridInterval& piece = other[index];
            const int32_t needed = longer.columnSpan - covered;
            if (piece.columnSpan > needed) {
                pieces.push_back(head(piece, needed));
                piece.width -= pieces.back().width;
                piece.columnSpan -= needed;
                covered += needed;
                break;
            }
            pieces.push_back(piece);
            covered += piece.columnSpan;
            ++index;
        }
        if (longer.type == TableGridIntervalType::ModelUnit) {
            int64_t remaining = longer.width;
            int32_t unset = 0;
            for (const TableGridInterval& piece : pieces) {
                remaining -= lengthOf(piece);
                unset += piece.type == TableGridIntervalType::NotSet ? 1 : 0;
            }
            remaining = std::max<int64_t>(remaining, 0);
            int32_t left = unset;
            for (TableGridInterval& piece : pieces) {
                if (piece.type != TableGridIntervalType::NotSet)
                    continue;
                const int64_t share = remaining / left--;
                remaining -= share;
                piece.width = static_cast<int32_t>(share);
                piece.type = TableGridIntervalType::ModelUnit;
            }
        }
        result.insert(result.end(), pieces.begin(), pieces.end());
    }

    Intervals merge(Intervals a, Intervals b) const
    {
        // Ragged rows: the shorter list ends with an unset interval.
        const auto spanOf = [](const Intervals& list) {
            return std::accumulate(list.begin(), list.end(), 0, [](int32_t total, const auto& i) { return total + i.columnSpan; });
        };
        const int32_t spanA = spanOf(a);
        const int32_t spanB = spanOf(b);
        if (spanA < spanB)
            a.push_back({0, spanB - spanA, TableGridIntervalType::NotSet});
        if (spanB < spanA)
            b.push_back({0, spanA - spanB, TableGridIntervalType::NotSet});
        Intervals result;
        size_t i = 0;
        size_t j = 0;
        while (i < a.size() && j < b.size()) {
            if (a[i].columnSpan == b[j].columnSpan) {
                result.push_back(combine(a[i++], b[j++]));
            } else if (a[i].columnSpan > b[j].columnSpan) {
                splitLonger(a[i++], b, j, result);
            } else {
                splitLonger(b[j++], a, i, result);
            }
        }
        return result;
    }

    Intervals mergedIntervals() const
    {
        Intervals merged;
        table_.forEachRow([&](const TableRow& row) {
            Intervals intervals = rowIntervals(row);
            merged = merged.empty() ? std::move(intervals) : merge(std::move(merged), std::move(intervals));
        });
        return merged;
    }

    /// Without a preferred table width, percent columns make the table as wide as their content
    /// needs, never wider than the given base.
    int32_t autoPercentBase(const Intervals& intervals) const
    {
        int64_t totalPercent = 0;
        for (const TableGridInterval& interval : intervals) {
            if (interval.type == TableGridIntervalType::ModelUnit)
                return percentBase_;
            if (interval.type == TableGridIntervalType::PercentBased)
                totalPercent += interval.width;
        }
        if (totalPercent == 0 || totalPercent >= kWholePercent)
            return percentBase_;
        int64_t needed = 0;
        int64_t widestMaximum = 0;
        table_.forEachRow([&](const TableRow& row) {
            const std::vector<CellWidths> rowWidths = widths_.calculateRowWidths(row, percentBase_);
            for (int32_t index = 0; index < row.cellCount(); ++index) {
                const CellWidths& widths = rowWidths[static_cast<size_t>(index)];
                const WidthUnitInfo& preferred = row.cell(index).properties().preferredWidth;
                if (preferred.type == WidthUnitType::FiftiethsOfPercent && preferred.value > 0)
                    needed = std::max(needed, static_cast<int64_t>(widths.minWidth) * kWholePercent / preferred.value);
                widestMaximum = std::max<int64_t>(widestMaximum, widths.maxWidth);
            }
        });
        const int64_t base = std::max(needed, widestMaximum) * kWholePercent / (kWholePercent - totalPercent);
        return static_cast<int32_t>(std::min<int64_t>(base, percentBase_));
    }

    void resolvePercents(Intervals& intervals) const
    {
        int64_t total = 0;
        int32_t unset = 0;
        int64_t fixedWidth = 0;
        for (TableGridInterval& interval : intervals) {
            if (interval.type == TableGridIntervalType::PercentBased) {
                interval.width = static_cast<int32_t>(std::min<int64_t>(interval.width, kWholePercent - total));
                total += interval.width;
            }
            unset += interval.type == TableGridIntervalType::NotSet ? 1 : 0;
            fixedWidth += interval.type == TableGridIntervalType::ModelUnit ? interval.width : 0;
        }
        if (total > 0 && total < kWholePercent && unset > 0 && fixedWidth < percentBase_) {
            int64_t rest = kWholePercent - total;
            for (TableGridInterval& interval : intervals) {
                if (interval.type != TableGridIntervalType::NotSet)
                    continue;
                const int64_t share = rest / unset--;
                rest -= share;
                interval = {static_cast<int32_t>(share), interval.columnSpan, TableGridIntervalType::PercentBased};
            }
        }
        for (TableGridInterval& interval : intervals) {
            if (interval.type == TableGridIntervalType::PercentBased)
                interval.width = static_cast<int32_t>(std::max<int64_t>(percentOf(percentBase_, interval.width), 1));
        }
    }

    void buildColumns(const Intervals& intervals)
    {
        std::vector<bool> fromInterval;
        for (const TableGridInterval& interval : intervals) {
            for (int32_t part = 0; part < interval.columnSpan; ++part) {
                const int32_t share = interval.width / interval.columnSpan +
                                      (part == interval.columnSpan - 1 ? interval.width % interval.columnSpan : 0);
                TableGridColumn column;
                column.width = share;
                column.percentBased = interval.type == TableGridIntervalType::PercentBased;
                columns_.push_back(column);
                fromInterval.push_back(interval.type != TableGridIntervalType::NotSet);
            }
        }
        std::vector<bool> measured(columns_.size(), false);
        struct Spanning {
            int32_t start;
            int32_t span;
            CellWidths widths;
        };
        std::vector<Spanning> spanning;
        allContentNarrower_ = true;
        maxContentRatio_ = 0.0;
        std::vector<CellWidths> rowWidths;
        forEachCellWithColumn([&](const TableCell& cell, int32_t start) {
            if (cell.isFirstCellInRow())
                rowWidths = widths_.calculateRowWidths(cell.row(), percentBase_);
            const int32_t span = std::max(cell.columnSpan(), 1);
            if (start < 0 || start + span > static_cast<int32_t>(columns_.size()))
                return;
            const CellWidths& widths = rowWidths[static_cast<size_t>(cell.indexInRow())];
            const int64_t preferred = preferredLength(cell);
            noteContainer(widths, cell.properties().preferredWidth.type == WidthUnitType::FiftiethsOfPercent ? preferred : 0);
            if (span > 1) {
                spanning.push_back({start, span, widths});
                return;
            }
            TableGridColumn& column = columns_[static_cast<size_t>(start)];
            measured[static_cast<size_t>(start)] = true;
            column.minWidth = std::max({column.minWidth, widths.minWidth, 1});
            column.maxWidth = std::max({column.maxWidth, widths.maxWidth, 1});
            column.totalHorizontalMargins = std::max(column.totalHorizontalMargins, widths.totalHorizontalMargins);
            if (preferred > 0) {
                column.preferredWidth = std::max(column.preferredWidth, static_cast<int32_t>(preferred));
                column.maxWidth = cell.properties().noWrap ? static_cast<int32_t>(preferred)
                                                           : std::max(static_cast<int32_t>(preferred), column.minWidth);
            } else if (cell.properties().noWrap) {
                column.preferredWidth = std::max(column.preferredWidth, column.maxWidth);
            }
        });
        for (size_t index = 0; index < columns_.size(); ++index) {
            if (!measured[index]) {
                columns_[index].minWidth = columns_[index].width;
                columns_[index].maxWidth = columns_[index].width;
            }
        }
        for (const Spanning& cell : spanning)
            spreadSpanningCell(cell.start, cell.span, cell.widths);
        for (size_t index = 0; index < columns_.size(); ++index) {
            TableGridColumn& column = columns_[index];
            column.maxWidth = std::max(column.maxWidth, 1);
            if (!fromInterval[index] || column.width <= 0)
                column.width = column.preferredWidth > 0 ? column.preferredWidth : column.maxWidth;
            column.width = std::max(column.width, 1);
        }
    }

    /// Visits every cell with the grid column it starts at.
    template <typename Visit>
    void forEachCellWithColumn(Visit visit) const
    {
        for (int32_t rowIndex = 0; rowIndex < table_.rowCount(); ++rowIndex) {
            const TableRow& row = table_.row(rowIndex);
            int32_t column = row.gridBefore();
            for (int32_t index = 0; index < row.cellCount(); ++index) {
                const TableCell& cell = row.cell(index);
                visit(cell, column);
                column += std::max(cell.columnSpan(), 1);
            }
        }
    }

    int64_t preferredLength(const TableCell& cell) const
    {
        const WidthUnitInfo& preferred = cell.properties().preferredWidth;
        if (preferred.type == WidthUnitType::ModelUnits)
            return widths_.toLayoutUnits(preferred.value);
        if (preferred.type == WidthUnitType::FiftiethsOfPercent)
            return percentOf(percentBase_, preferred.value);
        return 0;
    }

    /// Percent cells are containers their content may not fill; fixed widths are kept as given.
    void noteContainer(const CellWidths& widths, int64_t container)
    {
        if (container <= 0 || widths.contentMaxWidth >= container) {
            allContentNarrower_ = false;
            return;
        }
        maxContentRatio_ = std::max(maxContentRatio_, static_cast<double>(widths.contentMaxWidth) / static_cast<double>(container));
    }

    void spreadSpanningCell(int32_t start, int32_t span, const CellWidths& widths)
    {
        std::vector<TableGridColumn> covered(columns_.begin() + start, columns_.begin() + start + span);
        const int64_t minimum = sumOf(covered, &TableGridColumn::minWidth);
        if (minimum < widths.minWidth) {
            const bool anyWeight = std::any_of(covered.begin(), covered.end(), [](const auto& c) { return c.minWidth + c.maxWidth > 0; });
            (void)spreadFromLast(
                covered, widths.minWidth - minimum,
                [anyWeight](const TableGridColumn& c) { return anyWeight ? int64_t{c.minWidth} + c.maxWidth : 1; },
                [](TableGridColumn& c, int64_t share) { c.minWidth += static_cast<int32_t>(share); });
        }
        const int64_t maximum = sumOf(covered, &TableGridColumn::maxWidth);
        if (maximum < widths.maxWidth) {
            const bool anyWeight = std::any_of(covered.begin(), covered.end(), [](const auto& c) { return c.maxWidth > 0; });
            (void)spreadFromLast(
                covered, widths.maxWidth - maximum, [anyWeight](const TableGridColumn& c) { return anyWeight ? c.maxWidth : 1; },
                [](TableGridColumn& c, int64_t share) { c.maxWidth += static_cast<int32_t>(share); });
        }
        const int64_t margins = sumOf(covered, &TableGridColumn::totalHorizontalMargins);
        if (margins < widths.totalHorizontalMargins) {
            const bool anyWeight = std::any_of(covered.begin(), covered.end(), [](const auto& c) { return c.totalHorizontalMargins > 0; });
            (void)spreadFromLast(
                covered, widths.totalHorizontalMargins - margins,
                [anyWeight](const TableGridColumn& c) { return anyWeight ? c.totalHorizontalMargins : 1; },
                [](TableGridColumn& c, int64_t share) { c.totalHorizontalMargins += static_cast<int32_t>(share); });
        }
        std::copy(covered.begin(), covered.end(), columns_.begin() + start);
    }

    int64_t totalWidth() const { return sumOf(columns_, &TableGridColumn::width); }

    void fitTableWidth(const WidthUnitInfo& preferred)
    {
        int64_t target = 0;
        if (preferred.type == WidthUnitType::FiftiethsOfPercent)
            target = percentOf(percentBase_, preferred.value);
        else if (preferred.type == WidthUnitType::ModelUnits)
            target = widths_.toLayoutUnits(preferred.value);
        const int64_t total = totalWidth();
        if (target > 0) {
            if (total < target) {
                widen(target - total);
            } else if (total > target) {
                if (sumOf(columns_, &TableGridColumn::minWidth) < maxTableWidth_ || maxTableWidth_ < target)
                    shrinkTo(target);
                else
                    fitInto(maxTableWidth_);
            }
            return;
        }
        const bool fixedLayout = isFixedLayout() && !widths_.simpleView();
        if (total <= maxTableWidth_ || fixedLayout) {
            if (!fixedLayout && allContentNarrower_ && maxContentRatio_ > 0.0) {
                for (TableGridColumn& column : columns_)
                    column.width = std::max(column.minWidth, static_cast<int32_t>(column.width * maxContentRatio_));
            }
            return;
        }
        fitInto(maxTableWidth_);
    }

    bool isFixedLayout() const
    {
        return tablePropertiesSource(table_, TablePropertiesOptions::UseTableLayout).generalSettings.tableLayout ==
               TableLayoutType::Fixed;
    }

    /// Widens the columns without a preferred width (all of them when every one has one) in
    /// proportion to their maximum widths.
    void widen(int64_t extra)
    {
        const bool anyFree = std::any_of(columns_.begin(), columns_.end(), [](const auto& c) { return c.preferredWidth == 0; });
        const int64_t left = spreadFromLast(
            columns_, extra, [anyFree](const TableGridColumn& c) { return !anyFree || c.preferredWidth == 0 ? c.maxWidth : 0; },
            [](TableGridColumn& c, int64_t share) { c.width += static_cast<int32_t>(share); });
        if (left > 0 && !columns_.empty())
            columns_.back().width += static_cast<int32_t>(left);
    }

    void shrinkTo(int64_t width)
    {
        if (sumOf(columns_, &TableGridColumn::minWidth) >= width) {
            for (TableGridColumn& column : columns_)
                column.width = column.minWidth;
            return;
        }
        for (TableGridColumn& column : columns_) {
            if (column.maxWidth < column.minWidth)
                std::swap(column.maxWidth, column.minWidth);
        }
        int64_t minimumOfFree = 0;
        int64_t preferredTotal = 0;
        for (const TableGridColumn& column : columns_) {
            if (column.preferredWidth == 0)
                minimumOfFree += column.minWidth;
            else
                preferredTotal += column.preferredWidth;
        }
        const auto take = [](TableGridColumn& c, int64_t share) { c.width -= static_cast<int32_t>(share); };
        if (width - minimumOfFree < preferredTotal) {
            for (TableGridColumn& column : columns_) {
                if (column.preferredWidth == 0)
                    column.width = column.minWidth;
            }
            const int64_t excess = totalWidth() - width;
            if (excess > 0)
                (void)spreadFromLast(
                    columns_, excess,
                    [](const TableGridColumn& c) { return c.preferredWidth > 0 ? int64_t{c.preferredWidth} - c.minWidth : 0; },
                    take);
            return;
        }
        const int64_t excess = totalWidth() - width;
        if (excess > 0)
            (void)spreadFromLast(
                columns_, excess,
                [](const TableGridColumn& c) { return c.preferredWidth == 0 ? int64_t{c.maxWidth} - c.minWidth : 0; }, take);
    }

    void fitInto(int64_t width)
    {
        const int64_t minimum = sumOf(columns_, &TableGridColumn::minWidth);
        if (minimum > width) {
            if (!allowExtend_) {
                for (TableGridColumn& column : columns_)
                    column.width = static_cast<int32_t>(std::max<int64_t>(width * column.minWidth / minimum, 1));
                return;
            }
            width = minimum;
        }
        shrinkTo(width);
    }

    void scaleFixedLayout(const WidthUnitInfo& preferred)
    {
        if (!isFixedLayout() || preferred.type != WidthUnitType::ModelUnits || preferred.value <= 0 || columns_.empty())
            return;
        const int64_t target = widths_.toLayoutUnits(preferred.value);
        const int64_t difference = totalWidth() - target;
        if (difference == 0)
            return;
        if (difference < 0) {
            const int64_t left = spreadFromLast(
                columns_, -difference, [](const TableGridColumn& c) { return c.width; },
                [](TableGridColumn& c, int64_t share) { c.width += static_cast<int32_t>(share); });
            columns_.back().width += static_cast<int32_t>(left);
            return;
        }
        int64_t spare = 0;
        for (const TableGridColumn& column : columns_)
            spare += std::max(column.width - column.minWidth, 0);
        const auto take = [](TableGridColumn& c, int64_t share) { c.width -= static_cast<int32_t>(share); };
        if (spare >= difference) {
            (void)spreadFromLast(columns_, difference, [](const TableGridColumn& c) { return c.width - c.minWidth; }, take);
            return;
        }
        for (TableGridColumn& column : columns_)
            column.width = column.minWidth;
        const int64_t left =
            spreadFromLast(columns_, difference - spare, [](const TableGridColumn&) { return int64_t{1}; }, take);
        columns_.back().width -= static_cast<int32_t>(left);
    }

    /// Columns where a cell starts keep at least that cell's margins; the width they gain comes
    /// from the other columns, in proportion to what those have above their minimum.
    void keepCellMargins()
    {
        std::set<int32_t> starts;
        forEachCellWithColumn([&](const TableCell&, int32_t start) { starts.insert(start); });
        int64_t added = 0;
        std::vector<bool> raised(columns_.size(), false);
        for (const int32_t start : starts) {
            if (start < 0 || start >= static_cast<int32_t>(columns_.size()))
                continue;
            TableGridColumn& column = columns_[static_cast<size_t>(start)];
            if (column.width < column.totalHorizontalMargins) {
                added += column.totalHorizontalMargins - column.width;
                column.width = column.totalHorizontalMargins;
                raised[static_cast<size_t>(start)] = true;
            }
        }
        if (added == 0)
            return;
        std::vector<TableGridColumn> others;
        std::vector<size_t> places;
        for (size_t index = 0; index < columns_.size(); ++index) {
            if (!raised[index]) {
                others.push_back(columns_[index]);
                places.push_back(index);
            }
        }
        (void)spreadFromLast(
            others, added, [](const TableGridColumn& c) { return std::max(c.width - c.minWidth, 0); },
            [](TableGridColumn& c, int64_t share) { c.width -= static_cast<int32_t>(share); });
        for (size_t index = 0; index < others.size(); ++index)
            columns_[places[index]] = others[index];
    }

    const Table& table_;
    const TableWidthsCalculator& widths_;
    int32_t maxTableWidth_;
    bool allowExtend_;
    int32_t percentBase_;
    std::vector<TableGridColumn> columns_;
    bool allContentNarrower_ = true;
    double maxContentRatio_ = 0.0;
};

} // namespace

const TableGrid& TableGridCalculator::calculateTableGrid(const Table& table, int32_t percentBaseWidth) const
{
    const TableGridLayoutInfo* cached = table.cachedLayoutInfo();
    if (cached && cached->maxTableWidth == maxTableWidth_ && cached->percentBaseWidth == percentBaseWidth &&
        cached->allowTablesToExtendIntoMargins == allowTablesToExtendIntoMargins_ && cached->simpleView == widths_.simpleView())
        return cached->grid;
    auto info = std::make_unique<TableGridLayoutInfo>();
    info->grid = GridBuilder(table, widths_, maxTableWidth_, allowTablesToExtendIntoMargins_, percentBaseWidth).build();
    info->maxTableWidth = maxTableWidth_;
    info->percentBaseWidth = percentBaseWidth;
    info->allowTablesToExtendIntoMargins = allowTablesToExtendIntoMargins_;
    info->simpleView = widths_.simpleView();
    const TableGrid& grid = info->grid;
    table.setCachedLayoutInfo(std::move(info));
    return grid;
}

} // namespace velmo::model

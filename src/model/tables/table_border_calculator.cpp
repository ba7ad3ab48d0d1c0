#include "model/tables/table_border_calculator.h"

#include "model/tables/table.h"
#include "model/tables/table_style_resolution.h"

#include <array>
#include <climits>
#include <span>

namespace velmo::model {

namespace {

/// The cumulative positions of a compound line style and the unit they are counted in.
struct Compound {
    std::span<const int32_t> positions;
    int32_t unit;
};

constexpr int32_t kSingle[] = {0, 1};
constexpr int32_t kDouble[] = {0, 1, 2, 3};
constexpr int32_t kTriple[] = {0, 1, 2, 3, 4, 5};
constexpr int32_t kThinThickSmallGap[] = {0, 1, 2, 10};
constexpr int32_t kThickThinSmallGap[] = {0, 8, 9, 10};
constexpr int32_t kThinThickThinSmallGap[] = {0, 1, 2, 10, 11, 12};
constexpr int32_t kThinThickMediumGap[] = {0, 1, 2, 4};
constexpr int32_t kThickThinMediumGap[] = {0, 2, 3, 4};
constexpr int32_t kThinThickThinMediumGap[] = {0, 1, 2, 4, 5, 6};
constexpr int32_t kThinThickLargeGap[] = {0, 1, 9, 11};
constexpr int32_t kThickThinLargeGap[] = {0, 2, 10, 11};
constexpr int32_t kThinThickThinLargeGap[] = {0, 1, 9, 11, 19, 20};
constexpr int32_t kDoubleWave[] = {0, 1, 1, 2};
constexpr int32_t kThreeD[] = {0, 1, 1, 5, 6};

Compound compoundOf(BorderLineStyle style) noexcept
{
    using S = BorderLineStyle;
    switch (style) {
    case S::Single:
    case S::Thick:
    case S::Dotted:
    case S::Dashed:
    case S::DotDash:
    case S::DotDotDash:
    case S::Wave:
    case S::DashSmallGap:
    case S::DashDotStroked:
    case S::Outset:
    case S::Inset: return {kSingle, 1};
    case S::Double: return {kDouble, 1};
    case S::Triple: return {kTriple, 1};
    case S::ThinThickSmallGap: return {kThinThickSmallGap, 8};
    case S::ThickThinSmallGap: return {kThickThinSmallGap, 8};
    case S::ThinThickThinSmallGap: return {kThinThickThinSmallGap, 8};
    case S::ThinThickMediumGap: return {kThinThickMediumGap, 2};
    case S::ThickThinMediumGap: return {kThickThinMediumGap, 2};
    case S::ThinThickThinMediumGap: return {kThinThickThinMediumGap, 2};
    case S::ThinThickLargeGap: return {kThinThickLargeGap, 8};
    case S::ThickThinLargeGap: return {kThickThinLargeGap, 8};
    case S::ThinThickThinLargeGap: return {kThinThickThinLargeGap, 8};
    case S::DoubleWave: return {kDoubleWave, 1};
    case S::ThreeDEmboss:
    case S::ThreeDEngrave: return {kThreeD, 4};
    default: return {{}, 1};
    }
}

bool isMissing(const BorderInfo& border) noexcept
{
    return border.style == BorderLineStyle::Nil || border.style == BorderLineStyle::None;
}

/// Brightness keys of a colour, compared in order; smaller is darker.
std::array<int32_t, 3> darkness(AlphaColor color) noexcept
{
    const auto red = static_cast<int32_t>(color >> 16 & 0xFF);
    const auto green = static_cast<int32_t>(color >> 8 & 0xFF);
    const auto blue = static_cast<int32_t>(color & 0xFF);
    return {red + blue + 2 * green, blue + 2 * green, green};
}

} // namespace

int32_t TableBorderCalculator::lineCount(BorderLineStyle style) noexcept
{
    const auto size = static_cast<int32_t>(compoundOf(style).positions.size());
    // Half the entries, halves rounded to even: 5 entries draw 2 lines.
    const int32_t half = size / 2;
    return size % 2 == 1 && half % 2 == 1 ? half + 1 : half;
}

int32_t TableBorderCalculator::weight(BorderLineStyle style) noexcept
{
    if (style == BorderLineStyle::Disabled)
        return INT32_MAX;
    if (style > BorderLineStyle::Inset)
        return 0;
    return static_cast<int32_t>(style) * lineCount(style);
}

int32_t TableBorderCalculator::actualWidth(BorderLineStyle style, int32_t width) noexcept
{
    const Compound compound = compoundOf(style);
    if (compound.positions.empty())
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(width) * compound.positions.back() / compound.unit);
}

std::vector<float> TableBorderCalculator::drawingProportions(BorderLineStyle style)
{
    const Compound compound = compoundOf(style);
    std::vector<float> result;
    for (const int32_t position : compound.positions)
        result.push_back(static_cast<float>(position) / static_cast<float>(compound.positions.back()));
    return result;
}

int TableBorderCalculator::chooseBorder(const BorderInfo& first, const BorderInfo& second) noexcept
{
    if (isMissing(second))
        return 0;
    if (isMissing(first))
        return 1;
    if (weight(first.style) != weight(second.style))
        return weight(first.style) > weight(second.style) ? 0 : 1;
    if (first.style != second.style)
        return first.style > second.style ? 0 : 1;
    const auto firstKeys = darkness(first.color);
    const auto secondKeys = darkness(second.color);
    return secondKeys < firstKeys ? 1 : 0;
}

VerticalBorderSource verticalBorderSource(const TableCell& left, const TableCell& right)
{
    const WidthUnitInfo& spacing = left.row().properties().cellSpacing;
    if (spacing.type == WidthUnitType::ModelUnits && spacing.value > 0)
        return VerticalBorderSource::Both;
    const int chosen = TableBorderCalculator::chooseBorder(actualCellBorder(left, TableBorderEdge::Right),
                                                           actualCellBorder(right, TableBorderEdge::Left));
    return chosen == 0 ? VerticalBorderSource::LeftCell : VerticalBorderSource::RightCell;
}

BorderInfo horizontalBorderBetween(const TableCell* above, const TableCell* below)
{
    if (!above)
        return below ? actualCellBorder(*below, TableBorderEdge::Top) : BorderInfo{};
    const BorderInfo upper = actualCellBorder(*above, TableBorderEdge::Bottom);
    if (!below)
        return upper;
    const BorderInfo lower = actualCellBorder(*below, TableBorderEdge::Top);
    return TableBorderCalculator::chooseBorder(upper, lower) == 0 ? upper : lower;
}

} // namespace velmo::model

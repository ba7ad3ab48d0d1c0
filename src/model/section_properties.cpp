#include "model/section_properties.h"

#include "model/document_model_unit_converter.h"

#include <functional>
#include <initializer_list>

namespace velmo::model {

namespace {

size_t combine(std::initializer_list<size_t> values) noexcept
{
    size_t hash = 0;
    for (const size_t value : values)
        hash = hash * 1000003u ^ value;
    return hash;
}

size_t of(int32_t value) noexcept
{
    return static_cast<size_t>(static_cast<uint32_t>(value));
}

} // namespace

size_t MarginsInfo::hash() const noexcept
{
    return combine({of(left), of(right), of(top), of(bottom), of(headerOffset), of(footerOffset), of(gutter),
                    static_cast<size_t>(gutterAlignment)});
}

MarginsInfo MarginsInfo::documentDefault() noexcept
{
    using C = DocumentModelUnitConverter;
    MarginsInfo margins;
    margins.left = C::hundredthsOfMillimeterToModelUnits(3000);
    margins.right = C::hundredthsOfMillimeterToModelUnits(1500);
    margins.top = C::hundredthsOfMillimeterToModelUnits(2000);
    margins.bottom = C::hundredthsOfMillimeterToModelUnits(2000);
    margins.headerOffset = C::hundredthsOfMillimeterToModelUnits(1250);
    margins.footerOffset = C::hundredthsOfMillimeterToModelUnits(1250);
    return margins;
}

size_t PageInfo::hash() const noexcept
{
    return combine({of(width), of(height), static_cast<size_t>(landscape), static_cast<size_t>(paperKind)});
}

void PageInfo::validatePaperKind() noexcept
{
    const PaperSize paper = PaperSizeCalculator::calculatePaperSize(paperKind);
    if (width <= 0)
        width = landscape ? paper.height : paper.width;
    if (height <= 0)
        height = landscape ? paper.width : paper.height;
    const PaperSize portrait = landscape ? PaperSize{height, width} : PaperSize{width, height};
    paperKind = PaperSizeCalculator::calculatePaperKind(portrait, PaperKind::Custom, 240);
}

size_t GeneralSectionInfo::hash() const noexcept
{
    return combine({static_cast<size_t>(startType), static_cast<size_t>(differentFirstPage), of(firstPagePaperSource),
                    of(otherPagePaperSource), static_cast<size_t>(onlyAllowEditingOfFormFields),
                    static_cast<size_t>(textDirection), static_cast<size_t>(verticalTextAlignment)});
}

size_t PageNumberingInfo::hash() const noexcept
{
    return combine({static_cast<size_t>(numberingFormat), of(firstPageNumber), static_cast<size_t>(continueNumbering),
                    static_cast<size_t>(chapterSeparator), of(chapterHeaderStyle)});
}

size_t LineNumberingInfo::hash() const noexcept
{
    return combine({of(distance), of(startingLineNumber), of(step), static_cast<size_t>(numberingRestartType)});
}

size_t ColumnsInfo::hash() const noexcept
{
    size_t hash = combine({of(columnCount), static_cast<size_t>(equalWidthColumns), of(space), static_cast<size_t>(drawVerticalSeparator)});
    for (const ColumnInfo& column : columns)
        hash = combine({hash, of(column.width), of(column.space)});
    return hash;
}

ColumnsInfo ColumnsInfo::documentDefault() noexcept
{
    ColumnsInfo columns;
    columns.space = DocumentModelUnitConverter::hundredthsOfMillimeterToModelUnits(1250);
    return columns;
}

size_t FootNoteInfo::hash() const noexcept
{
    return combine({static_cast<size_t>(position), static_cast<size_t>(numberingFormat), static_cast<size_t>(numberingRestartType),
                    of(startingNumber), std::hash<std::u16string>()(customMark)});
}

FootNoteInfo FootNoteInfo::endNoteDefault()
{
    FootNoteInfo info;
    info.position = FootNotePosition::EndOfDocument;
    info.numberingFormat = NumberingFormat::LowerRoman;
    return info;
}

} // namespace velmo::model

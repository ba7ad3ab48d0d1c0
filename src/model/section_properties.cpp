#include "model/section_properties.h"

#include "core/hash_combine.h"
#include "model/document_model_unit_converter.h"

#include <functional>
#include <initializer_list>

namespace velmo::model {

using core::hashCombine;
using core::hashOf;

size_t MarginsInfo::hash() const noexcept
{
    return hashCombine({hashOf(left), hashOf(right), hashOf(top), hashOf(bottom), hashOf(headerOffset), hashOf(footerOffset), hashOf(gutter),
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
    return hashCombine({hashOf(width), hashOf(height), static_cast<size_t>(landscape), static_cast<size_t>(paperKind)});
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
    return hashCombine({static_cast<size_t>(startType), static_cast<size_t>(differentFirstPage), hashOf(firstPagePaperSource),
                    hashOf(otherPagePaperSource), static_cast<size_t>(onlyAllowEditingOfFormFields),
                    static_cast<size_t>(textDirection), static_cast<size_t>(verticalTextAlignment)});
}

size_t PageNumberingInfo::hash() const noexcept
{
    return hashCombine({static_cast<size_t>(numberingFormat), hashOf(firstPageNumber), static_cast<size_t>(continueNumbering),
                    static_cast<size_t>(chapterSeparator), hashOf(chapterHeaderStyle)});
}

size_t LineNumberingInfo::hash() const noexcept
{
    return hashCombine({hashOf(distance), hashOf(startingLineNumber), hashOf(step), static_cast<size_t>(numberingRestartType)});
}

size_t ColumnsInfo::hash() const noexcept
{
    size_t hash = hashCombine({hashOf(columnCount), static_cast<size_t>(equalWidthColumns), hashOf(space), static_cast<size_t>(drawVerticalSeparator)});
    for (const ColumnInfo& column : columns)
        hash = hashCombine({hash, hashOf(column.width), hashOf(column.space)});
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
    return hashCombine({static_cast<size_t>(position), static_cast<size_t>(numberingFormat), static_cast<size_t>(numberingRestartType),
                    hashOf(startingNumber), std::hash<std::u16string>()(customMark)});
}

FootNoteInfo FootNoteInfo::endNoteDefault()
{
    FootNoteInfo info;
    info.position = FootNotePosition::EndOfDocument;
    info.numberingFormat = NumberingFormat::LowerRoman;
    return info;
}

} // namespace velmo::model

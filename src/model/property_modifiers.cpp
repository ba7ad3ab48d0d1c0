#include "model/property_modifiers.h"

#include "model/document_model.h"

namespace velmo::model {

using O = UsedCharacterFormattingOption;
using F = CharacterFormattingBase;
using I = CharacterFormattingInfo;

CharacterPropertyModifier<bool> fontBoldModifier(bool value)
{
    return {value, O::UseFontBold, &F::setFontBold, &I::fontBold};
}
CharacterPropertyModifier<bool> fontItalicModifier(bool value)
{
    return {value, O::UseFontItalic, &F::setFontItalic, &I::fontItalic};
}
CharacterPropertyModifier<bool> hiddenModifier(bool value)
{
    return {value, O::UseHidden, &F::setHidden, &I::hidden};
}
CharacterPropertyModifier<bool> allCapsModifier(bool value)
{
    return {value, O::UseAllCaps, &F::setAllCaps, &I::allCaps};
}
CharacterPropertyModifier<int32_t> doubleFontSizeModifier(int32_t value)
{
    return {value, O::UseDoubleFontSize, &F::setDoubleFontSize, &I::doubleFontSize};
}
FontNameModifier fontNameModifier(std::u16string value)
{
    return {std::move(value), O::UseFontName, &F::setFontName, &I::fontName};
}
CharacterPropertyModifier<UnderlineType> fontUnderlineTypeModifier(UnderlineType value)
{
    return {value, O::UseFontUnderlineType, &F::setFontUnderlineType, &I::fontUnderlineType};
}
CharacterPropertyModifier<AlphaColor> foreColorModifier(AlphaColor value)
{
    return {value, O::UseForeColor, &F::setForeColor, &I::foreColor};
}

void CharacterFormattingModifier::modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const
{
    CharacterProperties(pieceTable.run(runIndex)).copyFrom(formatting_);
}

void CharacterFormattingModifier::modifyInputPosition(InputPosition& position, DocumentModel& documentModel) const
{
    position.characterPropertiesIndex = documentModel.cache().characterFormattingCache().add(formatting_);
}

void RunCharacterStyleModifier::modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const
{
    pieceTable.setCharacterStyleIndex(runIndex, newValue());
}

void RunCharacterStyleModifier::modifyInputPosition(InputPosition& position, DocumentModel&) const
{
    position.characterStyleIndex = newValue();
}

int32_t RunCharacterStyleModifier::runPropertyValue(const PieceTable& pieceTable, RunIndex runIndex) const
{
    return pieceTable.run(runIndex).characterStyleIndex();
}

int32_t RunCharacterStyleModifier::inputPositionPropertyValue(const InputPosition& position, const PieceTable&) const
{
    return position.characterStyleIndex;
}

void ParagraphFormattingModifier::modifyParagraph(PieceTable& pieceTable, ParagraphIndex paragraphIndex) const
{
    ParagraphProperties properties(pieceTable.paragraph(paragraphIndex));
    change_(properties);
}

void ParagraphStyleModifier::modifyParagraph(PieceTable& pieceTable, ParagraphIndex paragraphIndex) const
{
    pieceTable.setParagraphStyleIndex(paragraphIndex, styleIndex_);
}

} // namespace velmo::model

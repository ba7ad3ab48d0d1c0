#include "model/paragraph_properties.h"

namespace velmo::model {

using O = UsedParagraphFormattingOption;

DocumentModelChangeActions paragraphChangeActions(UsedParagraphFormattingOption option) noexcept
{
    using A = DocumentModelChangeActions;
    constexpr A kLayout = A::Redraw | A::ResetPrimaryLayout | A::ResetSecondaryLayout | A::ResetSelectionLayout;
    switch (option) {
    case O::UseLeftIndent: return kLayout | A::ForceResetHorizontalRuler;
    case O::UseRightIndent: return kLayout | A::ForceResetHorizontalRuler;
    case O::UseFirstLineIndent: return kLayout | A::ForceResetHorizontalRuler;
    case O::UsePageBreakBefore:
        return A::Redraw | A::ResetAllPrimaryLayout | A::ResetSecondaryLayout | A::ResetSelectionLayout | A::ResetRuler;
    case O::UseAlignment:
    case O::UseSpacingBefore:
    case O::UseSpacingAfter:
    case O::UseLineSpacing:
    case O::UseSuppressHyphenation:
    case O::UseSuppressLineNumbers:
    case O::UseContextualSpacing:
    case O::UseBeforeAutoSpacing:
    case O::UseAfterAutoSpacing:
    case O::UseKeepWithNext:
    case O::UseKeepLinesTogether:
    case O::UseWidowOrphanControl:
    case O::UseOutlineLevel:
    case O::UseBackColor:
    case O::UseLeftBorder:
    case O::UseRightBorder:
    case O::UseTopBorder:
    case O::UseBottomBorder:
        return kLayout | A::ResetRuler;
    }
    return kLayout | A::ResetRuler;
}

namespace {

template <typename Setter>
void setProperty(ParagraphProperties& properties, UsedParagraphFormattingOption option, Setter setter)
{
    properties.change([&](ParagraphFormattingBase& formatting) { formatting.set(option, setter); }, paragraphChangeActions(option));
}

} // namespace

void ParagraphProperties::setAlignment(ParagraphAlignment value)
{
    setProperty(*this, O::UseAlignment, [&](ParagraphFormattingInfo& info) { info.setAlignment(value); });
}
void ParagraphProperties::setLeftIndent(int32_t value)
{
    setProperty(*this, O::UseLeftIndent, [&](ParagraphFormattingInfo& info) { info.setLeftIndent(value); });
}
void ParagraphProperties::setRightIndent(int32_t value)
{
    setProperty(*this, O::UseRightIndent, [&](ParagraphFormattingInfo& info) { info.setRightIndent(value); });
}
void ParagraphProperties::setSpacingBefore(int32_t value)
{
    setProperty(*this, O::UseSpacingBefore, [&](ParagraphFormattingInfo& info) { info.setSpacingBefore(value); });
}
void ParagraphProperties::setSpacingAfter(int32_t value)
{
    setProperty(*this, O::UseSpacingAfter, [&](ParagraphFormattingInfo& info) { info.setSpacingAfter(value); });
}
void ParagraphProperties::setLineSpacingType(ParagraphLineSpacing value)
{
    setProperty(*this, O::UseLineSpacing, [&](ParagraphFormattingInfo& info) { info.setLineSpacingType(value); });
}
void ParagraphProperties::setLineSpacing(float value)
{
    setProperty(*this, O::UseLineSpacing, [&](ParagraphFormattingInfo& info) { info.setLineSpacing(value); });
}
void ParagraphProperties::setFirstLineIndentType(ParagraphFirstLineIndent value)
{
    setProperty(*this, O::UseFirstLineIndent, [&](ParagraphFormattingInfo& info) { info.setFirstLineIndentType(value); });
}
void ParagraphProperties::setFirstLineIndent(int32_t value)
{
    setProperty(*this, O::UseFirstLineIndent, [&](ParagraphFormattingInfo& info) { info.setFirstLineIndent(value); });
}
void ParagraphProperties::setSuppressHyphenation(bool value)
{
    setProperty(*this, O::UseSuppressHyphenation, [&](ParagraphFormattingInfo& info) { info.setSuppressHyphenation(value); });
}
void ParagraphProperties::setSuppressLineNumbers(bool value)
{
    setProperty(*this, O::UseSuppressLineNumbers, [&](ParagraphFormattingInfo& info) { info.setSuppressLineNumbers(value); });
}
void ParagraphProperties::setContextualSpacing(bool value)
{
    setProperty(*this, O::UseContextualSpacing, [&](ParagraphFormattingInfo& info) { info.setContextualSpacing(value); });
}
void ParagraphProperties::setPageBreakBefore(bool value)
{
    setProperty(*this, O::UsePageBreakBefore, [&](ParagraphFormattingInfo& info) { info.setPageBreakBefore(value); });
}
void ParagraphProperties::setBeforeAutoSpacing(bool value)
{
    setProperty(*this, O::UseBeforeAutoSpacing, [&](ParagraphFormattingInfo& info) { info.setBeforeAutoSpacing(value); });
}
void ParagraphProperties::setAfterAutoSpacing(bool value)
{
    setProperty(*this, O::UseAfterAutoSpacing, [&](ParagraphFormattingInfo& info) { info.setAfterAutoSpacing(value); });
}
void ParagraphProperties::setKeepWithNext(bool value)
{
    setProperty(*this, O::UseKeepWithNext, [&](ParagraphFormattingInfo& info) { info.setKeepWithNext(value); });
}
void ParagraphProperties::setKeepLinesTogether(bool value)
{
    setProperty(*this, O::UseKeepLinesTogether, [&](ParagraphFormattingInfo& info) { info.setKeepLinesTogether(value); });
}
void ParagraphProperties::setWidowOrphanControl(bool value)
{
    setProperty(*this, O::UseWidowOrphanControl, [&](ParagraphFormattingInfo& info) { info.setWidowOrphanControl(value); });
}
void ParagraphProperties::setOutlineLevel(int32_t value)
{
    setProperty(*this, O::UseOutlineLevel, [&](ParagraphFormattingInfo& info) { info.setOutlineLevel(value); });
}
void ParagraphProperties::setBackColor(AlphaColor value)
{
    setProperty(*this, O::UseBackColor, [&](ParagraphFormattingInfo& info) { info.setBackColor(value); });
}
void ParagraphProperties::setLeftBorder(const BorderInfo& value)
{
    setProperty(*this, O::UseLeftBorder, [&](ParagraphFormattingInfo& info) { info.setLeftBorder(value); });
}
void ParagraphProperties::setRightBorder(const BorderInfo& value)
{
    setProperty(*this, O::UseRightBorder, [&](ParagraphFormattingInfo& info) { info.setRightBorder(value); });
}
void ParagraphProperties::setTopBorder(const BorderInfo& value)
{
    setProperty(*this, O::UseTopBorder, [&](ParagraphFormattingInfo& info) { info.setTopBorder(value); });
}
void ParagraphProperties::setBottomBorder(const BorderInfo& value)
{
    setProperty(*this, O::UseBottomBorder, [&](ParagraphFormattingInfo& info) { info.setBottomBorder(value); });
}

} // namespace velmo::model

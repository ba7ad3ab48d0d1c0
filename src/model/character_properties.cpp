#include "model/character_properties.h"

namespace velmo::model {

DocumentModelChangeActions characterChangeActions(UsedCharacterFormattingOption option) noexcept
{
    using A = DocumentModelChangeActions;
    constexpr A kLayout = A::Redraw | A::ResetPrimaryLayout | A::ResetSecondaryLayout | A::ResetSelectionLayout |
                          A::ResetCaretInputPositionFormatting;
    switch (option) {
    case UsedCharacterFormattingOption::UseFontName: return kLayout | A::SplitRunByCharset;
    case UsedCharacterFormattingOption::UseDoubleFontSize: return kLayout;
    case UsedCharacterFormattingOption::UseFontBold: return kLayout;
    case UsedCharacterFormattingOption::UseFontItalic: return kLayout;
    case UsedCharacterFormattingOption::UseFontUnderlineType: return kLayout;
    case UsedCharacterFormattingOption::UseFontStrikeoutType: return kLayout;
    case UsedCharacterFormattingOption::UseAllCaps: return kLayout;
    case UsedCharacterFormattingOption::UseScript: return kLayout;
    case UsedCharacterFormattingOption::UseForeColor: return A::Redraw | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseBackColor: return A::Redraw | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseStrikeoutColor: return A::Redraw | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseUnderlineWordsOnly: return A::Redraw | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseUnderlineColor:
        return A::Redraw | A::ResetSecondaryLayout | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseStrikeoutWordsOnly:
        return A::Redraw | A::ResetSecondaryLayout | A::ResetCaretInputPositionFormatting;
    case UsedCharacterFormattingOption::UseHidden: return kLayout | A::ValidateSelectionInterval;
    case UsedCharacterFormattingOption::UseNoProof: return kLayout | A::ResetUncheckedIntervals | A::ValidateSelectionInterval;
    }
    return kLayout;
}

namespace {

template <typename Setter>
void setProperty(CharacterProperties& properties, UsedCharacterFormattingOption option, Setter setter)
{
    properties.change(setter, characterChangeActions(option));
}

} // namespace

using O = UsedCharacterFormattingOption;

void CharacterProperties::setFontName(const std::u16string& value)
{
    setProperty(*this, O::UseFontName, [&](CharacterFormattingBase& f) { f.setFontName(value); });
}
void CharacterProperties::setDoubleFontSize(int32_t value)
{
    setProperty(*this, O::UseDoubleFontSize, [&](CharacterFormattingBase& f) { f.setDoubleFontSize(value); });
}
void CharacterProperties::setFontBold(bool value)
{
    setProperty(*this, O::UseFontBold, [&](CharacterFormattingBase& f) { f.setFontBold(value); });
}
void CharacterProperties::setFontItalic(bool value)
{
    setProperty(*this, O::UseFontItalic, [&](CharacterFormattingBase& f) { f.setFontItalic(value); });
}
void CharacterProperties::setFontUnderlineType(UnderlineType value)
{
    setProperty(*this, O::UseFontUnderlineType, [&](CharacterFormattingBase& f) { f.setFontUnderlineType(value); });
}
void CharacterProperties::setFontStrikeoutType(StrikeoutType value)
{
    setProperty(*this, O::UseFontStrikeoutType, [&](CharacterFormattingBase& f) { f.setFontStrikeoutType(value); });
}
void CharacterProperties::setAllCaps(bool value)
{
    setProperty(*this, O::UseAllCaps, [&](CharacterFormattingBase& f) { f.setAllCaps(value); });
}
void CharacterProperties::setForeColor(AlphaColor value)
{
    setProperty(*this, O::UseForeColor, [&](CharacterFormattingBase& f) { f.setForeColor(value); });
}
void CharacterProperties::setBackColor(AlphaColor value)
{
    setProperty(*this, O::UseBackColor, [&](CharacterFormattingBase& f) { f.setBackColor(value); });
}
void CharacterProperties::setUnderlineColor(AlphaColor value)
{
    setProperty(*this, O::UseUnderlineColor, [&](CharacterFormattingBase& f) { f.setUnderlineColor(value); });
}
void CharacterProperties::setStrikeoutColor(AlphaColor value)
{
    setProperty(*this, O::UseStrikeoutColor, [&](CharacterFormattingBase& f) { f.setStrikeoutColor(value); });
}
void CharacterProperties::setUnderlineWordsOnly(bool value)
{
    setProperty(*this, O::UseUnderlineWordsOnly, [&](CharacterFormattingBase& f) { f.setUnderlineWordsOnly(value); });
}
void CharacterProperties::setStrikeoutWordsOnly(bool value)
{
    setProperty(*this, O::UseStrikeoutWordsOnly, [&](CharacterFormattingBase& f) { f.setStrikeoutWordsOnly(value); });
}
void CharacterProperties::setScript(CharacterFormattingScript value)
{
    setProperty(*this, O::UseScript, [&](CharacterFormattingBase& f) { f.setScript(value); });
}
void CharacterProperties::setHidden(bool value)
{
    setProperty(*this, O::UseHidden, [&](CharacterFormattingBase& f) { f.setHidden(value); });
}
void CharacterProperties::setNoProof(bool value)
{
    setProperty(*this, O::UseNoProof, [&](CharacterFormattingBase& f) { f.setNoProof(value); });
}

} // namespace velmo::model

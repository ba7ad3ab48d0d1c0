#include "model/character_formatting_info.h"

#include "core/case_insensitive.h"

#include <algorithm>

namespace velmo::model {

void CharacterFormattingInfo::setFontName(std::u16string name)
{
    fontName_ = std::move(name);
    fontNameHash_ = core::hashIgnoreCase(fontName_);
}

void CharacterFormattingInfo::setDoubleFontSize(int32_t halfPoints) noexcept
{
    const auto clamped = static_cast<uint32_t>(std::clamp(halfPoints, 0, 0xFFFF));
    packed_ = (packed_ & 0xFFFFu) | clamped << 16;
}

void CharacterFormattingInfo::copyProperties(const CharacterFormattingInfo& source, CharacterPropertiesMask mask)
{
    using O = UsedCharacterFormattingOption;
    const auto has = [mask](O option) { return (mask & static_cast<CharacterPropertiesMask>(option)) != 0; };
    if (has(O::UseFontName))
        setFontName(source.fontName_);
    if (has(O::UseDoubleFontSize))
        setDoubleFontSize(source.doubleFontSize());
    if (has(O::UseFontBold))
        setFontBold(source.fontBold());
    if (has(O::UseFontItalic))
        setFontItalic(source.fontItalic());
    if (has(O::UseFontStrikeoutType))
        setFontStrikeoutType(source.fontStrikeoutType());
    if (has(O::UseFontUnderlineType))
        setFontUnderlineType(source.fontUnderlineType());
    if (has(O::UseAllCaps))
        setAllCaps(source.allCaps());
    if (has(O::UseForeColor))
        foreColor_ = source.foreColor_;
    if (has(O::UseBackColor))
        backColor_ = source.backColor_;
    if (has(O::UseUnderlineColor))
        underlineColor_ = source.underlineColor_;
    if (has(O::UseStrikeoutColor))
        strikeoutColor_ = source.strikeoutColor_;
    if (has(O::UseUnderlineWordsOnly))
        setUnderlineWordsOnly(source.underlineWordsOnly());
    if (has(O::UseStrikeoutWordsOnly))
        setStrikeoutWordsOnly(source.strikeoutWordsOnly());
    if (has(O::UseScript))
        setScript(source.script());
    if (has(O::UseHidden))
        setHidden(source.hidden());
    if (has(O::UseNoProof))
        setNoProof(source.noProof());
}

CharacterPropertiesMask CharacterFormattingInfo::differingProperties(const CharacterFormattingInfo& other) const
{
    using O = UsedCharacterFormattingOption;
    CharacterPropertiesMask mask = 0;
    const auto differ = [&mask](bool different, O option) {
        if (different)
            mask = static_cast<CharacterPropertiesMask>(mask | static_cast<CharacterPropertiesMask>(option));
    };
    differ(!core::equalsIgnoreCase(fontName_, other.fontName_), O::UseFontName);
    differ(doubleFontSize() != other.doubleFontSize(), O::UseDoubleFontSize);
    differ(fontBold() != other.fontBold(), O::UseFontBold);
    differ(fontItalic() != other.fontItalic(), O::UseFontItalic);
    differ(fontStrikeoutType() != other.fontStrikeoutType(), O::UseFontStrikeoutType);
    differ(fontUnderlineType() != other.fontUnderlineType(), O::UseFontUnderlineType);
    differ(allCaps() != other.allCaps(), O::UseAllCaps);
    differ(foreColor_ != other.foreColor_, O::UseForeColor);
    differ(backColor_ != other.backColor_, O::UseBackColor);
    differ(underlineColor_ != other.underlineColor_, O::UseUnderlineColor);
    differ(strikeoutColor_ != other.strikeoutColor_, O::UseStrikeoutColor);
    differ(underlineWordsOnly() != other.underlineWordsOnly(), O::UseUnderlineWordsOnly);
    differ(strikeoutWordsOnly() != other.strikeoutWordsOnly(), O::UseStrikeoutWordsOnly);
    differ(script() != other.script(), O::UseScript);
    differ(hidden() != other.hidden(), O::UseHidden);
    differ(noProof() != other.noProof(), O::UseNoProof);
    return mask;
}

bool CharacterFormattingInfo::operator==(const CharacterFormattingInfo& other) const noexcept
{
    return packed_ == other.packed_ && foreColor_ == other.foreColor_ && backColor_ == other.backColor_ &&
           underlineColor_ == other.underlineColor_ && strikeoutColor_ == other.strikeoutColor_ &&
           fontNameHash_ == other.fontNameHash_ && core::equalsIgnoreCase(fontName_, other.fontName_);
}

size_t CharacterFormattingInfo::hash() const noexcept
{
    return fontNameHash_ ^ packed_ ^ (static_cast<size_t>(foreColor_) << 8) ^ (static_cast<size_t>(backColor_) << 8);
}

CharacterFormattingInfo CharacterFormattingInfo::documentDefault()
{
    CharacterFormattingInfo info;
    info.setFontName(u"Calibri");
    info.setDoubleFontSize(22);
    return info;
}

void CharacterFormattingBase::setFontName(std::u16string value)
{
    info_.setFontName(std::move(value));
    use(UsedCharacterFormattingOption::UseFontName);
}

void CharacterFormattingBase::setDoubleFontSize(int32_t value)
{
    info_.setDoubleFontSize(value);
    use(UsedCharacterFormattingOption::UseDoubleFontSize);
}

void CharacterFormattingBase::setFontBold(bool value)
{
    info_.setFontBold(value);
    use(UsedCharacterFormattingOption::UseFontBold);
}

void CharacterFormattingBase::setFontItalic(bool value)
{
    info_.setFontItalic(value);
    use(UsedCharacterFormattingOption::UseFontItalic);
}

void CharacterFormattingBase::setFontUnderlineType(UnderlineType value)
{
    info_.setFontUnderlineType(value);
    use(UsedCharacterFormattingOption::UseFontUnderlineType);
}

void CharacterFormattingBase::setFontStrikeoutType(StrikeoutType value)
{
    info_.setFontStrikeoutType(value);
    use(UsedCharacterFormattingOption::UseFontStrikeoutType);
}

void CharacterFormattingBase::setAllCaps(bool value)
{
    info_.setAllCaps(value);
    use(UsedCharacterFormattingOption::UseAllCaps);
}

void CharacterFormattingBase::setForeColor(AlphaColor value)
{
    info_.setForeColor(value);
    use(UsedCharacterFormattingOption::UseForeColor);
}

void CharacterFormattingBase::setBackColor(AlphaColor value)
{
    info_.setBackColor(value);
    use(UsedCharacterFormattingOption::UseBackColor);
}

void CharacterFormattingBase::setUnderlineColor(AlphaColor value)
{
    info_.setUnderlineColor(value);
    use(UsedCharacterFormattingOption::UseUnderlineColor);
}

void CharacterFormattingBase::setStrikeoutColor(AlphaColor value)
{
    info_.setStrikeoutColor(value);
    use(UsedCharacterFormattingOption::UseStrikeoutColor);
}

void CharacterFormattingBase::setUnderlineWordsOnly(bool value)
{
    info_.setUnderlineWordsOnly(value);
    use(UsedCharacterFormattingOption::UseUnderlineWordsOnly);
}

void CharacterFormattingBase::setStrikeoutWordsOnly(bool value)
{
    info_.setStrikeoutWordsOnly(value);
    use(UsedCharacterFormattingOption::UseStrikeoutWordsOnly);
}

void CharacterFormattingBase::setScript(CharacterFormattingScript value)
{
    info_.setScript(value);
    use(UsedCharacterFormattingOption::UseScript);
}

void CharacterFormattingBase::setHidden(bool value)
{
    info_.setHidden(value);
    use(UsedCharacterFormattingOption::UseHidden);
}

void CharacterFormattingBase::setNoProof(bool value)
{
    info_.setNoProof(value);
    use(UsedCharacterFormattingOption::UseNoProof);
}

} // namespace velmo::model

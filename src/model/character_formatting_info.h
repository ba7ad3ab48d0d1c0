#pragma once

#include "model/alpha_color.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmo::model {

enum class UnderlineType : uint8_t {
    None,
    Single,
    Dotted,
    Dashed,
    DashDotted,
    DashDotDotted,
    Double,
    HeavyWave,
    LongDashed,
    ThickSingle,
    ThickDotted,
    ThickDashed,
    ThickDashDotted,
    ThickDashDotDotted,
    ThickLongDashed,
    DoubleWave,
    Wave,
    DashSmallGap,
};

enum class StrikeoutType : uint8_t { None, Single, Double };

enum class CharacterFormattingScript : uint8_t { Normal, Subscript, Superscript };

/// One bit per character property: which properties a formatting layer sets.
enum class UsedCharacterFormattingOption : uint16_t {
    UseFontName = 1u << 0,
    UseDoubleFontSize = 1u << 1,
    UseFontBold = 1u << 2,
    UseFontItalic = 1u << 3,
    UseFontStrikeoutType = 1u << 4,
    UseFontUnderlineType = 1u << 5,
    UseAllCaps = 1u << 6,
    UseForeColor = 1u << 7,
    UseBackColor = 1u << 8,
    UseUnderlineColor = 1u << 9,
    UseStrikeoutColor = 1u << 10,
    UseUnderlineWordsOnly = 1u << 11,
    UseStrikeoutWordsOnly = 1u << 12,
    UseScript = 1u << 13,
    UseHidden = 1u << 14,
    UseNoProof = 1u << 15,
};

/// A set of UsedCharacterFormattingOption bits.
using CharacterPropertiesMask = uint16_t;
inline constexpr CharacterPropertiesMask kCharacterPropertiesMaskAll = 0xFFFF;

[[nodiscard]] constexpr CharacterPropertiesMask operator|(UsedCharacterFormattingOption a, UsedCharacterFormattingOption b) noexcept
{
    return static_cast<CharacterPropertiesMask>(static_cast<uint16_t>(a) | static_cast<uint16_t>(b));
}

/// The values of every character property. Small values share one packed word; font names
/// compare ignoring letter case.
class CharacterFormattingInfo {
public:
    [[nodiscard]] const std::u16string& fontName() const noexcept { return fontName_; }
    void setFontName(std::u16string name);
    [[nodiscard]] int32_t doubleFontSize() const noexcept { return static_cast<int32_t>(packed_ >> 16); }
    /// Half-points, kept within 0..65535.
    void setDoubleFontSize(int32_t halfPoints) noexcept;
    [[nodiscard]] bool fontBold() const noexcept { return bit(kBoldBit); }
    void setFontBold(bool value) noexcept { setBit(kBoldBit, value); }
    [[nodiscard]] bool fontItalic() const noexcept { return bit(kItalicBit); }
    void setFontItalic(bool value) noexcept { setBit(kItalicBit, value); }
    [[nodiscard]] UnderlineType fontUnderlineType() const noexcept { return static_cast<UnderlineType>(packed_ & 0x1F); }
    void setFontUnderlineType(UnderlineType value) noexcept { setField(0, 0x1F, static_cast<uint32_t>(value)); }
    [[nodiscard]] StrikeoutType fontStrikeoutType() const noexcept { return static_cast<StrikeoutType>(packed_ >> 5 & 0x3); }
    void setFontStrikeoutType(StrikeoutType value) noexcept { setField(5, 0x3, static_cast<uint32_t>(value)); }
    [[nodiscard]] CharacterFormattingScript script() const noexcept { return static_cast<CharacterFormattingScript>(packed_ >> 7 & 0x3); }
    void setScript(CharacterFormattingScript value) noexcept { setField(7, 0x3, static_cast<uint32_t>(value)); }
    [[nodiscard]] bool allCaps() const noexcept { return bit(kAllCapsBit); }
    void setAllCaps(bool value) noexcept { setBit(kAllCapsBit, value); }
    [[nodiscard]] bool underlineWordsOnly() const noexcept { return bit(kUnderlineWordsOnlyBit); }
    void setUnderlineWordsOnly(bool value) noexcept { setBit(kUnderlineWordsOnlyBit, value); }
    [[nodiscard]] bool strikeoutWordsOnly() const noexcept { return bit(kStrikeoutWordsOnlyBit); }
    void setStrikeoutWordsOnly(bool value) noexcept { setBit(kStrikeoutWordsOnlyBit, value); }
    [[nodiscard]] bool hidden() const noexcept { return bit(kHiddenBit); }
    void setHidden(bool value) noexcept { setBit(kHiddenBit, value); }
    [[nodiscard]] bool noProof() const noexcept { return bit(kNoProofBit); }
    void setNoProof(bool value) noexcept { setBit(kNoProofBit, value); }
    [[nodiscard]] AlphaColor foreColor() const noexcept { return foreColor_; }
    void setForeColor(AlphaColor value) noexcept { foreColor_ = value; }
    [[nodiscard]] AlphaColor backColor() const noexcept { return backColor_; }
    void setBackColor(AlphaColor value) noexcept { backColor_ = value; }
    [[nodiscard]] AlphaColor underlineColor() const noexcept { return underlineColor_; }
    void setUnderlineColor(AlphaColor value) noexcept { underlineColor_ = value; }
    [[nodiscard]] AlphaColor strikeoutColor() const noexcept { return strikeoutColor_; }
    void setStrikeoutColor(AlphaColor value) noexcept { strikeoutColor_ = value; }

    /// Copies the properties named in `mask` from `source`.
    void copyProperties(const CharacterFormattingInfo& source, CharacterPropertiesMask mask);
    /// The properties whose values differ from `other`'s.
    [[nodiscard]] CharacterPropertiesMask differingProperties(const CharacterFormattingInfo& other) const;

    [[nodiscard]] bool operator==(const CharacterFormattingInfo& other) const noexcept;
    [[nodiscard]] size_t hash() const noexcept;

    /// The default item of a document's caches: "Calibri", 11 pt.
    [[nodiscard]] static CharacterFormattingInfo documentDefault();

private:
    static constexpr int kBoldBit = 9;
    static constexpr int kItalicBit = 10;
    static constexpr int kAllCapsBit = 11;
    static constexpr int kUnderlineWordsOnlyBit = 12;
    static constexpr int kStrikeoutWordsOnlyBit = 13;
    static constexpr int kHiddenBit = 14;
    static constexpr int kNoProofBit = 15;

    [[nodiscard]] bool bit(int index) const noexcept { return (packed_ >> index & 1u) != 0; }
    void setBit(int index, bool value) noexcept { packed_ = value ? packed_ | 1u << index : packed_ & ~(1u << index); }
    void setField(int shift, uint32_t mask, uint32_t value) noexcept
    {
        packed_ = (packed_ & ~(mask << shift)) | (value & mask) << shift;
    }

    uint32_t packed_ = 0;
    AlphaColor foreColor_ = kEmptyColor;
    AlphaColor backColor_ = kTransparentColor;
    AlphaColor underlineColor_ = kEmptyColor;
    AlphaColor strikeoutColor_ = kEmptyColor;
    std::u16string fontName_;
    size_t fontNameHash_ = 0; // case-insensitive hash of fontName_, kept with it
};

/// Character values together with the mask of those a layer sets: the cached unit that runs and
/// styles refer to by index.
class CharacterFormattingBase {
public:
    CharacterFormattingBase() = default;
    CharacterFormattingBase(CharacterFormattingInfo info, CharacterPropertiesMask mask) : info_(std::move(info)), mask_(mask) {}

    [[nodiscard]] const CharacterFormattingInfo& info() const noexcept { return info_; }
    [[nodiscard]] CharacterPropertiesMask mask() const noexcept { return mask_; }
    [[nodiscard]] bool uses(UsedCharacterFormattingOption option) const noexcept
    {
        return (mask_ & static_cast<CharacterPropertiesMask>(option)) != 0;
    }
    /// True when every bit of `mask` is set.
    [[nodiscard]] bool usesAll(CharacterPropertiesMask mask) const noexcept { return (mask_ & mask) == mask; }

    /// Each setter stores the value and marks the property as set.
    void setFontName(std::u16string value);
    void setDoubleFontSize(int32_t value);
    void setFontBold(bool value);
    void setFontItalic(bool value);
    void setFontUnderlineType(UnderlineType value);
    void setFontStrikeoutType(StrikeoutType value);
    void setAllCaps(bool value);
    void setForeColor(AlphaColor value);
    void setBackColor(AlphaColor value);
    void setUnderlineColor(AlphaColor value);
    void setStrikeoutColor(AlphaColor value);
    void setUnderlineWordsOnly(bool value);
    void setStrikeoutWordsOnly(bool value);
    void setScript(CharacterFormattingScript value);
    void setHidden(bool value);
    void setNoProof(bool value);
    /// Clears the given bits; the values stay.
    void resetUse(CharacterPropertiesMask mask) noexcept { mask_ = static_cast<CharacterPropertiesMask>(mask_ & ~mask); }
    /// Takes the properties in `mask` from `source` and marks them as set.
    void setProperties(const CharacterFormattingInfo& source, CharacterPropertiesMask mask)
    {
        info_.copyProperties(source, mask);
        mask_ = static_cast<CharacterPropertiesMask>(mask_ | mask);
    }

    [[nodiscard]] bool operator==(const CharacterFormattingBase& other) const noexcept
    {
        return mask_ == other.mask_ && info_ == other.info_;
    }
    [[nodiscard]] size_t hash() const noexcept { return info_.hash() ^ (static_cast<size_t>(mask_) << 32); }

private:
    void use(UsedCharacterFormattingOption option) noexcept { mask_ |= static_cast<CharacterPropertiesMask>(option); }

    CharacterFormattingInfo info_;
    CharacterPropertiesMask mask_ = 0;
};

} // namespace velmo::model

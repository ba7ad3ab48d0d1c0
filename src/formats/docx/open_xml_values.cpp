#include "formats/docx/open_xml_values.h"

#include "core/hex_digit.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace velmo::formats {

namespace {

// In the order of model::ShadingPattern.
constexpr std::array<std::string_view, 38> kShadingPatternWords{
    "clear", "diagCross", "diagStripe", "horzCross", "horzStripe", "nil", "pct5", "pct10", "pct12", "pct15", "pct20",
    "pct25", "pct30", "pct35", "pct37", "pct40", "pct45", "pct50", "pct55", "pct60", "pct62", "pct65", "pct70",
    "pct75", "pct80", "pct85", "pct87", "pct90", "pct95", "reverseDiagStripe", "solid", "thinDiagCross",
    "thinDiagStripe", "thinHorzCross", "thinHorzStripe", "thinReverseDiagStripe", "thinVertStripe", "vertStripe",
};

// In the order of model::BorderLineStyle, from Nil up to the last art border.
constexpr std::array<std::string_view, 191> kBorderLineStyleWords{
    "nil", "none", "single", "thick", "double", "dotted", "dashed", "dotDash", "dotDotDash", "triple",
    "thinThickSmallGap", "thickThinSmallGap", "thinThickThinSmallGap", "thinThickMediumGap", "thickThinMediumGap",
    "thinThickThinMediumGap", "thinThickLargeGap", "thickThinLargeGap", "thinThickThinLargeGap", "wave",
    "doubleWave", "dashSmallGap", "dashDotStroked", "threeDEmboss", "threeDEngrave", "outset", "inset", "apples",
    "archedScallops", "babyPacifier", "babyRattle", "balloons3Colors", "balloonsHotAir", "basicBlackDashes",
    "basicBlackDots", "basicBlackSquares", "basicThinLines", "basicWhiteDashes", "basicWhiteDots",
    "basicWhiteSquares", "basicWideInline", "basicWideMidline", "basicWideOutline", "bats", "birds", "birdsFlight",
    "cabins", "cakeSlice", "candyCorn", "celticKnotwork", "certificateBanner", "chainLink", "champagneBottle",
    "checkedBarBlack", "checkedBarColor", "checkered", "christmasTree", "circlesLines", "circlesRectangles",
    "classicalWave", "clocks", "compass", "confetti", "confettiGrays", "confettiOutline", "confettiStreamers",
    "confettiWhite", "cornerTriangles", "couponCutoutDashes", "couponCutoutDots", "crazyMaze", "creaturesButterfly",
    "creaturesFish", "creaturesInsects", "creaturesLadyBug", "crossStitch", "cup", "decoArch", "decoArchColor",
    "decoBlocks", "diamondsGray", "doubleD", "doubleDiamonds", "earth1", "earth2", "eclipsingSquares1",
    "eclipsingSquares2", "eggsBlack", "fans", "film", "firecrackers", "flowersBlockPrint", "flowersDaisies",
    "flowersModern1", "flowersModern2", "flowersPansy", "flowersRedRose", "flowersRoses", "flowersTeacup",
    "flowersTiny", "gems", "gingerbreadMan", "gradient", "handmade1", "handmade2", "heartBalloon", "heartGray",
    "hearts", "heebieJeebies", "holly", "houseFunky", "hypnotic", "iceCreamCones", "lightBulb", "lightning1",
    "lightning2", "mapleLeaf", "mapleMuffins", "mapPins", "marquee", "marqueeToothed", "moons", "mosaic",
    "musicNotes", "northwest", "ovals", "packages", "palmsBlack", "palmsColor", "paperClips", "papyrus",
    "partyFavor", "partyGlass", "pencils", "people", "peopleHats", "peopleWaving", "poinsettias", "postageStamp",
    "pumpkin1", "pushPinNote1", "pushPinNote2", "pyramids", "pyramidsAbove", "quadrants", "rings", "safari",
    "sawtooth", "sawtoothGray", "scaredCat", "seattle", "shadowedSquares", "sharksTeeth", "shorebirdTracks",
    "skyrocket", "snowflakeFancy", "snowflakes", "sombrero", "southwest", "stars", "stars3d", "starsBlack",
    "starsShadowed", "starsTop", "sun", "swirligig", "tornPaper", "tornPaperBlack", "trees", "triangleParty",
    "triangles", "tribal1", "tribal2", "tribal3", "tribal4", "tribal5", "tribal6", "twistedLines1", "twistedLines2",
    "vine", "waveline", "weavingAngles", "weavingBraid", "weavingRibbon", "weavingStrips", "whiteFlowers",
    "woodwork", "xIllusions", "zanyTriangles", "zigZag", "zigZagStitch",
};

constexpr std::array<ValueWord<model::NumberingFormat>, 60> kNumberingFormatWords{{
    {model::NumberingFormat::Decimal, "decimal"},
    {model::NumberingFormat::AIUEOHiragana, "aiueo"},
    {model::NumberingFormat::AIUEOFullWidthHiragana, "aiueoFullWidth"},
    {model::NumberingFormat::ArabicAbjad, "arabicAbjad"},
    {model::NumberingFormat::ArabicAlpha, "arabicAlpha"},
    {model::NumberingFormat::Bullet, "bullet"},
    {model::NumberingFormat::CardinalText, "cardinalText"},
    {model::NumberingFormat::Chicago, "chicago"},
    {model::NumberingFormat::ChineseCounting, "chineseCounting"},
    {model::NumberingFormat::ChineseCountingThousand, "chineseCountingThousand"},
    {model::NumberingFormat::ChineseLegalSimplified, "chineseLegalSimplified"},
    {model::NumberingFormat::Chosung, "chosung"},
    {model::NumberingFormat::DecimalEnclosedCircle, "decimalEnclosedCircle"},
    {model::NumberingFormat::DecimalEnclosedCircleChinese, "decimalEnclosedCircleChinese"},
    {model::NumberingFormat::DecimalEnclosedFullstop, "decimalEnclosedFullstop"},
    {model::NumberingFormat::DecimalEnclosedParentheses, "decimalEnclosedParen"},
    {model::NumberingFormat::DecimalFullWidth, "decimalFullWidth"},
    {model::NumberingFormat::DecimalFullWidth2, "decimalFullWidth2"},
    {model::NumberingFormat::DecimalHalfWidth, "decimalHalfWidth"},
    {model::NumberingFormat::DecimalZero, "decimalZero"},
    {model::NumberingFormat::Ganada, "ganada"},
    {model::NumberingFormat::Hebrew1, "hebrew1"},
    {model::NumberingFormat::Hebrew2, "hebrew2"},
    {model::NumberingFormat::Hex, "hex"},
    {model::NumberingFormat::HindiConsonants, "hindiConsonants"},
    {model::NumberingFormat::HindiDescriptive, "hindiCounting"},
    {model::NumberingFormat::HindiNumbers, "hindiNumbers"},
    {model::NumberingFormat::HindiVowels, "hindiVowels"},
    {model::NumberingFormat::IdeographDigital, "ideographDigital"},
    {model::NumberingFormat::IdeographEnclosedCircle, "ideographEnclosedCircle"},
    {model::NumberingFormat::IdeographLegalTraditional, "ideographLegalTraditional"},
    {model::NumberingFormat::IdeographTraditional, "ideographTraditional"},
    {model::NumberingFormat::IdeographZodiac, "ideographZodiac"},
    {model::NumberingFormat::IdeographZodiacTraditional, "ideographZodiacTraditional"},
    {model::NumberingFormat::Iroha, "iroha"},
    {model::NumberingFormat::IrohaFullWidth, "irohaFullWidth"},
    {model::NumberingFormat::JapaneseCounting, "japaneseCounting"},
    {model::NumberingFormat::JapaneseDigitalTenThousand, "japaneseDigitalTenThousand"},
    {model::NumberingFormat::JapaneseLegal, "japaneseLegal"},
    {model::NumberingFormat::KoreanCounting, "koreanCounting"},
    {model::NumberingFormat::KoreanDigital, "koreanDigital"},
    {model::NumberingFormat::KoreanDigital2, "koreanDigital2"},
    {model::NumberingFormat::KoreanLegal, "koreanLegal"},
    {model::NumberingFormat::LowerLetter, "lowerLetter"},
    {model::NumberingFormat::LowerRoman, "lowerRoman"},
    {model::NumberingFormat::None, "none"},
    {model::NumberingFormat::NumberInDash, "numberInDash"},
    {model::NumberingFormat::Ordinal, "ordinal"},
    {model::NumberingFormat::OrdinalText, "ordinalText"},
    {model::NumberingFormat::RussianLower, "russianLower"},
    {model::NumberingFormat::RussianUpper, "russianUpper"},
    {model::NumberingFormat::TaiwaneseCounting, "taiwaneseCounting"},
    {model::NumberingFormat::TaiwaneseCountingThousand, "taiwaneseCountingThousand"},
    {model::NumberingFormat::TaiwaneseDigital, "taiwaneseDigital"},
    {model::NumberingFormat::ThaiDescriptive, "thaiCounting"},
    {model::NumberingFormat::ThaiLetters, "thaiLetters"},
    {model::NumberingFormat::ThaiNumbers, "thaiNumbers"},
    {model::NumberingFormat::UpperLetter, "upperLetter"},
    {model::NumberingFormat::UpperRoman, "upperRoman"},
    {model::NumberingFormat::VietnameseDescriptive, "vietnameseCounting"},
}};

bool isBlank(char character) noexcept
{
    return character == ' ' || character == '\t' || character == '\n' || character == '\r';
}

int32_t clampToInt32(double value) noexcept
{
    if (!(value == value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::trunc(value));
}

} // namespace

std::string_view shadingPatternWord(model::ShadingPattern pattern) noexcept
{
    const auto index = static_cast<size_t>(pattern);
    return index < kShadingPatternWords.size() ? kShadingPatternWords[index] : "clear";
}

std::optional<model::ShadingPattern> shadingPatternOf(std::string_view word) noexcept
{
    for (size_t index = 0; index < kShadingPatternWords.size(); ++index) {
        if (kShadingPatternWords[index] == word)
            return static_cast<model::ShadingPattern>(index);
    }
    if (word == "ThinDiagStripe")
        return model::ShadingPattern::ThinDiagStripe;
    return std::nullopt;
}

int32_t shadingPatternShare(model::ShadingPattern pattern) noexcept
{
    using model::ShadingPattern;
    switch (pattern) {
    case ShadingPattern::Pct5: return 50;
    case ShadingPattern::Pct10: return 100;
    case ShadingPattern::Pct12: return 125;
    case ShadingPattern::Pct15: return 150;
    case ShadingPattern::Pct20: return 200;
    case ShadingPattern::Pct25: return 250;
    case ShadingPattern::Pct30: return 300;
    case ShadingPattern::Pct35: return 350;
    case ShadingPattern::Pct37: return 375;
    case ShadingPattern::Pct40: return 400;
    case ShadingPattern::Pct45: return 450;
    case ShadingPattern::Pct50: return 500;
    case ShadingPattern::Pct55: return 550;
    case ShadingPattern::Pct60: return 600;
    case ShadingPattern::Pct62: return 625;
    case ShadingPattern::Pct65: return 650;
    case ShadingPattern::Pct70: return 700;
    case ShadingPattern::Pct75: return 750;
    case ShadingPattern::Pct80: return 800;
    case ShadingPattern::Pct85: return 850;
    case ShadingPattern::Pct87: return 875;
    case ShadingPattern::Pct90: return 900;
    case ShadingPattern::Pct95: return 950;
    case ShadingPattern::Solid: return 1000;
    default: return 0;
    }
}

std::string_view borderLineStyleWord(model::BorderLineStyle style) noexcept
{
    const auto index = static_cast<size_t>(style);
    return index < kBorderLineStyleWords.size() ? kBorderLineStyleWords[index] : "none";
}

std::optional<model::BorderLineStyle> borderLineStyleOf(std::string_view word) noexcept
{
    for (size_t index = 0; index < kBorderLineStyleWords.size(); ++index) {
        if (kBorderLineStyleWords[index] == word)
            return static_cast<model::BorderLineStyle>(index);
    }
    return std::nullopt;
}

std::string_view numberingFormatWord(model::NumberingFormat format) noexcept
{
    return wordOf(kNumberingFormatWords, format, "decimal");
}

std::optional<model::NumberingFormat> numberingFormatOf(std::string_view word) noexcept
{
    return valueOf(kNumberingFormatWords, word);
}

std::string colorWord(model::AlphaColor color)
{
    if (color == model::kEmptyColor || (color >> 24) == 0)
        return "auto";
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    return text;
}

std::optional<model::AlphaColor> parseHexColor(std::string_view text) noexcept
{
    text = trimBlanks(text);
    if (text.size() != 6)
        return std::nullopt;
    model::AlphaColor color = 0;
    for (const char character : text) {
        const int digit = core::hexDigitValue(character);
        if (digit < 0)
            return std::nullopt;
        color = color << 4 | static_cast<model::AlphaColor>(digit);
    }
    return 0xFF000000u | color;
}

std::string_view trimBlanks(std::string_view text) noexcept
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<bool> parseOnOff(std::string_view text) noexcept
{
    if (text == "1" || text == "on" || text == "true")
        return true;
    if (text == "0" || text == "off" || text == "false")
        return false;
    return std::nullopt;
}

std::optional<int32_t> parseInteger(std::string_view text) noexcept
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int64_t whole = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (end == text.data() + text.size()) {
        if (error == std::errc())
            return clampToInt32(static_cast<double>(whole));
        if (error == std::errc::result_out_of_range)
            return text.front() == '-' ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    }
    const std::optional<double> number = parseFloat(text);
    if (!number)
        return std::nullopt;
    return clampToInt32(*number);
}

std::optional<uint32_t> parseHexInteger(std::string_view text) noexcept
{
    text = trimBlanks(text);
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (const char character : text) {
        const int digit = core::hexDigitValue(character);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<double> parseFloat(std::string_view text) noexcept
{
    text = trimBlanks(text);
    if (text.size() >= 2 && text.substr(text.size() - 2) == "pt")
        text = trimBlanks(text.substr(0, text.size() - 2));
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace velmo::formats

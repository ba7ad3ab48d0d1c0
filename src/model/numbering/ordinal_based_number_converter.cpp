#include "model/numbering/ordinal_based_number_converter.h"

#include <array>
#include <string_view>

namespace velmo::model {

namespace {

std::u16string decimalText(int64_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

/// The magnitude of `value` as unsigned, so that the smallest int64 has one too.
uint64_t magnitude(int64_t value) noexcept
{
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

std::u16string romanText(int64_t value, bool upperCase)
{
    if (value < 1 || value > OrdinalBasedNumberConverter::kMaxRomanValue)
        return {};
    struct Numeral {
        int64_t value;
        std::u16string_view upper;
        std::u16string_view lower;
    };
    constexpr std::array<Numeral, 13> kNumerals = {{
        {1000, u"M", u"m"}, {900, u"CM", u"cm"}, {500, u"D", u"d"}, {400, u"CD", u"cd"}, {100, u"C", u"c"},
        {90, u"XC", u"xc"}, {50, u"L", u"l"},    {40, u"XL", u"xl"}, {10, u"X", u"x"},  {9, u"IX", u"ix"},
        {5, u"V", u"v"},    {4, u"IV", u"iv"},   {1, u"I", u"i"},
    }};
    std::u16string text;
    for (const Numeral& numeral : kNumerals) {
        for (; value >= numeral.value; value -= numeral.value)
            text += upperCase ? numeral.upper : numeral.lower;
    }
    return text;
}

/// Symbol number (v - 1) mod count, written (v - 1) div count + 1 times: with A-Z, 27 is "AA".
std::u16string repeatedSymbolText(int64_t value, std::u16string_view symbols)
{
    if (value < 1 || value > OrdinalBasedNumberConverter::kMaxLetterValue)
        return {};
    const auto count = static_cast<int64_t>(symbols.size());
    const char16_t symbol = symbols[static_cast<size_t>((value - 1) % count)];
    return std::u16string(static_cast<size_t>((value - 1) / count + 1), symbol);
}

constexpr std::u16string_view kUpperLatin = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kLowerLatin = u"abcdefghijklmnopqrstuvwxyz";
// The 29 letters used for counting: the Cyrillic alphabet without Ё, Й, Ъ and Ь.
constexpr std::u16string_view kUpperRussian =
    u"\u0410\u0411\u0412\u0413\u0414\u0415\u0416\u0417\u0418\u041A\u041B\u041C\u041D\u041E\u041F"
    u"\u0420\u0421\u0422\u0423\u0424\u0425\u0426\u0427\u0428\u0429\u042B\u042D\u042E\u042F";
constexpr std::u16string_view kLowerRussian =
    u"\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u043A\u043B\u043C\u043D\u043E\u043F"
    u"\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449\u044B\u044D\u044E\u044F";
constexpr std::u16string_view kChicagoSymbols = u"*\u2020\u2021\u00A7";

std::u16string hexText(int64_t value)
{
    constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    uint64_t rest = magnitude(value);
    std::u16string text;
    do {
        text.insert(text.begin(), kDigits[rest % 16]);
        rest /= 16;
    } while (rest != 0);
    return value < 0 ? u"-" + text : text;
}

} // namespace

std::u16string OrdinalBasedNumberConverter::convertNumber(int64_t value) const
{
    switch (format_) {
    case NumberingFormat::None:
        return {};
    case NumberingFormat::Bullet:
        return u"\u2022";
    case NumberingFormat::DecimalEnclosedParentheses:
        return u"(" + decimalText(value) + u")";
    case NumberingFormat::DecimalZero:
        return value >= 0 && value < 10 ? u"0" + decimalText(value) : decimalText(value);
    case NumberingFormat::NumberInDash:
        return u"- " + decimalText(value) + u" -";
    case NumberingFormat::UpperRoman:
        return romanText(value, true);
    case NumberingFormat::LowerRoman:
        return romanText(value, false);
    case NumberingFormat::UpperLetter:
        return repeatedSymbolText(value, kUpperLatin);
    case NumberingFormat::LowerLetter:
        return repeatedSymbolText(value, kLowerLatin);
    case NumberingFormat::RussianUpper:
        return repeatedSymbolText(value, kUpperRussian);
    case NumberingFormat::RussianLower:
        return repeatedSymbolText(value, kLowerRussian);
    case NumberingFormat::Chicago:
        return repeatedSymbolText(value, kChicagoSymbols);
    case NumberingFormat::Hex:
        return hexText(value);
    case NumberingFormat::Decimal:
    // Words and ordinals read as plain numbers in lists; fields write them with their own switches.
    case NumberingFormat::CardinalText:
    case NumberingFormat::Ordinal:
    case NumberingFormat::OrdinalText:
    case NumberingFormat::AIUEOHiragana:
    case NumberingFormat::AIUEOFullWidthHiragana:
    case NumberingFormat::ArabicAbjad:
    case NumberingFormat::ArabicAlpha:
    case NumberingFormat::ChineseCounting:
    case NumberingFormat::ChineseCountingThousand:
    case NumberingFormat::ChineseLegalSimplified:
    case NumberingFormat::Chosung:
    case NumberingFormat::DecimalEnclosedCircle:
    case NumberingFormat::DecimalEnclosedCircleChinese:
    case NumberingFormat::DecimalEnclosedFullstop:
    case NumberingFormat::DecimalFullWidth:
    case NumberingFormat::DecimalFullWidth2:
    case NumberingFormat::DecimalHalfWidth:
    case NumberingFormat::Ganada:
    case NumberingFormat::Hebrew1:
    case NumberingFormat::Hebrew2:
    case NumberingFormat::HindiConsonants:
    case NumberingFormat::HindiDescriptive:
    case NumberingFormat::HindiNumbers:
    case NumberingFormat::HindiVowels:
    case NumberingFormat::IdeographDigital:
    case NumberingFormat::IdeographEnclosedCircle:
    case NumberingFormat::IdeographLegalTraditional:
    case NumberingFormat::IdeographTraditional:
    case NumberingFormat::IdeographZodiac:
    case NumberingFormat::IdeographZodiacTraditional:
    case NumberingFormat::Iroha:
    case NumberingFormat::IrohaFullWidth:
    case NumberingFormat::JapaneseCounting:
    case NumberingFormat::JapaneseDigitalTenThousand:
    case NumberingFormat::JapaneseLegal:
    case NumberingFormat::KoreanCounting:
    case NumberingFormat::KoreanDigital:
    case NumberingFormat::KoreanDigital2:
    case NumberingFormat::KoreanLegal:
    case NumberingFormat::TaiwaneseCounting:
    case NumberingFormat::TaiwaneseCountingThousand:
    case NumberingFormat::TaiwaneseDigital:
    case NumberingFormat::ThaiDescriptive:
    case NumberingFormat::ThaiLetters:
    case NumberingFormat::ThaiNumbers:
    case NumberingFormat::VietnameseDescriptive:
        return decimalText(value);
    }
    return decimalText(value);
}

} // namespace velmo::model

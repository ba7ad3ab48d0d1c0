#include "model/numbering/english_number_text.h"

#include "model/document_model_unit_converter.h"

#include <array>
#include <cmath>
#include <string_view>

namespace velmo::model {

namespace {

constexpr std::array<std::u16string_view, 20> kUnits = {
    u"zero",    u"one",     u"two",       u"three",    u"four",     u"five",    u"six",
    u"seven",   u"eight",   u"nine",      u"ten",      u"eleven",   u"twelve",  u"thirteen",
    u"fourteen", u"fifteen", u"sixteen",  u"seventeen", u"eighteen", u"nineteen",
};
constexpr std::array<std::u16string_view, 10> kTens = {
    u"", u"", u"twenty", u"thirty", u"forty", u"fifty", u"sixty", u"seventy", u"eighty", u"ninety",
};

struct Group {
    uint64_t size;
    std::u16string_view name;
};
constexpr std::array<Group, 6> kGroups = {{
    {1'000'000'000'000'000'000ULL, u"quintillion"},
    {1'000'000'000'000'000ULL, u"quadrillion"},
    {1'000'000'000'000ULL, u"trillion"},
    {1'000'000'000ULL, u"billion"},
    {1'000'000ULL, u"million"},
    {1'000ULL, u"thousand"},
}};

void appendWord(std::u16string& text, std::u16string_view word)
{
    if (!text.empty())
        text += u' ';
    text += word;
}

/// Words for 1-999.
void appendHundreds(std::u16string& text, uint64_t value)
{
    if (value >= 100) {
        appendWord(text, kUnits[value / 100]);
        appendWord(text, u"hundred");
        value %= 100;
    }
    if (value == 0)
        return;
    if (value < 20) {
        appendWord(text, kUnits[value]);
        return;
    }
    appendWord(text, kTens[value / 10]);
    if (value % 10 != 0) {
        text += u'-';
        text += kUnits[value % 10];
    }
}

/// "one" -> "first", "twenty" -> "twentieth", "hundred" -> "hundredth".
std::u16string ordinalWord(std::u16string_view word)
{
    struct Irregular {
        std::u16string_view cardinal;
        std::u16string_view ordinal;
    };
    constexpr Irregular kIrregular[] = {
        {u"one", u"first"}, {u"two", u"second"},  {u"three", u"third"},   {u"five", u"fifth"},
        {u"eight", u"eighth"}, {u"nine", u"ninth"}, {u"twelve", u"twelfth"},
    };
    for (const Irregular& irregular : kIrregular) {
        if (word == irregular.cardinal)
            return std::u16string(irregular.ordinal);
    }
    if (word.ends_with(u'y'))
        return std::u16string(word.substr(0, word.size() - 1)) + u"ieth";
    return std::u16string(word) + u"th";
}

} // namespace

std::u16string cardinalEnglishText(uint64_t value)
{
    if (value == 0)
        return std::u16string(kUnits[0]);
    std::u16string text;
    for (const Group& group : kGroups) {
        if (value < group.size)
            continue;
        appendHundreds(text, value / group.size);
        appendWord(text, group.name);
        value %= group.size;
    }
    if (value != 0)
        appendHundreds(text, value);
    return text;
}

std::u16string ordinalEnglishText(uint64_t value)
{
    const std::u16string cardinal = cardinalEnglishText(value);
    // The last word, or the unit after the hyphen of "twenty-one", takes the ordinal form.
    const size_t lastWordStart = cardinal.find_last_of(u" -") + 1; // npos + 1 == 0
    return cardinal.substr(0, lastWordStart) + ordinalWord(std::u16string_view(cardinal).substr(lastWordStart));
}

std::u16string_view englishOrdinalSuffix(uint64_t value) noexcept
{
    if (value % 100 >= 11 && value % 100 <= 13)
        return u"th";
    switch (value % 10) {
    case 1: return u"st";
    case 2: return u"nd";
    case 3: return u"rd";
    default: return u"th";
    }
}

std::u16string englishDollarText(double value)
{
    constexpr double kLimit = 1e19;
    if (!(value >= 0.0 && value < kLimit))
        return {};
    const double whole = std::floor(value);
    auto dollars = static_cast<uint64_t>(whole);
    int64_t cents = roundHalfToEven((value - whole) * 100.0);
    if (cents >= 100) {
        ++dollars;
        cents = 0;
    }
    std::u16string text = cardinalEnglishText(dollars);
    text += u" and ";
    text += static_cast<char16_t>(u'0' + cents / 10);
    text += static_cast<char16_t>(u'0' + cents % 10);
    text += u"/100";
    return text;
}

} // namespace velmo::model

#pragma once

#include "model/numbering_format.h"

#include <cstdint>
#include <string>

namespace velmo::model {

/// Writes list counters, page numbers and note numbers in one numbering format: decimal, Roman,
/// Latin and Russian letters, hexadecimal, the Chicago footnote symbols, bullets. Every other
/// format (the East Asian, Hebrew, Hindi, Thai, Arabic and Vietnamese ones, and the English
/// words and ordinals, which fields write with their own switches) writes decimal digits.
/// A cheap value; make one per format with createConverter().
class OrdinalBasedNumberConverter {
public:
    /// Roman numerals stop here: beyond it the text would be a run of thousands of "M".
    static constexpr int64_t kMaxRomanValue = 32767;
    /// Letters and Chicago symbols stop here (30 rounds of the alphabet).
    static constexpr int64_t kMaxLetterValue = 780;

    [[nodiscard]] static OrdinalBasedNumberConverter createConverter(NumberingFormat format) noexcept
    {
        return OrdinalBasedNumberConverter(format);
    }

    /// The text of `value`; empty when the value is outside the format's range (Roman numerals
    /// 1-32767; letters and Chicago symbols 1-780) and for the format None.
    [[nodiscard]] std::u16string convertNumber(int64_t value) const;

private:
    explicit OrdinalBasedNumberConverter(NumberingFormat format) noexcept : format_(format) {}

    NumberingFormat format_;
};

} // namespace velmo::model

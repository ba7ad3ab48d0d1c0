#pragma once

#include <cstdint>
#include <string>

namespace velmo::model {

/// A number in English words, lower case: 0 "zero", 21 "twenty-one", 1234 "one thousand two
/// hundred thirty-four"; groups up to quintillions (10^18).
[[nodiscard]] std::u16string cardinalEnglishText(uint64_t value);
/// The same with the last word in its ordinal form: "zeroth", "twenty-first", "one hundredth".
[[nodiscard]] std::u16string ordinalEnglishText(uint64_t value);
/// "st", "nd", "rd" or "th", as 1st, 12th, 22nd, 113th.
[[nodiscard]] std::u16string_view englishOrdinalSuffix(uint64_t value) noexcept;
/// A cheque amount, lower case: 123.45 "one hundred twenty-three and 45/100", 7 "seven and
/// 00/100". The value is rounded to cents (halves to even) before it is split, so 1.999 reads
/// "two and 00/100". Empty text for a negative value, one that is not a number, or one of
/// 10^19 and above.
[[nodiscard]] std::u16string englishDollarText(double value);

} // namespace velmo::model

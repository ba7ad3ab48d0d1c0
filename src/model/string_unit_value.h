#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo::model {

/// The unit of a length or angle written in markup.
enum class UnitType : uint8_t { Pixel, Point, Percentage, Pica, Inch, Millimeter, Centimeter, Em, Ex, Emu, Degree, FixedDegree };

/// A number with its unit, as markup writes lengths ("12.5pt", "3em", "10").
struct Unit {
    float value = 0.0f;
    UnitType type = UnitType::Pixel;
    bool operator==(const Unit&) const = default;
};

/// Reads unit strings: the number is everything up to the last digit or point, the rest is the
/// suffix (any letter case). Each flavour knows its own suffixes and its unit for a bare number.
class StringUnitValueParser {
public:
    static constexpr float kDefaultMinimum = -32768.0f;
    static constexpr float kDefaultMaximum = 32767.0f;

    /// HTML and style lengths: none or "px" pixel, "pt", "%", "pc", "in", "mm", "cm", "em", "ex".
    [[nodiscard]] static Unit parseUnit(std::u16string_view text, float minimum = kDefaultMinimum,
                                        float maximum = kDefaultMaximum);
    /// Drawing lengths: none is EMU; "px", "pt", "pc", "in", "mm", "cm".
    [[nodiscard]] static Unit parseVmlUnit(std::u16string_view text, float minimum = kDefaultMinimum,
                                           float maximum = kDefaultMaximum);
    /// Angles: none is degrees, "fd" fixed degrees (1/65536 degree).
    [[nodiscard]] static Unit parseRotationUnit(std::u16string_view text, float minimum = kDefaultMinimum,
                                                float maximum = kDefaultMaximum);
};

/// A drawing length as markup writes it: the number (whole for pixels and EMU) and its suffix.
[[nodiscard]] std::u16string formatVmlUnit(const Unit& unit);

} // namespace velmo::model

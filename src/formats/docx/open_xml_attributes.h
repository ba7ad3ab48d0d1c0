#pragma once

#include "formats/xml/xml_reader.h"
#include "model/alpha_color.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmo::formats {

/// Reads the attributes of WordprocessingML elements: in the main namespace (transitional or
/// strict, or unqualified), with the value rules of the format. A value that cannot be parsed
/// raises "Invalid OpenXml file" unless parse errors are ignored, in which case that one value is
/// treated as absent.
class OpenXmlAttributes {
public:
    explicit OpenXmlAttributes(bool ignoreParseErrors) noexcept : ignoreParseErrors_(ignoreParseErrors) {}

    [[nodiscard]] static std::optional<std::string_view> text(const XmlReader& reader, std::string_view name) noexcept;
    /// The "id" attribute in the relationships namespace.
    [[nodiscard]] static std::optional<std::string_view> relationId(const XmlReader& reader, std::string_view name = "id") noexcept;

    /// An on/off value; `absent` when the attribute is missing (toggles like "b" pass true).
    [[nodiscard]] bool onOff(const XmlReader& reader, std::string_view name, bool absent) const;
    /// The "val" of a toggle element such as "b": true when missing, none when unreadable.
    [[nodiscard]] std::optional<bool> toggle(const XmlReader& reader) const;
    [[nodiscard]] std::optional<int32_t> integer(const XmlReader& reader, std::string_view name) const;
    [[nodiscard]] int32_t integer(const XmlReader& reader, std::string_view name, int32_t absent) const
    {
        return integer(reader, name).value_or(absent);
    }
    [[nodiscard]] std::optional<uint32_t> hexInteger(const XmlReader& reader, std::string_view name) const;
    [[nodiscard]] std::optional<double> number(const XmlReader& reader, std::string_view name) const;
    /// Six hexadecimal digits; "auto" gives the automatic colour.
    [[nodiscard]] std::optional<model::AlphaColor> color(const XmlReader& reader, std::string_view name) const;

    /// Raises the format's error unless parse errors are ignored.
    void invalidValue() const;

private:
    bool ignoreParseErrors_;
};

} // namespace velmo::formats

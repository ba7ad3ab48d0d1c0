#include "formats/docx/open_xml_attributes.h"

#include "core/editor_exception.h"
#include "formats/docx/open_xml_values.h"

#include <string>

namespace velmo::formats {

std::optional<std::string_view> OpenXmlAttributes::text(const XmlReader& reader, std::string_view name) noexcept
{
    for (const XmlAttribute& attribute : reader.attributes()) {
        if (attribute.localName == name &&
            (attribute.namespaceUri == kWordNamespace || attribute.namespaceUri == kWordStrictNamespace || attribute.namespaceUri.empty()))
            return attribute.value;
    }
    return std::nullopt;
}

std::optional<std::string_view> OpenXmlAttributes::relationId(const XmlReader& reader, std::string_view name) noexcept
{
    for (const XmlAttribute& attribute : reader.attributes()) {
        if (attribute.localName == name &&
            (attribute.namespaceUri == kRelationshipsNamespace || attribute.namespaceUri == kRelationshipsStrictNamespace))
            return attribute.value;
    }
    return std::nullopt;
}

void OpenXmlAttributes::invalidValue() const
{
    if (!ignoreParseErrors_)
        throw core::EditorException(std::string(kInvalidOpenXmlFileMessage));
}

bool OpenXmlAttributes::onOff(const XmlReader& reader, std::string_view name, bool absent) const
{
    const std::optional<std::string_view> value = text(reader, name);
    if (!value)
        return absent;
    if (const std::optional<bool> parsed = parseOnOff(trimBlanks(*value)))
        return *parsed;
    invalidValue();
    return absent;
}

std::optional<bool> OpenXmlAttributes::toggle(const XmlReader& reader) const
{
    const std::optional<std::string_view> value = text(reader, "val");
    if (!value)
        return true;
    if (const std::optional<bool> parsed = parseOnOff(trimBlanks(*value)))
        return parsed;
    invalidValue();
    return std::nullopt;
}

std::optional<int32_t> OpenXmlAttributes::integer(const XmlReader& reader, std::string_view name) const
{
    const std::optional<std::string_view> value = text(reader, name);
    if (!value)
        return std::nullopt;
    if (const std::optional<int32_t> parsed = parseInteger(*value))
        return parsed;
    invalidValue();
    return std::nullopt;
}

std::optional<uint32_t> OpenXmlAttributes::hexInteger(const XmlReader& reader, std::string_view name) const
{
    const std::optional<std::string_view> value = text(reader, name);
    if (!value)
        return std::nullopt;
    if (const std::optional<uint32_t> parsed = parseHexInteger(*value))
        return parsed;
    invalidValue();
    return std::nullopt;
}

std::optional<double> OpenXmlAttributes::number(const XmlReader& reader, std::string_view name) const
{
    const std::optional<std::string_view> value = text(reader, name);
    if (!value)
        return std::nullopt;
    if (const std::optional<double> parsed = parseFloat(*value))
        return parsed;
    invalidValue();
    return std::nullopt;
}

std::optional<model::AlphaColor> OpenXmlAttributes::color(const XmlReader& reader, std::string_view name) const
{
    const std::optional<std::string_view> value = text(reader, name);
    if (!value)
        return std::nullopt;
    if (trimBlanks(*value) == "auto")
        return model::kEmptyColor;
    if (const std::optional<model::AlphaColor> parsed = parseHexColor(*value))
        return parsed;
    invalidValue();
    return std::nullopt;
}

} // namespace velmo::formats

#pragma once

#include "formats/docx/open_xml_values.h"
#include "formats/xml/xml_reader.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velmo::formats {

/// Whether the reader is on an element of the WordprocessingML main namespace.
[[nodiscard]] inline bool isWordElement(const XmlReader& reader) noexcept
{
    return reader.namespaceUri() == kWordNamespace || reader.namespaceUri() == kWordStrictNamespace;
}

[[nodiscard]] inline bool isAlternateContent(const XmlReader& reader) noexcept
{
    return reader.localName() == "AlternateContent" && reader.namespaceUri() == kMarkupCompatibilityNamespace;
}

/// Walks the children of the element whose start tag the reader is on and returns on its end
/// tag. `onElement` is called on each child's start tag and must leave the reader on that child's
/// end tag (XmlReader::skipSubtree does); `onText` receives the text nodes.
template <typename OnElement, typename OnText>
void forEachChildNode(XmlReader& reader, OnElement&& onElement, OnText&& onText)
{
    const int32_t depth = reader.depth();
    while (reader.read()) {
        switch (reader.kind()) {
        case XmlNodeKind::EndElement:
            if (reader.depth() == depth)
                return;
            break;
        case XmlNodeKind::StartElement: onElement(); break;
        case XmlNodeKind::Text: onText(); break;
        case XmlNodeKind::None: break;
        }
    }
}

template <typename OnElement>
void forEachChildElement(XmlReader& reader, OnElement&& onElement)
{
    forEachChildNode(reader, onElement, [] {});
}

/// Markup-compatibility content: extension choices are not taken, so the fallback's children are
/// handled as children of the enclosing element.
template <typename OnElement>
void readAlternateContentFallback(XmlReader& reader, OnElement&& onElement)
{
    forEachChildElement(reader, [&] {
        if (reader.localName() == "Fallback" && reader.namespaceUri() == kMarkupCompatibilityNamespace)
            forEachChildElement(reader, onElement);
        else
            reader.skipSubtree();
    });
}

/// A content control ("sdt") or another element named in `wrappers` whose content belongs to the
/// enclosing element: each child (for a content control, each child of its "sdtContent") goes to
/// `onElement`. Returns false, reading nothing, for any other element.
template <typename OnElement>
bool readWrappedContent(XmlReader& reader, std::initializer_list<std::string_view> wrappers, OnElement&& onElement)
{
    const std::string_view name = reader.localName();
    if (name == "sdt") {
        forEachChildElement(reader, [&] {
            if (reader.localName() == "sdtContent")
                forEachChildElement(reader, onElement);
            else
                reader.skipSubtree();
        });
        return true;
    }
    if (std::ranges::find(wrappers, name) == wrappers.end())
        return false;
    forEachChildElement(reader, onElement);
    return true;
}

/// Style ids of the styles part, mapped to the model's style indices by kind.
struct OpenXmlStyleIds {
    std::unordered_map<std::string, int32_t> paragraph;
    std::unordered_map<std::string, int32_t> character;
    std::unordered_map<std::string, int32_t> table;
    std::unordered_map<std::string, int32_t> numbering;

    [[nodiscard]] static int32_t find(const std::unordered_map<std::string, int32_t>& ids, std::string_view id, int32_t absent)
    {
        const auto found = ids.find(std::string(id));
        return found == ids.end() ? absent : found->second;
    }
};

} // namespace velmo::formats

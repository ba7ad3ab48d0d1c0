#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// Messages of the XML reader's errors.
inline constexpr std::string_view kXmlRootElementMissingMessage = "Root element is missing.";
inline constexpr std::string_view kXmlUnexpectedEndTagMessage = "Unexpected end tag.";
inline constexpr std::string_view kXmlMultipleRootsMessage = "There are multiple root elements.";
inline constexpr std::string_view kXmlDataAtRootLevelMessage = "Data at the root level is invalid.";
inline constexpr std::string_view kXmlDtdNotImplementedMessage = "DTD not implemented";
inline constexpr std::string_view kXmlUnexpectedEndOfFileMessage = "Unexpected end of file has occurred.";
inline constexpr std::string_view kXmlTooDeepMessage = "The XML elements are nested more than 256 levels deep.";

inline constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

enum class XmlNodeKind {
    None,
    StartElement,
    EndElement,
    /// Character data: text, a CDATA section, or whitespace that xml:space="preserve" keeps.
    Text,
};

/// An attribute of the current start tag. The views stay valid until the next read().
struct XmlAttribute {
    std::string_view namespaceUri; // empty for an unprefixed attribute
    std::string_view localName;
    std::string_view value;
};

/// A forward-only XML reader over a document in memory, for package parts. It reports element
/// starts and ends with local name and namespace URI, and text; comments, processing instructions
/// and whitespace that xml:space does not preserve are skipped. Every start has its end: an empty
/// element (`<a/>`) is a StartElement with isEmptyElement() followed at once by its EndElement.
///
/// Names, URIs, attribute values and text are UTF-8 views, whatever the document's encoding.
/// Names and URIs live as long as the reader; values and text until the next read().
///
/// Input is untrusted: no document type declaration, external entity or network access is ever
/// processed. A DTD or an entity other than the five predefined ones raises "DTD not implemented",
/// nesting past kMaxDepth elements is refused, and any syntax error raises EditorException with the
/// messages above, wherever in the document it is. Once it has thrown, every read() throws again.
class XmlReader {
public:
    static constexpr int32_t kMaxDepth = 256;

    /// `bytes` (UTF-8, or UTF-16 and others by byte order mark or declaration) must outlive the
    /// reader; so must `text`.
    explicit XmlReader(std::span<const uint8_t> bytes);
    explicit XmlReader(std::string_view text);
    ~XmlReader();
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    /// Moves to the next node; false after the root element's end.
    bool read();

    [[nodiscard]] XmlNodeKind kind() const noexcept { return kind_; }
    /// Elements only.
    [[nodiscard]] std::string_view localName() const noexcept { return localName_; }
    [[nodiscard]] std::string_view namespaceUri() const noexcept { return namespaceUri_; }
    [[nodiscard]] bool isEmptyElement() const noexcept { return isEmptyElement_; }
    [[nodiscard]] bool isStartElement(std::string_view namespaceUri, std::string_view localName) const noexcept
    {
        return kind_ == XmlNodeKind::StartElement && localName_ == localName && namespaceUri_ == namespaceUri;
    }
    /// Elements enclosing the node: 0 for the root's start and end, 1 for the root's children.
    [[nodiscard]] int32_t depth() const noexcept { return depth_; }

    /// The attributes of a start tag, namespace declarations left out; empty on other nodes.
    [[nodiscard]] std::span<const XmlAttribute> attributes() const noexcept { return attributes_; }
    /// The value of the attribute `localName` in `namespaceUri` ("" for an unprefixed one).
    [[nodiscard]] std::optional<std::string_view> attribute(std::string_view namespaceUri, std::string_view localName) const noexcept;
    /// The URI a prefix stands for at the current start tag ("" asks for the default namespace).
    [[nodiscard]] std::optional<std::string> lookupNamespace(std::string_view prefix) const;

    /// Text nodes only.
    [[nodiscard]] std::string_view text() const noexcept { return text_; }
    [[nodiscard]] std::u16string textUtf16() const;
    /// Whether xml:space="preserve" is in force at the current node.
    [[nodiscard]] bool isSpacePreserved() const noexcept { return !spacePreserved_.empty() && spacePreserved_.back(); }

    /// On a start tag, reads up to its end tag, which becomes the current node; elsewhere does nothing.
    void skipSubtree();
    /// Reads on to the next start tag with this name; false when the document ends first.
    bool readToElement(std::string_view namespaceUri, std::string_view localName);

private:
    struct Parser;

    [[nodiscard]] bool readNode();
    void startElement();
    void endElement();
    void collectAttributes();
    [[noreturn]] void fail(std::string message);

    std::unique_ptr<Parser> parser_;
    XmlNodeKind kind_ = XmlNodeKind::None;
    std::string_view localName_;
    std::string_view namespaceUri_;
    std::string_view text_;
    bool isEmptyElement_ = false;
    bool pendingEmptyEnd_ = false;
    bool sawRoot_ = false;
    bool finished_ = false;
    int32_t depth_ = 0;
    std::vector<bool> spacePreserved_; // one per open element
    std::vector<XmlAttribute> attributes_;
    std::string attributeValues_; // backs the attribute values of the current start tag
    std::vector<size_t> attributeValueOffsets_; // where each value starts in attributeValues_
    std::optional<std::string> failure_;
};

} // namespace velmo::formats

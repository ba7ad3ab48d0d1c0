#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// Writes an XML document into a growable byte buffer: UTF-8, no indentation, the declaration
/// `<?xml version="1.0" encoding="utf-8"?>` first. Element and attribute names are written as
/// given, prefix included ("w:p"); namespaces are declared with namespaceDeclaration().
///
/// Text and attribute values round-trip exactly through any conforming reader: in text "&", "<",
/// ">" and CR are escaped, in attribute values also the double quote, tab and LF. Characters XML
/// cannot carry (C0 controls other than tab, LF and CR, U+FFFE, U+FFFF, lone surrogates and
/// malformed UTF-8) become U+FFFD instead of failing. Numbers are written without regard to the
/// process locale.
class XmlWriter {
public:
    XmlWriter();

    /// Opens an element; attributes may follow until content or another element is written.
    void startElement(std::string_view qualifiedName);
    /// Closes the innermost open element, as `<a/>` when it got no content.
    void endElement();

    /// `xmlns:prefix="uri"`, or `xmlns="uri"` for an empty prefix, on the open start tag.
    void namespaceDeclaration(std::string_view prefix, std::string_view uri);
    void attribute(std::string_view qualifiedName, std::string_view utf8Value);
    void attribute(std::string_view qualifiedName, std::u16string_view value);
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    void attribute(std::string_view qualifiedName, T value)
    {
        char digits[24];
        const std::to_chars_result result = std::to_chars(std::begin(digits), std::end(digits), value);
        attributeRaw(qualifiedName, std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
    }
    /// The shortest decimal form that reads back as the same value ("0.1", "1e+21"); NaN and the
    /// infinities as "NaN", "INF" and "-INF".
    void attribute(std::string_view qualifiedName, double value);

    /// Character data inside the open element; empty text writes nothing.
    void text(std::string_view utf8);
    void text(std::u16string_view text);

    /// Number of elements still open.
    [[nodiscard]] size_t openElementCount() const noexcept { return nameEnds_.size(); }
    /// Closes every open element and hands over the document. The writer is spent afterwards.
    [[nodiscard]] std::string finish();

private:
    void closeStartTag();
    void beginAttribute(std::string_view qualifiedName);
    void attributeRaw(std::string_view qualifiedName, std::string_view value);

    std::string output_;
    std::string openNames_;        // names of the open elements, one after the other
    std::vector<size_t> nameEnds_; // where each open element's name ends in openNames_
    bool startTagOpen_ = false;
};

} // namespace velmo::formats

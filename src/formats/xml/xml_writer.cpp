#include "formats/xml/xml_writer.h"

#include "core/editor_exception.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace velmo::formats {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

enum class Context { Text, Attribute };

/// For each ASCII character, what it becomes in text and in an attribute value; empty where it is
/// written as itself.
struct AsciiEscapes {
    std::array<std::string_view, 128> text{};
    std::array<std::string_view, 128> attribute{};
};

constexpr AsciiEscapes makeAsciiEscapes()
{
    AsciiEscapes escapes;
    for (size_t c = 0; c < 0x20; ++c) {
        escapes.text[c] = kReplacement;
        escapes.attribute[c] = kReplacement;
    }
    escapes.text['\t'] = {};
    escapes.text['\n'] = {};
    escapes.text['\r'] = "&#xD;";
    escapes.attribute['\t'] = "&#x9;";
    escapes.attribute['\n'] = "&#xA;";
    escapes.attribute['\r'] = "&#xD;";
    for (auto* table : {&escapes.text, &escapes.attribute}) {
        (*table)['&'] = "&amp;";
        (*table)['<'] = "&lt;";
        (*table)['>'] = "&gt;";
    }
    escapes.attribute['"'] = "&quot;";
    return escapes;
}

constexpr AsciiEscapes kAsciiEscapes = makeAsciiEscapes();

template <Context context>
constexpr std::string_view asciiEscape(unsigned char c) noexcept
{
    return context == Context::Text ? kAsciiEscapes.text[c] : kAsciiEscapes.attribute[c];
}

bool isContinuation(unsigned char c) noexcept
{
    return (c & 0xC0) == 0x80;
}

/// Length of the well-formed UTF-8 sequence that starts `text` with a lead byte of 0x80 or more,
/// or 0 when it is malformed, a surrogate, or U+FFFE or U+FFFF, none of which XML can carry.
size_t allowedSequenceLength(std::string_view text) noexcept
{
    const auto byte = [&](size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        if (lead == 0xED)
            secondHigh = 0x9F; // above are the surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < secondLow || byte(1) > secondHigh)
        return 0;
    for (size_t index = 2; index < length; ++index) {
        if (!isContinuation(byte(index)))
            return 0;
    }
    if (lead == 0xEF && byte(1) == 0xBF && (byte(2) == 0xBE || byte(2) == 0xBF))
        return 0;
    return length;
}

template <Context context>
void appendEscaped(std::string& out, std::string_view text)
{
    size_t runStart = 0;
    size_t index = 0;
    while (index < text.size()) {
        const auto c = static_cast<unsigned char>(text[index]);
        if (c < 0x80 && asciiEscape<context>(c).empty()) {
            ++index;
            continue;
        }
        out.append(text.data() + runStart, index - runStart);
        if (c < 0x80) {
            out += asciiEscape<context>(c);
            ++index;
        } else if (const size_t length = allowedSequenceLength(text.substr(index)); length != 0) {
            out.append(text.data() + index, length);
            index += length;
        } else {
            out += kReplacement;
            ++index;
        }
        runStart = index;
    }
    out.append(text.data() + runStart, index - runStart);
}

/// Collects bytes in a small buffer and appends them in blocks, so encoding UTF-16 does not grow
/// the output one byte at a time.
class BlockAppender {
public:
    explicit BlockAppender(std::string& out) : out_(out) {}
    ~BlockAppender() { flush(); }
    BlockAppender(const BlockAppender&) = delete;
    BlockAppender& operator=(const BlockAppender&) = delete;

    void put(char c)
    {
        if (used_ == sizeof(block_))
            flush();
        block_[used_++] = c;
    }
    void put(std::string_view text)
    {
        for (const char c : text)
            put(c);
    }

private:
    void flush()
    {
        out_.append(block_, used_);
        used_ = 0;
    }

    std::string& out_;
    char block_[1024];
    size_t used_ = 0;
};

template <Context context>
void appendEscaped(std::string& out, std::u16string_view text)
{
    BlockAppender appender(out);
    for (size_t index = 0; index < text.size(); ++index) {
        uint32_t code = text[index];
        if (code < 0x80) {
            const std::string_view escape = asciiEscape<context>(static_cast<unsigned char>(code));
            if (escape.empty())
                appender.put(static_cast<char>(code));
            else
                appender.put(escape);
            continue;
        }
        if (code >= 0xD800 && code <= 0xDFFF) {
            const bool paired = code <= 0xDBFF && index + 1 < text.size() && text[index + 1] >= 0xDC00 &&
                                text[index + 1] <= 0xDFFF;
            if (!paired) {
                appender.put(kReplacement);
                continue;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++index] - 0xDC00);
        } else if (code == 0xFFFE || code == 0xFFFF) {
            appender.put(kReplacement);
            continue;
        }
        if (code < 0x800) {
            appender.put(static_cast<char>(0xC0 | (code >> 6)));
        } else if (code < 0x10000) {
            appender.put(static_cast<char>(0xE0 | (code >> 12)));
            appender.put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        } else {
            appender.put(static_cast<char>(0xF0 | (code >> 18)));
            appender.put(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            appender.put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        }
        appender.put(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

XmlWriter::XmlWriter()
{
    output_.append(kDeclaration);
}

void XmlWriter::closeStartTag()
{
    if (startTagOpen_) {
        output_ += '>';
        startTagOpen_ = false;
    }
}

void XmlWriter::startElement(std::string_view qualifiedName)
{
    closeStartTag();
    output_ += '<';
    output_ += qualifiedName;
    openNames_ += qualifiedName;
    nameEnds_.push_back(openNames_.size());
    startTagOpen_ = true;
}

void XmlWriter::endElement()
{
    if (nameEnds_.empty())
        throw core::EditorException::internalError();
    nameEnds_.pop_back();
    const size_t nameStart = nameEnds_.empty() ? 0 : nameEnds_.back();
    if (startTagOpen_) {
        output_ += "/>";
        startTagOpen_ = false;
    } else {
        output_ += "</";
        output_.append(openNames_, nameStart);
        output_ += '>';
    }
    openNames_.resize(nameStart);
}

void XmlWriter::beginAttribute(std::string_view qualifiedName)
{
    if (!startTagOpen_)
        throw core::EditorException::internalError(); // attributes belong to a start tag not yet closed
    output_ += ' ';
    output_ += qualifiedName;
    output_ += "=\"";
}

void XmlWriter::attributeRaw(std::string_view qualifiedName, std::string_view value)
{
    beginAttribute(qualifiedName);
    output_ += value;
    output_ += '"';
}

void XmlWriter::namespaceDeclaration(std::string_view prefix, std::string_view uri)
{
    beginAttribute(prefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(prefix));
    appendEscaped<Context::Attribute>(output_, uri);
    output_ += '"';
}

void XmlWriter::attribute(std::string_view qualifiedName, std::string_view utf8Value)
{
    beginAttribute(qualifiedName);
    appendEscaped<Context::Attribute>(output_, utf8Value);
    output_ += '"';
}

void XmlWriter::attribute(std::string_view qualifiedName, std::u16string_view value)
{
    beginAttribute(qualifiedName);
    appendEscaped<Context::Attribute>(output_, value);
    output_ += '"';
}

void XmlWriter::attribute(std::string_view qualifiedName, double value)
{
    if (std::isnan(value)) {
        attributeRaw(qualifiedName, "NaN");
    } else if (std::isinf(value)) {
        attributeRaw(qualifiedName, value > 0 ? "INF" : "-INF");
    } else {
        char digits[32];
        const std::to_chars_result result = std::to_chars(std::begin(digits), std::end(digits), value);
        attributeRaw(qualifiedName, std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
    }
}

void XmlWriter::text(std::string_view utf8)
{
    if (utf8.empty())
        return;
    closeStartTag();
    appendEscaped<Context::Text>(output_, utf8);
}

void XmlWriter::text(std::u16string_view text)
{
    if (text.empty())
        return;
    closeStartTag();
    appendEscaped<Context::Text>(output_, text);
}

std::string XmlWriter::finish()
{
    while (!nameEnds_.empty())
        endElement();
    return std::exchange(output_, {});
}

} // namespace velmo::formats

#include "formats/xml/xml_reader.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "formats/xml/xml_parser_error_internal.h"

#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <climits>
#include <new>

namespace velmo::formats {

namespace {

// Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD, XML_PARSE_DTDATTR or XML_PARSE_HUGE: no entity is
// substituted, no external subset or network resource is loaded, and libxml2 keeps its own limits
// on text and name sizes and on nesting.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_COMPACT;

constexpr size_t kFollowingBytes = 4;

std::string_view view(const xmlChar* text) noexcept
{
    return text == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char*>(text));
}

bool isXmlWhitespace(char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBlank(std::string_view text) noexcept
{
    for (const char c : text) {
        if (!isXmlWhitespace(c))
            return false;
    }
    return true;
}

void initializeLibxml2()
{
    static const bool initialized = [] {
        xmlInitParser();
        return true;
    }();
    (void)initialized;
}

} // namespace

struct XmlReader::Parser {
    ~Parser()
    {
        if (reader != nullptr)
            xmlFreeTextReader(reader);
    }

    /// Keeps the first error; warnings (such as a relative namespace URI) do not stop reading.
    static void onError(void* argument, xmlErrorPtr error)
    {
        auto* parser = static_cast<Parser*>(argument);
        if (error == nullptr || error->level < XML_ERR_ERROR || parser->firstError)
            return;
        xml_internal::ParserError& recorded = parser->firstError.emplace();
        recorded.code = error->code;
        recorded.line = error->line;
        recorded.column = error->int2;
        recorded.subject = error->str1 != nullptr ? error->str1 : "";
        recorded.parserMessage = error->message != nullptr ? error->message : "";
        if ((error->domain == XML_FROM_PARSER || error->domain == XML_FROM_NAMESPACE) && error->ctxt != nullptr) {
            const auto* context = static_cast<const xmlParserCtxt*>(error->ctxt);
            recorded.parserState = context->instate;
            if (context->input != nullptr && context->input->cur != nullptr && context->input->end != nullptr) {
                std::string_view rest(reinterpret_cast<const char*>(context->input->cur),
                                      static_cast<size_t>(context->input->end - context->input->cur));
                while (!rest.empty() && isXmlWhitespace(rest.front()))
                    rest.remove_prefix(1);
                recorded.following = rest.substr(0, kFollowingBytes);
            }
        }
    }

    xmlTextReaderPtr reader = nullptr;
    std::optional<xml_internal::ParserError> firstError;
};

XmlReader::XmlReader(std::string_view text)
    : XmlReader(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()))
{
}

XmlReader::XmlReader(std::span<const uint8_t> bytes) : parser_(std::make_unique<Parser>())
{
    initializeLibxml2();
    if (bytes.size() > static_cast<size_t>(INT_MAX))
        throw core::EditorException("The XML part is too large.");
    static constexpr char kEmpty[] = "";
    const char* data = bytes.empty() ? kEmpty : reinterpret_cast<const char*>(bytes.data());
    parser_->reader = xmlReaderForMemory(data, static_cast<int>(bytes.size()), nullptr, nullptr, kParseOptions);
    if (parser_->reader == nullptr)
        throw std::bad_alloc();
    xmlTextReaderSetStructuredErrorHandler(parser_->reader, &Parser::onError, parser_.get());
}

XmlReader::~XmlReader() = default;

void XmlReader::fail(std::string message)
{
    failure_ = message;
    kind_ = XmlNodeKind::None;
    throw core::EditorException(message);
}

bool XmlReader::readNode()
{
    const int result = xmlTextReaderRead(parser_->reader);
    // The declaration is refused before any error it may have caused, so a DTD always reads as such.
    if (result == 1 && xmlTextReaderNodeType(parser_->reader) == XML_READER_TYPE_DOCUMENT_TYPE)
        fail(std::string(kXmlDtdNotImplementedMessage));
    if (parser_->firstError)
        fail(xml_internal::readerMessage(*parser_->firstError));
    if (result < 0)
        fail(std::string(kXmlUnexpectedEndOfFileMessage));
    return result == 1;
}

bool XmlReader::read()
{
    if (failure_)
        throw core::EditorException(*failure_);
    if (finished_)
        return false;
    text_ = {};
    attributes_.clear();
    isEmptyElement_ = false;
    if (pendingEmptyEnd_) {
        pendingEmptyEnd_ = false;
        endElement();
        return true;
    }
    while (readNode()) {
        switch (xmlTextReaderNodeType(parser_->reader)) {
        case XML_READER_TYPE_ELEMENT:
            startElement();
            return true;
        case XML_READER_TYPE_END_ELEMENT:
            localName_ = view(xmlTextReaderConstLocalName(parser_->reader));
            namespaceUri_ = view(xmlTextReaderConstNamespaceUri(parser_->reader));
            endElement();
            return true;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            // Whether whitespace counts is decided by our own xml:space stack.
            text_ = view(xmlTextReaderConstValue(parser_->reader));
            if (isBlank(text_) && !isSpacePreserved())
                continue;
            kind_ = XmlNodeKind::Text;
            depth_ = static_cast<int32_t>(spacePreserved_.size());
            return true;
        case XML_READER_TYPE_CDATA:
            text_ = view(xmlTextReaderConstValue(parser_->reader));
            kind_ = XmlNodeKind::Text;
            depth_ = static_cast<int32_t>(spacePreserved_.size());
            return true;
        case XML_READER_TYPE_ENTITY_REFERENCE:
        case XML_READER_TYPE_ENTITY:
        case XML_READER_TYPE_DOCUMENT_TYPE:
        case XML_READER_TYPE_NOTATION:
            fail(std::string(kXmlDtdNotImplementedMessage));
        default:
            continue; // comments, processing instructions
        }
    }
    finished_ = true;
    kind_ = XmlNodeKind::None;
    if (!sawRoot_)
        fail(std::string(kXmlRootElementMissingMessage));
    if (!spacePreserved_.empty())
        fail(std::string(kXmlUnexpectedEndOfFileMessage));
    return false;
}

void XmlReader::startElement()
{
    if (spacePreserved_.size() >= static_cast<size_t>(kMaxDepth))
        fail(std::string(kXmlTooDeepMessage));
    kind_ = XmlNodeKind::StartElement;
    depth_ = static_cast<int32_t>(spacePreserved_.size());
    localName_ = view(xmlTextReaderConstLocalName(parser_->reader));
    namespaceUri_ = view(xmlTextReaderConstNamespaceUri(parser_->reader));
    isEmptyElement_ = xmlTextReaderIsEmptyElement(parser_->reader) == 1;
    pendingEmptyEnd_ = isEmptyElement_;
    sawRoot_ = true;
    collectAttributes();
    bool preserve = isSpacePreserved();
    if (const std::optional<std::string_view> space = attribute(kXmlNamespace, "space")) {
        if (*space == "preserve")
            preserve = true;
        else if (*space == "default")
            preserve = false;
    }
    spacePreserved_.push_back(preserve);
}

void XmlReader::endElement()
{
    kind_ = XmlNodeKind::EndElement;
    spacePreserved_.pop_back();
    depth_ = static_cast<int32_t>(spacePreserved_.size());
}

void XmlReader::collectAttributes()
{
    attributeValues_.clear();
    attributeValueOffsets_.clear();
    xmlTextReaderPtr reader = parser_->reader;
    if (xmlTextReaderHasAttributes(reader) != 1)
        return;
    while (xmlTextReaderMoveToNextAttribute(reader) == 1) {
        if (xmlTextReaderIsNamespaceDecl(reader) == 1)
            continue;
        attributeValueOffsets_.push_back(attributeValues_.size());
        attributeValues_ += view(xmlTextReaderConstValue(reader));
        attributes_.push_back({view(xmlTextReaderConstNamespaceUri(reader)), view(xmlTextReaderConstLocalName(reader)), {}});
    }
    xmlTextReaderMoveToElement(reader);
    // Values are pointed at only now that their buffer has stopped growing.
    for (size_t index = 0; index < attributes_.size(); ++index) {
        const size_t end = index + 1 < attributes_.size() ? attributeValueOffsets_[index + 1] : attributeValues_.size();
        attributes_[index].value = std::string_view(attributeValues_).substr(attributeValueOffsets_[index],
                                                                             end - attributeValueOffsets_[index]);
    }
}

std::optional<std::string_view> XmlReader::attribute(std::string_view namespaceUri, std::string_view localName) const noexcept
{
    for (const XmlAttribute& attribute : attributes_) {
        if (attribute.localName == localName && attribute.namespaceUri == namespaceUri)
            return attribute.value;
    }
    return std::nullopt;
}

std::optional<std::string> XmlReader::lookupNamespace(std::string_view prefix) const
{
    if (kind_ != XmlNodeKind::StartElement)
        return std::nullopt;
    const std::string prefixText(prefix);
    xmlChar* uri = xmlTextReaderLookupNamespace(
        parser_->reader, prefix.empty() ? nullptr : reinterpret_cast<const xmlChar*>(prefixText.c_str()));
    if (uri == nullptr)
        return std::nullopt;
    std::string result(view(uri));
    xmlFree(uri);
    return result;
}

std::u16string XmlReader::textUtf16() const
{
    return core::utf8ToUtf16(text_);
}

void XmlReader::skipSubtree()
{
    if (kind_ != XmlNodeKind::StartElement)
        return;
    const int32_t elementDepth = depth_;
    while (read()) {
        if (kind_ == XmlNodeKind::EndElement && depth_ == elementDepth)
            return;
    }
}

bool XmlReader::readToElement(std::string_view namespaceUri, std::string_view localName)
{
    while (read()) {
        if (isStartElement(namespaceUri, localName))
            return true;
    }
    return false;
}

} // namespace velmo::formats

#include "formats/xml/xml_parser_error_internal.h"

#include "formats/xml/xml_reader.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace velmo::formats::xml_internal {

namespace {

bool isBeforeRoot(int parserState) noexcept
{
    switch (parserState) {
    case XML_PARSER_START:
    case XML_PARSER_MISC:
    case XML_PARSER_PI:
    case XML_PARSER_COMMENT:
    case XML_PARSER_PROLOG:
        return true;
    default:
        return false;
    }
}

bool startsElement(std::string_view text) noexcept
{
    return text.size() >= 2 && text[0] == '<' && text[1] != '!' && text[1] != '?' && text[1] != '/';
}

} // namespace

std::string readerMessage(const ParserError& error)
{
    switch (error.code) {
    case XML_NS_ERR_UNDEFINED_NAMESPACE:
        return "'" + error.subject + "' is an undeclared namespace.";
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
    case XML_ERR_ENTITY_LOOP:
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        return std::string(kXmlDtdNotImplementedMessage);
    case XML_ERR_TAG_NAME_MISMATCH:
        return std::string(kXmlUnexpectedEndTagMessage);
    case XML_ERR_DOCUMENT_EMPTY:
        return std::string(kXmlRootElementMissingMessage);
    default:
        break;
    }
    if (error.parserState == XML_PARSER_DTD)
        return std::string(kXmlDtdNotImplementedMessage);
    if (error.code == XML_ERR_INTERNAL_ERROR && error.parserMessage.starts_with("Excessive depth"))
        return std::string(kXmlTooDeepMessage);

    const std::string_view following = error.following;
    const bool beforeRoot = isBeforeRoot(error.parserState);
    const bool afterRoot = error.parserState == XML_PARSER_EPILOG;
    // An end tag where a start tag must come: libxml2 stops either before the "<" or, taking it
    // for a start tag without a name, after it.
    if (((beforeRoot || afterRoot) && following.starts_with("</")) ||
        (error.code == XML_ERR_NAME_REQUIRED && following.starts_with("/")))
        return std::string(kXmlUnexpectedEndTagMessage);
    if (following.empty())
        return std::string(beforeRoot ? kXmlRootElementMissingMessage : kXmlUnexpectedEndOfFileMessage);
    if (error.code == XML_ERR_DOCUMENT_END) {
        // libxml2 says "extra content" for anything left over; what is left tells which.
        if (beforeRoot)
            return std::string(following[0] == '<' ? kXmlUnexpectedEndOfFileMessage : kXmlDataAtRootLevelMessage);
        if (afterRoot) {
            if (following[0] != '<')
                return std::string(kXmlDataAtRootLevelMessage);
            return std::string(startsElement(following) ? kXmlMultipleRootsMessage : kXmlUnexpectedEndOfFileMessage);
        }
        return std::string(kXmlUnexpectedEndOfFileMessage);
    }

    std::string message = error.parserMessage;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return "The XML is not well-formed: " + message + ". Line " + std::to_string(error.line) + ", position " +
           std::to_string(error.column) + ".";
}

} // namespace velmo::formats::xml_internal

#pragma once

#include <string>

namespace velmo::formats::xml_internal {

/// The first error libxml2 reported, with what the message mapping needs to know.
struct ParserError {
    int code = 0;
    int line = 0;
    int column = 0;
    /// The name, prefix or entity the error is about, when libxml2 gives one.
    std::string subject;
    std::string parserMessage;
    /// libxml2's xmlParserInputState when the error was raised.
    int parserState = 0;
    /// The first few bytes of the decoded input from the error on, leading whitespace skipped;
    /// empty when nothing but whitespace remained.
    std::string following;
};

/// The reader's message for a parser error.
[[nodiscard]] std::string readerMessage(const ParserError& error);

} // namespace velmo::formats::xml_internal

#pragma once

// Word-processing packages for tests: hand-written parts zipped in memory, and loading and saving
// through the DOCX reader and writer.

#include "core/editor_exception.h"
#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/zip/zip_stream_writer.h"
#include "model/document_dump.h"
#include "model/document_model.h"
#include "model/model_integrity_checker.h"
#include "model/piece_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace velmo::formats::testing {

inline constexpr const char* kWordNamespaces =
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006")";

/// The package relations that point at "word/document.xml".
inline std::string packageRelations()
{
    return R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
           R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
           R"(</Relationships>)";
}

/// A relationships part from (id, type word, target) triples.
inline std::string relationsPart(const std::vector<std::array<std::string, 3>>& relations)
{
    std::string xml = R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (const auto& [id, type, target] : relations)
        xml += R"(<Relationship Id=")" + id + R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/)" + type +
               R"(" Target=")" + target + R"("/>)";
    return xml + "</Relationships>";
}

/// A main document part whose body holds `body`.
inline std::string documentPart(const std::string& body)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?><w:document )") + kWordNamespaces + "><w:body>" + body +
           "</w:body></w:document>";
}

/// A ZIP package of the given members (name to content).
inline std::vector<uint8_t> makePackage(const std::map<std::string, std::string>& members)
{
    ZIPStreamWriter writer;
    for (const auto& [name, content] : members)
        writer.addFile(name, content);
    return writer.finish();
}

/// A package with the usual relations and a main document of `body`, plus `extra` members.
inline std::vector<uint8_t> makeDocx(const std::string& body, std::map<std::string, std::string> extra = {})
{
    extra.emplace("_rels/.rels", packageRelations());
    extra.emplace("word/document.xml", documentPart(body));
    return makePackage(extra);
}

inline void loadDocx(model::DocumentModel& document, std::span<const uint8_t> bytes, bool ignoreParseErrors = true)
{
    OpenXmlDocumentImporterOptions options;
    options.ignoreParseErrors = ignoreParseErrors;
    OpenXmlImporter(document, options).importContent(bytes);
}

inline std::vector<uint8_t> saveDocx(const model::DocumentModel& document)
{
    return OpenXmlExporter(document, DocumentExporterOptions{}).exportContent();
}

/// The main story's text, paragraph marks as "\r".
inline std::u16string mainText(const model::DocumentModel& document)
{
    return document.mainPieceTable().storyText();
}

/// Writes and reads back the document; the dumps must be equal and both models sound.
inline void expectRoundTrip(const model::DocumentModel& document)
{
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    model::DocumentModel copy;
    loadDocx(copy, saveDocx(document));
    copy.setDocumentFormat(document.documentFormat());
    EXPECT_THAT(model::findIntegrityProblems(copy), ::testing::IsEmpty());
    EXPECT_EQ(model::dumpDocument(copy), model::dumpDocument(document));
}

} // namespace velmo::formats::testing

#include "formats/document_file_service.h"

#include "core/editor_exception.h"
#include "core/file_io.h"
#include "core/unicode_text.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmo::formats {
namespace {

namespace fs = std::filesystem;

class DocumentFileServiceTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return folder_.file(name); }
    static void write(const std::string& path, std::string_view content)
    {
        std::ofstream(path, std::ios::binary) << content;
    }
    static std::string read(const std::string& path)
    {
        const std::vector<uint8_t> bytes = core::readFile(path);
        return std::string(bytes.begin(), bytes.end());
    }

    velmo::testing::TemporaryFolder folder_{"file-service"};
};

TEST_F(DocumentFileServiceTest, LoadSetsTheFileNameAndFormatAndSaveRoundTrips)
{
    write(path("in.txt"), "first\nsecond");
    model::DocumentModel document;
    PlainTextDocumentImporterOptions importOptions;
    loadDocument(document, path("in.txt"), model::DocumentFormat::Undefined, importOptions);
    EXPECT_EQ(document.saveOptions().currentFileName, core::utf8ToUtf16(path("in.txt")));
    EXPECT_EQ(document.saveOptions().currentFormat, model::DocumentFormat::PlainText);
    EXPECT_FALSE(document.isModified());

    PlainTextDocumentExporterOptions exportOptions;
    exportOptions.encoding = core::Encoding::fromCodePage(65001);
    saveDocument(document, path("out.txt"), model::DocumentFormat::PlainText, exportOptions);
    EXPECT_EQ(read(path("out.txt")), "\xEF\xBB\xBF" "first\r\nsecond");
    EXPECT_EQ(document.saveOptions().currentFileName, core::utf8ToUtf16(path("out.txt")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 2) << "no temporary file is left";
}

TEST_F(DocumentFileServiceTest, AFailedLoadNamesTheFileAndLeavesNoFileName)
{
    model::DocumentModel document;
    document.saveOptions().currentFileName = u"/earlier/document.txt";
    PlainTextDocumentImporterOptions options;
    try {
        loadDocument(document, path("missing.txt"), model::DocumentFormat::Undefined, options);
        FAIL() << "no error";
    } catch (const core::EditorException& error) {
        EXPECT_NE(std::string(error.what()).find("missing.txt"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos) << error.what();
    }
    EXPECT_EQ(document.saveOptions().currentFileName, u"/earlier/document.txt") << "nothing was read, nothing changed";

    EXPECT_THROW(loadDocument(document, std::vector<uint8_t>{'x'}, model::DocumentFormat::Doc, options),
                 core::EditorException);
    EXPECT_EQ(document.saveOptions().currentFileName, u"") << "a failed reader leaves no name a save could overwrite";
}

TEST_F(DocumentFileServiceTest, AFailedSaveLeavesTheOldFileAndName)
{
    write(path("keep.txt"), "old content");
    model::DocumentModel document;
    document.mainPieceTable().insertText(DocumentLogPosition(0), u"new");
    document.saveOptions().currentFileName = u"keep.txt";
    PlainTextDocumentExporterOptions options;
    EXPECT_THROW(saveDocument(document, path("no-such-folder/out.txt"), model::DocumentFormat::PlainText, options),
                 core::EditorException);
    EXPECT_THROW(saveDocument(document, path("keep.txt"), model::DocumentFormat::Doc, options), core::EditorException);
    EXPECT_EQ(read(path("keep.txt")), "old content");
    EXPECT_EQ(document.saveOptions().currentFileName, u"keep.txt");
}

} // namespace
} // namespace velmo::formats

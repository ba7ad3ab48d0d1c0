#include "tools/velmo_commands.h"

#include "core/encoding.h"
#include "core/file_io.h"
#include "formats/document_file_service.h"
#include "formats/document_formats_registry.h"
#include "formats/plain_text_importer.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace velmo::tools {
namespace {

namespace fs = std::filesystem;

class VelmoCommandsTest : public ::testing::Test {
protected:
    ExitCode run(std::vector<std::string> arguments)
    {
        out_.str("");
        err_.str("");
        return runVelmo(arguments, out_, err_);
    }
    std::string path(const std::string& name) const { return folder_.file(name); }
    static std::string read(const std::string& path)
    {
        const std::vector<uint8_t> bytes = core::readFile(path);
        return std::string(bytes.begin(), bytes.end());
    }

    velmo::testing::TemporaryFolder folder_{"cli"};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(VelmoCommandsTest, UsageErrorsAndUnreadableInputHaveTheirExitCodes)
{
    EXPECT_EQ(run({"--help"}), ExitCode::Ok);
    EXPECT_NE(out_.str().find("velmo convert IN OUT"), std::string::npos);
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        ExitCode expected;
    };
    const Case cases[] = {
        {"no command", {}, ExitCode::BadUsage},
        {"unknown command", {"frobnicate"}, ExitCode::BadUsage},
        {"convert without output", {"convert", "a.txt"}, ExitCode::BadUsage},
        {"unknown option", {"dump", "a.txt", "--fast"}, ExitCode::BadUsage},
        {"code page that is no number", {"convert", "a.txt", "b.txt", "--encoding", "latin"}, ExitCode::BadUsage},
        {"unknown code page", {"convert", "a.txt", "b.txt", "--encoding", "12345"}, ExitCode::BadUsage},
        {"no writer for the output", {"convert", "a.txt", "b.xyz"}, ExitCode::BadUsage},
        {"missing input", {"convert", path("missing.txt"), path("out.txt")}, ExitCode::CannotRead},
        {"dump of a missing file", {"dump", path("missing.txt")}, ExitCode::CannotRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.arguments), c.expected);
        EXPECT_FALSE(err_.str().empty());
    }
    run({"dump", path("missing.txt")});
    EXPECT_NE(err_.str().find("missing.txt"), std::string::npos) << "the message names the file";
}

TEST_F(VelmoCommandsTest, ConvertKeepsTheTextAndHonoursEncodings)
{
    std::ofstream(path("x.txt"), std::ios::binary) << "Hello\r\nP\xC5\x99\xC3\xADli\xC5\xA1\r\n";
    ASSERT_EQ(run({"convert", path("x.txt"), path("y.txt")}), ExitCode::Ok) << err_.str();
    EXPECT_EQ(read(path("y.txt")), "\xEF\xBB\xBFHello\r\nP\xC5\x99\xC3\xADli\xC5\xA1");

    ASSERT_EQ(run({"convert", path("x.txt"), path("z.out"), "--to", "txt", "--encoding", "1250"}), ExitCode::Ok);
    EXPECT_EQ(read(path("z.out")), "Hello\r\nP\xF8\xEDli\x9A");

    ASSERT_EQ(run({"dump", path("z.out"), "--from-encoding", "1250"}), ExitCode::Ok);
    EXPECT_NE(out_.str().find("TextRun \"P\xC5\x99\xC3\xADli\xC5\xA1\""), std::string::npos) << out_.str();
}

TEST_F(VelmoCommandsTest, ConvertsBetweenTextAndWordDocuments)
{
    std::ofstream(path("x.txt"), std::ios::binary) << "First\r\nSecond \xC5\x99\r\n";
    ASSERT_EQ(run({"convert", path("x.txt"), path("x.docx")}), ExitCode::Ok) << err_.str();
    EXPECT_EQ(read(path("x.docx")).substr(0, 2), "PK");
    ASSERT_EQ(run({"convert", path("x.docx"), path("y.docx")}), ExitCode::Ok) << err_.str();
    ASSERT_EQ(run({"convert", path("y.docx"), path("y.txt")}), ExitCode::Ok) << err_.str();
    EXPECT_EQ(read(path("y.txt")), "\xEF\xBB\xBF" "First\r\nSecond \xC5\x99");
    ASSERT_EQ(run({"dump", path("y.docx")}), ExitCode::Ok);
    EXPECT_NE(out_.str().find("document format=OpenXml"), std::string::npos);
    EXPECT_NE(out_.str().find("TextRun \"Second \xC5\x99\""), std::string::npos) << out_.str();

    // A damaged package is reported, not read as text.
    std::string damaged = read(path("y.docx"));
    damaged.resize(damaged.size() / 2);
    std::ofstream(path("damaged.docx"), std::ios::binary) << damaged;
    EXPECT_EQ(run({"dump", path("damaged.docx")}), ExitCode::CannotRead);
    EXPECT_NE(err_.str().find("damaged.docx"), std::string::npos);
}

TEST_F(VelmoCommandsTest, UpdateFieldsBuildsATableOfContents)
{
    {
        // "{TOC \o "1-2"|old}", then three headings of levels 1, 2 and 3.
        formats::DocumentFormatsRegistry::registerBuiltInFormats();
        model::DocumentModel document;
        model::PieceTable& story = document.mainPieceTable();
        const std::u16string code = u"TOC \\o \"1-2\"";
        story.insertText(DocumentLogPosition(0), code + u"old");
        story.insertParagraph(DocumentLogPosition(static_cast<int32_t>(code.size()) + 3));
        story.createField(DocumentLogPosition(0), static_cast<int32_t>(code.size()), 3);
        for (const auto& [level, text] : {std::pair{1, u"Intro"}, {2, u"Details"}, {3, u"Deep"}}) {
            const DocumentLogPosition end = story.paragraph(ParagraphIndex(story.paragraphCount() - 1)).logPosition();
            story.insertText(end, text);
            story.insertParagraph(end + static_cast<int32_t>(std::u16string_view(text).size()));
            story.setParagraphStyleIndex(ParagraphIndex(story.paragraphCount() - 2), document.styles().headingParagraphStyle(level));
        }
        formats::DocumentExporterOptions options;
        formats::saveDocument(document, path("toc.docx"), model::DocumentFormat::OpenXml, options);
    }
    ASSERT_EQ(run({"convert", path("toc.docx"), path("kept.txt")}), ExitCode::Ok) << err_.str();
    EXPECT_EQ(read(path("kept.txt")), "\xEF\xBB\xBF" "old\r\nIntro\r\nDetails\r\nDeep\r\n\r\n");
    ASSERT_EQ(run({"convert", path("toc.docx"), path("toc.txt"), "--update-fields"}), ExitCode::Ok) << err_.str();
    // Page numbers come from the layout; without one the entries end in an empty page reference.
    // The table's last entry ends with a paragraph of its own, so the field's paragraph is empty.
    EXPECT_EQ(read(path("toc.txt")), "\xEF\xBB\xBF" "Intro\t\r\nDetails\t\r\n\r\nIntro\r\nDetails\r\nDeep\r\n\r\n");
}

TEST_F(VelmoCommandsTest, ConvertReadsTheCharsetCorpusInTheRightEncoding)
{
    const fs::path corpus = fs::path(VELMO_SHARED_DIR) / "corpus" / "charset_normalizer";
    if (!fs::exists(corpus / "expected-encodings.tsv"))
        GTEST_SKIP() << "the shared corpus is not here";
    const std::map<std::string, int> codePages = {
        {"utf_8", 65001}, {"cp1252", 1252}, {"cp1253", 1253}, {"cp1254", 1254}, {"cp1255", 1255},
        {"cp1256", 1256}, {"cp949", 949},   {"big5", 950},    {"mac_cyrillic", 10007},
    };
    std::ifstream table(corpus / "expected-encodings.tsv");
    std::string line;
    std::getline(table, line); // header
    int files = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string file;
        std::string encoding;
        std::getline(fields, file, '\t');
        std::getline(fields, encoding, '\t');
        SCOPED_TRACE(file + " in " + encoding);
        ASSERT_TRUE(codePages.count(encoding)) << "no code page for " << encoding;
        const std::string output = path("converted.txt");
        ASSERT_EQ(run({"convert", (corpus / file).string(), output}), ExitCode::Ok) << err_.str();

        // What the file says when read in the encoding it is known to be in...
        model::DocumentModel expected;
        formats::PlainTextDocumentImporterOptions known;
        known.encoding = core::Encoding::fromCodePage(codePages.at(encoding));
        known.autoDetectEncoding = false;
        formats::PlainTextImporter(expected, known).importContent(core::readFile((corpus / file).string()));
        // ...must be what the converted UTF-8 file says.
        model::DocumentModel converted;
        formats::PlainTextDocumentImporterOptions utf8;
        utf8.encoding = core::Encoding::fromCodePage(65001);
        utf8.autoDetectEncoding = false;
        formats::PlainTextImporter(converted, utf8).importContent(core::readFile(output));
        EXPECT_TRUE(expected.mainPieceTable().storyText() == converted.mainPieceTable().storyText());
        ++files;
    }
    EXPECT_EQ(files, 18);
}

} // namespace
} // namespace velmo::tools

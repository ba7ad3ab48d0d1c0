#include "commands/paste_command.h"

#include "core/editor_exception.h"
#include "formats/document_formats_registry.h"
#include "formats/document_model_importer.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/selection.h"
#include "platform/memory_clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo::commands {
namespace {

namespace format = platform::clipboard_format;
using model::DocumentFormat;

/// A stand-in reader for rich clipboard data: "|" separates paragraphs, "!" fails the read and
/// "@" adds a note reference that the fragment lacks, so that inserting it fails part-way.
class FakeImporter final : public formats::DocumentModelImporter {
public:
    using DocumentModelImporter::DocumentModelImporter;
    void importContent(std::span<const uint8_t> bytes) override
    {
        const std::string text(bytes.begin(), bytes.end());
        if (text.find('!') != std::string::npos)
            throw core::EditorException("Unreadable fragment");
        documentModel_.beginSetContent();
        model::PieceTable& story = documentModel_.mainPieceTable();
        model::InputPosition position = story.createInputPosition(DocumentLogPosition(0));
        for (const char character : text) {
            if (character == '|')
                story.insertParagraph(position);
            else if (character == '@')
                story.insertNoteReference(position, model::RunKind::FootNote, 99);
            else
                story.insertText(position, std::u16string(1, static_cast<char16_t>(character)));
        }
        documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument);
    }
};

class FakeImportFormat final : public formats::IImportFileFormat {
public:
    explicit FakeImportFormat(DocumentFormat format) noexcept : format_(format) {}
    [[nodiscard]] DocumentFormat format() const noexcept override { return format_; }
    [[nodiscard]] formats::FileDialogFilter filter() const override { return {u"Fake", {u"fake"}}; }
    [[nodiscard]] std::unique_ptr<formats::DocumentModelImporter> createImporter(
        model::DocumentModel& documentModel, const formats::DocumentImporterOptions&) const override
    {
        return std::make_unique<FakeImporter>(documentModel);
    }
    [[nodiscard]] int32_t rate(std::span<const uint8_t>, std::u16string_view) const override { return 0; }

private:
    DocumentFormat format_;
};

class PasteCommandTest : public ::testing::Test {
protected:
    PasteCommandTest()
    {
        for (const DocumentFormat kind : {DocumentFormat::Rtf, DocumentFormat::Html}) {
            formats::DocumentFormatsRegistry::unregisterImportFormat(kind);
            formats::DocumentFormatsRegistry::registerImportFormat(std::make_unique<FakeImportFormat>(kind));
        }
        document_.mainPieceTable().insertText(DocumentLogPosition(0), u"abcd");
        document_.history().clear();
    }
    ~PasteCommandTest() override
    {
        formats::DocumentFormatsRegistry::unregisterImportFormat(DocumentFormat::Rtf);
        formats::DocumentFormatsRegistry::unregisterImportFormat(DocumentFormat::Html);
    }

    void paste() { PieceTablePasteCommand(document_, clipboard_, model::CopyPasteOptions{}).execute(); }
    std::u16string text() const { return document_.mainPieceTable().storyText(); }

    model::DocumentModel document_;
    platform::MemoryClipboard clipboard_;
};

TEST_F(PasteCommandTest, RichTextOfTwoParagraphsSplitsTheWordItLandsIn)
{
    clipboard_.setData(format::kRichText, "x|y");
    clipboard_.setText(format::kUnicodeText, u"plain");
    document_.selection().collapse(DocumentLogPosition(2));
    paste();
    EXPECT_EQ(text(), u"abx\rycd\r") << "rich text comes before plain text; the last mark is not pasted";
    EXPECT_EQ(document_.selection().start(), DocumentLogPosition(5)) << "the caret ends after the pasted content";
}

TEST_F(PasteCommandTest, PastingReplacesTheSelectionAsOneUndoStep)
{
    clipboard_.setText(format::kUnicodeText, u"one\r\ntwo");
    document_.selection().setRange(DocumentLogPosition(1), DocumentLogPosition(3));
    paste();
    EXPECT_EQ(text(), u"aone\rtwod\r");
    EXPECT_EQ(document_.history().count(), 1);
    document_.history().undo();
    EXPECT_EQ(text(), u"abcd\r");
    EXPECT_EQ(document_.selection().start(), DocumentLogPosition(1)) << "the selection comes back with the text";
    EXPECT_EQ(document_.selection().end(), DocumentLogPosition(3));
}

TEST_F(PasteCommandTest, FormatsAreTriedInOrderAndAFailureLeavesNothingOfIt)
{
    const struct {
        const char* name;
        std::string richText;
        std::string html;
        bool fromBrowser;
        std::u16string expected;
    } cases[] = {
        {"rich text first", "R", "H", false, u"Rabcd\r"},
        {"HTML first for browser data", "R", "H", true, u"Habcd\r"},
        {"unreadable rich text falls back to HTML", "!", "H", false, u"Habcd\r"},
        {"rich text failing part-way leaves nothing", "p|q@", "H", false, u"Habcd\r"},
        {"both failing fall back to plain text", "p|@", "!", false, u"Tabcd\r"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::string before = model::dumpDocument(document_);
        clipboard_.clear();
        clipboard_.setData(format::kRichText, testCase.richText);
        clipboard_.setData(format::kHtml, testCase.html);
        clipboard_.setData(format::kText, "T");
        if (testCase.fromBrowser)
            clipboard_.setData(format::kSourceUrl, "https://example.org/");
        document_.selection().collapse(DocumentLogPosition(0));
        paste();
        EXPECT_EQ(text(), testCase.expected);
        document_.history().undo();
        EXPECT_EQ(model::dumpDocument(document_), before);
    }
}

TEST_F(PasteCommandTest, WhenEveryFormatFailsTheErrorIsReportedAndNothingChanges)
{
    clipboard_.setData(format::kRichText, "!");
    clipboard_.setData(format::kHtml, "a|b@");
    document_.selection().setRange(DocumentLogPosition(0), DocumentLogPosition(2));
    const std::string before = model::dumpDocument(document_);
    EXPECT_THROW(paste(), core::EditorException);
    EXPECT_EQ(model::dumpDocument(document_), before) << "the selected text is not lost";
    EXPECT_FALSE(document_.history().canUndo());
}

TEST_F(PasteCommandTest, NothingToPasteChangesNothing)
{
    document_.selection().setRange(DocumentLogPosition(0), DocumentLogPosition(2));
    PieceTablePasteCommand command(document_, clipboard_, model::CopyPasteOptions{});
    EXPECT_FALSE(command.canExecute());
    command.execute();
    EXPECT_EQ(text(), u"abcd\r");
    clipboard_.setText(format::kUnicodeText, u"");
    EXPECT_TRUE(command.canExecute());
    command.execute();
    EXPECT_EQ(text(), u"cd\r") << "empty text replaces the selection with nothing";
}

} // namespace
} // namespace velmo::commands

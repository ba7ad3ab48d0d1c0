#include "core/culture.h"
#include "core/file_io.h"
#include "core/unicode_text.h"
#include "model/content_type.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_updater.h"
#include "model/fields/layout_dependent_field_formatting.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/floating_object_formatting.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/picture_editing.h"
#include "model/property_modifiers.h"
#include "model/section.h"
#include "model/selection.h"
#include "field_test_support.h"
#include "model/model_test_support.h"
#include "model/pictures/picture_test_support.h"
#include "platform/clock.h"
#include "platform/streams/local_uri_stream_service.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

/// A document whose fields see en-US, Thursday 7 March 2024 13:05:09, a saved page count of 12 and
/// a few document variables.
class FieldDocument {
public:
    FieldDocument()
    {
        DocumentFieldServices& services = document.fieldServices();
        services.culture = &culture;
        services.clock = &clock;
        services.documentPageCount = 12;
        const std::pair<const char16_t*, const char16_t*> variables[] = {
            {u"num", u"1234567.891"}, {u"neg", u"-5"}, {u"half", u"2.5"}, {u"above", u"2.51"},
            {u"three", u"3"},         {u"words", u"hello wORLD"}, {u"big", u"1000000"}, {u"a781", u"781"},
            {u"c21", u"21"},          {u"one", u"1"}, {u"expr", u"2+3"}, {u"yes", u"yes"}, {u"name", u"X"},
        };
        for (const auto& [name, value] : variables)
            document.variables().add(name, value);
    }
    PieceTable& story() { return document.mainPieceTable(); }
    /// Builds the markup at the end of the story, updates every field and tells what the story shows.
    std::u16string update(std::u16string_view markup)
    {
        appendFieldMarkup(story(), markup);
        updateAll();
        return shownText(story());
    }
    void updateAll(UpdateFieldOperationType type = UpdateFieldOperationType::Normal) { FieldUpdater(story()).updateFields(type); }

    core::Culture culture{"en-US"};
    platform::FixedClock clock{core::DateTime{2024, 3, 7, 13, 5, 9}};
    DocumentModel document{nullptr, &testCodec()};
};

TEST(FieldUpdateResultTest, EveryTypeAndFormatGivesItsText)
{
    struct Case {
        const char* name;
        std::u16string markup;
        std::u16string expected;
    };
    const Case cases[] = {
        {"date without picture", u"{DATE|old}", u"3/7/2024"},
        {"date picture", u"{DATE \\@ \"dddd, MMMM d, yyyy\"|}", u"Thursday, March 7, 2024"},
        {"two-digit year", u"{DATE \\@ yy|}", u"24"},
        {"five M: name then number", u"{DATE \\@ MMMMM|}", u"March3"},
        {"literal text in a picture", u"{DATE \\@ \"'Day' d\"|}", u"Day 7"},
        {"unclosed quote keeps the result", u"{DATE \\@ \"'abc d\"|old}", u"old"},
        {"time without picture", u"{TIME|}", u"1:05 PM"},
        {"time picture", u"{TIME \\@ HH:mm:ss|}", u"13:05:09"},
        {"creation date", u"{CREATEDATE|}", u"3/7/2024"},
        {"grouped with decimals", u"{DOCVARIABLE num \\# \"#,##0.00\"|}", u"1,234,567.89"},
        {"negative pattern in parentheses", u"{DOCVARIABLE neg \\# \"0;(0)\"|}", u"(5)"},
        {"negative without pattern", u"{DOCVARIABLE neg \\# 0|}", u"-5"},
        {"exact half toward zero", u"{DOCVARIABLE half \\# 0|}", u"2"},
        {"above half away from zero", u"{DOCVARIABLE above \\# 0|}", u"3"},
        {"roman", u"{DOCVARIABLE three \\* roman|}", u"iii"},
        {"ROMAN", u"{DOCVARIABLE three \\* ROMAN|}", u"III"},
        {"Roman reads as ROMAN", u"{DOCVARIABLE three \\* Roman|}", u"III"},
        {"Caps reads as caps", u"{DOCVARIABLE words \\* Caps|}", u"Hello World"},
        {"formats apply in order", u"{DOCVARIABLE words \\* upper \\* firstcap|}", u"HELLO WORLD"},
        {"cardtext out of range keeps the result", u"{DOCVARIABLE big \\* cardtext|old}", u"old"},
        {"ALPHABETIC out of range keeps the result", u"{DOCVARIABLE a781 \\* ALPHABETIC|old}", u"old"},
        {"circlenum above 20 in digits", u"{DOCVARIABLE c21 \\* circlenum|}", u"21"},
        {"zodiac3", u"{DOCVARIABLE one \\* zodiac3|}", u"\u7532\u5B50"},
        {"unknown keyword keeps the result", u"{DOCVARIABLE one \\* bogus|old}", u"old"},
        {"number keyword on a sum", u"{DOCVARIABLE expr \\* arabic|}", u"5"},
        {"MERGEFORMAT is no format", u"{DOCVARIABLE one \\* MERGEFORMAT|old}", u"1"},
        {"missing variable empties", u"{DOCVARIABLE nothing|old}", u""},
        {"formula keeps its result", u"{= 2+3|old}", u"old"},
        {"equation keeps its result", u"{EQ \\f(1,2)|eq}", u"eq"},
        {"merge field without data", u"{MERGEFIELD Name|old}", u"<<MERGEFIELD>>"},
        {"if on numbers", u"{IF 5 > 3 \"yes\" \"no\"|}", u"yes"},
        {"if on numbers, false", u"{IF 5 < 3 \"yes\" \"no\"|}", u"no"},
        {"if on text is case-sensitive", u"{IF abc = ABC \"same\" \"different\"|}", u"different"},
        {"if orders text", u"{IF abc < abd \"less\" \"more\"|}", u"less"},
        {"if compares wildcards as written", u"{IF abc = \"a*\" \"t\" \"f\"|}", u"f"},
        {"if compares wildcards as written, equal", u"{IF \"a*\" = \"a*\" \"t\" \"f\"|}", u"t"},
        {"if with an unknown operator is false", u"{IF 1 ! 1 \"t\" \"f\"|}", u"f"},
        {"if false without false text", u"{IF 1 = 2 \"t\"|old}", u""},
        {"if with a nested variable", u"{IF {DOCVARIABLE yes|stale} = yes \"match\" \"no match\"|}", u"match"},
        {"if text with a field in it", u"{IF 1 = 1 \"<{DOCVARIABLE name|old}>\" \"no\"|}", u"<X>"},
        {"nested ifs", u"{IF 1 = 1 \"{IF {DOCVARIABLE three|} > 2 big small|}\" \"no\"|}", u"big"},
        {"symbol", u"{SYMBOL 65|}", u"A"},
        {"symbol in hexadecimal", u"{SYMBOL 0x42|}", u"B"},
        {"symbol as a Windows-1252 byte", u"{SYMBOL 128|}", u"\u20AC"},
        {"symbol as a Unicode unit", u"{SYMBOL 8364 \\u|}", u"\u20AC"},
        {"symbol out of range empties", u"{SYMBOL 300|old}", u""},
        {"page count saved with the document", u"{NUMPAGES|}", u"12"},
        {"page count in roman", u"{NUMPAGES \\* roman|}", u"xii"},
        {"page count with a picture", u"{NUMPAGES \\# 000|}", u"012"},
        {"table of contents entry shows nothing", u"{TC \"Entry\" \\l 2|old}", u""},
        {"sequence without identifier", u"{SEQ|old}", u"Error! No sequence specified."},
        {"hidden sequence", u"{SEQ fig \\h|old}", u""},
        {"hyperlink keeps its text", u"{HYPERLINK \"a.htm\"|site}", u"site"},
        {"empty hyperlink shows its address", u"{HYPERLINK \"a.htm\" \\l top|}", u"a.htm"},
        {"type that is not calculated keeps its result", u"{AUTHOR|old}", u"old"},
        {"blank code keeps its result", u"{ |old}", u"old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FieldDocument fixture;
        EXPECT_EQ(fixture.update(c.markup), c.expected);
        expectSound(fixture.document);
    }
}

class FieldUpdateTest : public ::testing::Test, public FieldDocument {
protected:
    DocumentFieldServices& services() { return document.fieldServices(); }
    FieldCollection& fields() { return story().fields(); }
    const CharacterFormattingInfo& formattingAt(DocumentLogPosition position)
    {
        return story().mergedCharacterFormatting(story().findPosition(position).runIndex);
    }
};

TEST_F(FieldUpdateTest, SequencesCountPerIdentifierWithRepeatsAndRestarts)
{
    EXPECT_EQ(update(u"{SEQ fig|},{SEQ fig|},{SEQ tab|},{SEQ fig \\c|},{SEQ fig \\r 10|},{SEQ fig|},{SEQ Fig|},{SEQ tab|}"),
              u"1,2,1,2,10,11,1,2");
    // A field inserted in front renumbers the others on the next update.
    story().insertText(at(0), u" ");
    Field& added = story().createField(at(0), 0);
    story().insertText(added.startLogPosition() + 1, u"SEQ fig");
    updateAll();
    EXPECT_EQ(shownText(story()), u"1 2,3,1,3,10,11,1,2");
}

TEST_F(FieldUpdateTest, LockedFieldsAndFieldsWithUpdatesDisabledKeepTheirResults)
{
    appendFieldMarkup(story(), u"{DATE|one} {DATE|two} {IF 1 = 1 x|{DATE|inner}} {DATE \\@ yyyy|four}");
    story().setFieldLocked(fields()[0], true);
    story().setFieldDisableUpdate(fields()[3], true); // the IF, with the DATE in its result
    updateAll();
    EXPECT_EQ(shownText(story()), u"one 3/7/2024 inner 2024");
}

TEST_F(FieldUpdateTest, MergeFormatKeepsTheOldLookPositionByPosition)
{
    // { at 0, code 1-28, | at 29, "ab" 30-31, } at 32.
    appendFieldMarkup(story(), u"{DOCVARIABLE v \\* MERGEFORMAT|ab}");
    story().applyCharacterFormatting(at(1), 28, fontUnderlineTypeModifier(UnderlineType::Single));
    story().applyCharacterFormatting(at(30), 1, fontBoldModifier(true));
    story().applyCharacterFormatting(at(31), 1, fontItalicModifier(true));
    document.variables().add(u"v", u"xyz");
    updateAll();
    EXPECT_EQ(fieldResultText(story(), fields()[0]), u"xyz");
    EXPECT_TRUE(formattingAt(at(30)).fontBold());
    EXPECT_FALSE(formattingAt(at(30)).fontItalic());
    EXPECT_TRUE(formattingAt(at(31)).fontItalic());
    EXPECT_EQ(formattingAt(at(32)).fontUnderlineType(), UnderlineType::Single); // past the old result: the code's look
    EXPECT_FALSE(formattingAt(at(32)).fontBold());
    expectSound(document);
}

TEST_F(FieldUpdateTest, WithoutMergeFormatTheResultTakesTheCodesLook)
{
    // { at 0, blank 1, code "DOCVARIABLE v" 2-14, | at 15, "ab" 16-17.
    appendFieldMarkup(story(), u"{ DOCVARIABLE v|ab}");
    story().applyCharacterFormatting(at(2), 13, fontUnderlineTypeModifier(UnderlineType::Single));
    story().applyCharacterFormatting(at(16), 2, fontBoldModifier(true));
    document.variables().add(u"v", u"xyz");
    updateAll();
    for (int32_t position = 16; position < 19; ++position) {
        EXPECT_EQ(formattingAt(at(position)).fontUnderlineType(), UnderlineType::Single);
        EXPECT_FALSE(formattingAt(at(position)).fontBold());
    }
}

TEST_F(FieldUpdateTest, IfTextsKeepTheirOwnFormattingAndCaseFormatsKeepIt)
{
    // { 0, "IF 1 = 1 " 1-9, quote 10, "hello" 11-15, " world" 16-21, quote 22, " \* Upper" ..., |, }
    appendFieldMarkup(story(), u"{IF 1 = 1 \"hello world\" \\* Upper|}");
    story().applyCharacterFormatting(at(11), 5, fontBoldModifier(true));
    updateAll();
    const Field& field = fields()[0];
    EXPECT_EQ(fieldResultText(story(), field), u"HELLO WORLD");
    const DocumentLogPosition result = field.resultStartLogPosition();
    EXPECT_TRUE(formattingAt(result).fontBold());
    EXPECT_FALSE(formattingAt(result + 6).fontBold());
    expectSound(document);
}

TEST_F(FieldUpdateTest, UndoOfAnUpdateBringsTheOldResultsBack)
{
    appendFieldMarkup(story(), u"x{DOCVARIABLE name|old}y{IF 1 = 1 \"[{DOCVARIABLE three|a}]\"|b}z\n{SEQ s \\* roman|c}");
    const std::vector<std::function<void()>> script = {
        [&] { updateAll(); },
        [&] {
            document.variables().add(u"name", u"second");
            updateAll();
        },
    };
    expectScriptRetracesDumps(document, script);
    EXPECT_EQ(shownText(story()), u"xsecondy[3]z\ri");
}

TEST_F(FieldUpdateTest, AFailedUpdateLeavesTheOldResultAlsoInsideAnOpenTransaction)
{
    appendFieldMarkup(story(), u"a{DOCVARIABLE content|kept}b{DOCVARIABLE name|old}");
    // The handler's content refers to a note it does not have: copying it fails after the old
    // result has already gone.
    services().calculateDocumentVariable = [](CalculateDocumentVariableEventArgs& event) {
        if (event.variableName != u"content")
            return;
        auto content = std::make_unique<DocumentModel>();
        content->mainPieceTable().insertText(at(0), u"new");
        InputPosition position = content->mainPieceTable().createInputPosition(at(3));
        content->mainPieceTable().insertNoteReference(position, RunKind::FootNote, 5);
        event.documentValue = std::move(content);
    };
    const std::string before = dumpDocument(document);
    const int32_t steps = document.history().count();
    {
        BatchUpdateScope batch(document);
        story().insertText(at(0), u"typed ");
        updateAll();
        EXPECT_EQ(shownText(story()), u"typed akeptbX");
    }
    EXPECT_EQ(document.history().count(), steps + 1);
    EXPECT_EQ(shownText(story()), u"typed akeptbX");
    expectSound(document);
    document.history().undo();
    EXPECT_EQ(dumpDocument(document), before);
}

TEST_F(FieldUpdateTest, MergeFieldsReadTheBoundDataAndFinalMergingReplacesThem)
{
    class Data final : public IMailMergeDataService {
    public:
        [[nodiscard]] bool hasBoundData() const override { return true; }
        [[nodiscard]] std::optional<std::u16string> fieldValue(std::u16string_view name, bool mapped, MailMergeDataMode) const override
        {
            if (name == u"First")
                return mapped ? u"Mapped" : u"Ann";
            if (name == u"Blank")
                return u"  ";
            return std::nullopt;
        }
    } data;
    services().mailMergeDataService = &data;
    EXPECT_EQ(update(u"{MERGEFIELD First \\b \"Dear \" \\f \",\"|}/{MERGEFIELD First \\m|}/{MERGEFIELD Blank \\b x|}/"
                     u"{MERGEFIELD None \\b x|old}"),
              u"Dear Ann,/Mapped/  /");
    services().mailMergeDataMode = MailMergeDataMode::FinalMerging;
    updateAll();
    EXPECT_EQ(story().storyText(), u"Dear Ann,/Mapped/  /\r");
    EXPECT_EQ(fields().count(), 0);
    expectSound(document);
}

TEST_F(FieldUpdateTest, TheDocumentVariableHandlerComesFirstAndMayGiveContent)
{
    std::vector<std::u16string> seenArguments;
    services().calculateDocumentVariable = [&](CalculateDocumentVariableEventArgs& event) {
        if (event.variableName == u"text") {
            seenArguments = event.arguments;
            event.value = u"from handler";
        } else if (event.variableName == u"content") {
            auto content = std::make_unique<DocumentModel>();
            content->mainPieceTable().insertText(at(0), u"bold");
            content->mainPieceTable().applyCharacterFormatting(at(0), 4, fontBoldModifier(true));
            event.documentValue = std::move(content);
        }
    };
    document.variables().add(u"text", u"from variable");
    EXPECT_EQ(update(u"{DOCVARIABLE text a \"b c\"|}/{DOCVARIABLE content|}/{DOCVARIABLE name|}"), u"from handler/bold/X");
    EXPECT_EQ(seenArguments, (std::vector<std::u16string>{u"a", u"b c"}));
    EXPECT_TRUE(formattingAt(fields()[1].resultStartLogPosition()).fontBold());
}

TEST_F(FieldUpdateTest, PageNumbersComeFromTheLayoutOrBecomeLayoutDependentRuns)
{
    appendFieldMarkup(story(), u"{PAGE \\* roman|old}");
    updateAll();
    const Field& field = fields()[0];
    ASSERT_EQ(field.result().end - field.result().start, 1);
    const TextRunBase& run = story().run(field.result().start);
    ASSERT_EQ(run.kind(), RunKind::LayoutDependentText);
    const auto& formatting = static_cast<const LayoutDependentTextRun&>(run).fieldFormatting();
    ASSERT_NE(formatting, nullptr);
    EXPECT_EQ(formatting->fieldTypeName(), u"PAGE");
    EXPECT_EQ(formatting->format(4, u"4", culture), u"iv");
    expectSound(document);

    class Layout final : public IDocumentLayoutService {
    public:
        [[nodiscard]] std::optional<std::u16string> pageNumberText(DocumentLogPosition) const override { return u"7"; }
        [[nodiscard]] std::optional<int32_t> pageNumber(const PieceTable&, DocumentLogPosition) const override { return 7; }
    } layout;
    services().layoutService = &layout;
    updateAll();
    EXPECT_EQ(shownText(story()), u"7");

    PieceTable& header = document.createHeader(SectionIndex(0), HeaderFooterType::Odd).pieceTable();
    appendFieldMarkup(header, u"{PAGE|}/{NUMPAGES \\# 00|}");
    FieldUpdater(header).updateFields(UpdateFieldOperationType::Normal);
    const Field& count = header.fields()[1];
    const auto& countRun = static_cast<const LayoutDependentTextRun&>(header.run(count.result().start));
    ASSERT_NE(countRun.fieldFormatting(), nullptr);
    EXPECT_EQ(countRun.fieldFormatting()->fieldTypeName(), u"NUMPAGES");
    EXPECT_TRUE(countRun.fieldFormatting()->recalculatesOnSecondaryFormatting());
    EXPECT_EQ(countRun.fieldFormatting()->format(3, u"3", culture), u"03");
    EXPECT_EQ(static_cast<const LayoutDependentTextRun&>(header.run(header.fields()[0].result().start)).fieldFormatting()->fieldTypeName(),
              u"PAGE");
    expectSound(document);
}

TEST_F(FieldUpdateTest, ShapeFieldsKeepTheirDrawingAndDropItsInlineStandInOnLoad)
{
    appendFieldMarkup(story(), u"a{SHAPE  \\* MERGEFORMAT|}b");
    Field& shape = fields()[0];
    InputPosition position = story().createInputPosition(shape.resultStartLogPosition());
    FloatingObjectAnchorRun& anchor = insertFloatingObjectAnchor(story(), position);
    anchor.floatingObject().changeProperties([](FloatingObjectFormatting& formatting) {
        formatting.set(&FloatingObjectInfo::pseudoInline, true, UseFloatingObjectOption::UsePseudoInline);
    });
    const std::unique_ptr<OfficeImageReference> image = document.images().createImage(pngBytes(2, 2));
    insertInlinePicture(story(), position, *image).changePictureInfo([](InlinePictureInfo& info) { info.pseudoInline = true; });
    story().setFieldLocked(shape, true); // a locked SHAPE is processed all the same
    updateAll();
    EXPECT_EQ(shape.result().end - shape.result().start, 2); // only loading touches it
    updateAll(UpdateFieldOperationType::Load);
    ASSERT_EQ(shape.result().end - shape.result().start, 1);
    EXPECT_EQ(story().run(shape.result().start).kind(), RunKind::FloatingObjectAnchor);
    expectSound(document);
}

TEST_F(FieldUpdateTest, DateAndTimeUpdateOnLoadOnlyWhenTheReaderAsks)
{
    appendFieldMarkup(story(), u"{DATE|d}/{TIME|t}/{DOCVARIABLE name|v}/{DOCVARIABLE nothing|n}");
    updateAll(UpdateFieldOperationType::Load);
    EXPECT_EQ(shownText(story()), u"d/t/X/n"); // an empty variable is not taken on load
    document.fieldCalculatorService().beginUpdateFieldsOnLoad(FieldUpdateOnLoadOptions{true, false});
    updateAll(UpdateFieldOperationType::Load);
    document.fieldCalculatorService().endUpdateFieldsOnLoad();
    EXPECT_EQ(shownText(story()), u"3/7/2024/t/X/n");
}

TEST_F(FieldUpdateTest, VariablesBeforeCopyFollowTheOptions)
{
    appendFieldMarkup(story(), u"{DOCVARIABLE name|a}");
    document.fieldOptions().updateDocVariablesBeforeCopy = false;
    updateAll(UpdateFieldOperationType::Copy);
    EXPECT_EQ(shownText(story()), u"a");
    document.fieldOptions().updateDocVariablesBeforeCopy = true;
    document.fieldOptions().updateFieldsOnPaste = false;
    updateAll(UpdateFieldOperationType::Copy);
    EXPECT_EQ(shownText(story()), u"a");
    document.fieldOptions().updateFieldsOnPaste = true;
    updateAll(UpdateFieldOperationType::Copy);
    EXPECT_EQ(shownText(story()), u"X");
}

TEST_F(FieldUpdateTest, TheUpdateCommandTakesTheTopLevelFieldsTheSelectionTouches)
{
    // Fields at 0-19, 21-40, 42-61, blanks between.
    appendFieldMarkup(story(), u"{DOCVARIABLE name|1} {DOCVARIABLE name|2} {DOCVARIABLE name|3}");
    document.selection().setRange(at(16), at(23));
    updateSelectedFields(document);
    EXPECT_EQ(shownText(story()), u"X X 3");
    EXPECT_TRUE(document.history().canUndo());
    document.selection().collapse(at(40));
    updateSelectedFields(document); // a caret updates nothing
    EXPECT_EQ(shownText(story()), u"X X 3");
}

/// Serves local files and remembers every address it was asked for.
class RecordingStreamService final : public platform::IUriStreamService {
public:
    std::optional<std::vector<uint8_t>> open(std::u16string_view uri, const std::atomic<bool>& cancelled) const override
    {
        {
            const std::lock_guard lock(mutex_);
            asked_.emplace_back(uri);
        }
        return local_.open(uri, cancelled);
    }
    [[nodiscard]] std::vector<std::u16string> asked() const
    {
        const std::lock_guard lock(mutex_);
        return asked_;
    }

private:
    platform::LocalUriStreamService local_;
    mutable std::mutex mutex_;
    mutable std::vector<std::u16string> asked_;
};

TEST_F(FieldUpdateTest, IncludePictureReadsLocalFilesOnlyAndNeverOnLoad)
{
    const testing::TemporaryFolder folder("fields");
    std::filesystem::create_directories(folder.path() / "sub");
    core::writeFileAtomically(folder.file("sub/pic.png"), pngBytes(4, 3));
    RecordingStreamService streams;
    services().uriStreamService = &streams;
    document.saveOptions().currentFileName = core::utf8ToUtf16(folder.file("letter.docx"));
    const std::u16string absolute = core::utf8ToUtf16(folder.file("sub/pic.png"));
    appendFieldMarkup(story(), u"{INCLUDEPICTURE \"" + absolute + u"\"|a}/{INCLUDEPICTURE \"sub\\\\pic.png\"|b}/"
                               u"{INCLUDEPICTURE \"http://example.com/pic.png\"|c}/{INCLUDEPICTURE missing.png|d}/"
                               u"{INCLUDEPICTURE sub/pic.png \\d|e}");
    updateAll(UpdateFieldOperationType::Load);
    EXPECT_EQ(shownText(story()), u"a/b/c/d/e");
    EXPECT_TRUE(streams.asked().empty());
    updateAll();
    for (const int32_t index : {0, 1, 4}) {
        const Field& field = fields()[index];
        ASSERT_EQ(field.result().end - field.result().start, 1) << index;
        EXPECT_EQ(story().run(field.result().start).kind(), RunKind::InlinePicture) << index;
    }
    EXPECT_EQ(shownText(story()), u"//c/d/");
    for (const std::u16string& uri : streams.asked())
        EXPECT_TRUE(uri.starts_with(u"file://")) << core::utf16ToUtf8(uri);
    expectSound(document);
}

} // namespace
} // namespace velmo::model

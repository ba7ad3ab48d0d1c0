// Links made, changed and taken away in a story, their style, and their records staying on their
// fields while other fields come and go.
#include "core/editor_exception.h"
#include "model/character_properties.h"
#include "model/character_style.h"
#include "model/document_history.h"
#include "model/fields/field_updater.h"
#include "model/property_modifiers.h"
#include "model/fields/field_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

HyperlinkInfo link(std::u16string uri, std::u16string anchor = {})
{
    return HyperlinkInfo{std::move(anchor), std::move(uri), {}, {}};
}

constexpr AlphaColor kBlue = opaqueColor(0, 0, 255);
constexpr AlphaColor kRed = opaqueColor(200, 0, 0);
constexpr AlphaColor kGreen = opaqueColor(0, 160, 0);

class PieceTableHyperlinksTest : public ::testing::Test {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    int32_t hyperlinkStyle() const { return document_.styles().characterStyles().styleIndexByName(u"Hyperlink"); }
    const CharacterFormattingInfo& lookAt(int32_t position)
    {
        return story().mergedCharacterFormatting(story().findPosition(at(position)).runIndex);
    }
    /// A character style "Emphasis": bold and red.
    int32_t addEmphasisStyle()
    {
        auto emphasis = std::make_unique<CharacterStyle>(document_, u"Emphasis");
        CharacterStyle& style = *emphasis;
        const int32_t index = document_.styles().addCharacterStyle(std::move(emphasis));
        CharacterProperties look(style);
        look.setFontBold(true);
        look.setForeColor(kRed);
        return index;
    }
    std::string errorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const core::EditorException& error) {
            return error.what();
        }
        return "no error";
    }

    DocumentModel document_;
};

TEST_F(PieceTableHyperlinksTest, CreatingALinkPutsItsCodeBeforeTheTextAndStylesTheText)
{
    struct Case {
        const char* name;
        std::u16string text;
        int32_t position;
        int32_t length;
        bool forceVisible;
        HyperlinkInfo info;
        std::u16string storyText;
    };
    const Case cases[] = {
        {"over a word", u"see here now", 4, 4, false, link(u"a.htm", u"top"), u"see {HYPERLINK \"a.htm\" \\l \"top\"}here\u203A now\r"},
        {"backslashes doubled in the code", u"see here now", 4, 4, false, link(u"C:\\d\\a.doc"),
         u"see {HYPERLINK \"C:\\\\d\\\\a.doc\"}here\u203A now\r"},
        {"over nothing", u"see here now", 4, 0, false, link(u"a.htm"), u"see {HYPERLINK \"a.htm\"}\u203Ahere now\r"},
        {"over nothing, made visible", u"see here now", 4, 0, true, link(u"a.htm"), u"see {HYPERLINK \"a.htm\"}a.htm\u203Ahere now\r"},
        {"a place, made visible", u"see here now", 0, 0, true, link(u"", u"Intro"), u"{HYPERLINK \\l \"Intro\"}Intro\u203Asee here now\r"},
        {"over two paragraphs", u"see here\rnow", 4, 6, false, link(u"b.htm"), u"see {HYPERLINK \"b.htm\"}here\rn\u203Aow\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentModel document;
        PieceTable& story = document.mainPieceTable();
        story.insertPlainText(at(0), c.text);
        const int32_t steps = document.history().count();
        Field& field = story.createHyperlink(at(c.position), c.length, c.forceVisible, c.info);
        EXPECT_EQ(document.history().count(), steps + 1);
        EXPECT_EQ(story.storyText(), c.storyText);
        ASSERT_TRUE(story.isHyperlinkField(field.index()));
        EXPECT_EQ(story.hyperlinkInfo(field.index()), c.info);
        EXPECT_FALSE(field.isCodeView());
        const int32_t hyperlink = document.styles().characterStyles().styleIndexByName(u"Hyperlink");
        for (RunIndex runIndex = field.result().start; runIndex < field.result().end; ++runIndex) {
            if (story.run(runIndex).kind() != RunKind::Text)
                continue;
            EXPECT_EQ(story.run(runIndex).characterStyleIndex(), hyperlink);
            EXPECT_EQ(story.mergedCharacterFormatting(runIndex).foreColor(), kBlue);
            EXPECT_EQ(story.mergedCharacterFormatting(runIndex).fontUnderlineType(), UnderlineType::Single);
        }
        expectSound(document);
    }
}

TEST_F(PieceTableHyperlinksTest, ALinkThatWouldCutAFieldInTwoIsNotMade)
{
    appendFieldMarkup(story(), u"ab{DATE|x}cd");
    const std::string before = dumpDocument(document_);
    for (const auto& [position, length] : {std::pair{1, 3}, std::pair{4, 5}, std::pair{0, 100}, std::pair{-1, 1}}) {
        SCOPED_TRACE(position);
        EXPECT_THROW(story().createHyperlink(at(position), length, false, link(u"a.htm")), core::EditorException);
        EXPECT_EQ(dumpDocument(document_), before);
    }
    // A whole field may go into the link.
    Field& field = story().createHyperlink(at(1), 10, false, link(u"a.htm"));
    EXPECT_EQ(fieldResultText(story(), field), u"bxc");
    EXPECT_TRUE(story().isHyperlinkField(field.index()));
    expectSound(document_);
}

TEST_F(PieceTableHyperlinksTest, DeletingALinkLeavesItsTextWithTheLookAroundIt)
{
    story().insertText(at(0), u"see here now");
    story().applyCharacterFormatting(at(0), 4, fontBoldModifier(true)); // the code takes this look
    Field& field = story().createHyperlink(at(4), 4, false, link(u"a.htm"));
    story().applyCharacterFormatting(field.resultStartLogPosition(), 1, fontItalicModifier(true));
    story().deleteHyperlink(field);
    EXPECT_EQ(story().storyText(), u"see here now\r");
    EXPECT_EQ(story().fields().count(), 0);
    EXPECT_EQ(story().hyperlinkInfos().count(), 0);
    for (int32_t position = 4; position < 8; ++position) {
        SCOPED_TRACE(position);
        const TextRunBase& run = story().run(story().findPosition(at(position)).runIndex);
        EXPECT_EQ(run.characterStyleIndex(), 0);
        EXPECT_EQ(lookAt(position).foreColor(), AlphaColor(0)); // the code's colour, not the link's
        EXPECT_EQ(lookAt(position).fontUnderlineType(), UnderlineType::None);
        EXPECT_EQ(lookAt(position).fontItalic(), position == 4); // the text's own look stays
    }
    expectSound(document_);

    appendFieldMarkup(story(), u"{DATE|x}");
    EXPECT_NE(errorOf([&] { story().deleteHyperlink(story().fields()[0]); }).find("'AField'"), std::string::npos);
}

TEST_F(PieceTableHyperlinksTest, StylingRunsKeepsTheirLookExceptWhatTheLinkShows)
{
    struct Case {
        const char* name;
        bool applyDefault;
        AlphaColor ownColor; // 0: none
        AlphaColor expectedColor;
        UnderlineType expectedUnderline;
    };
    const Case cases[] = {
        {"default look over the style's colour", true, 0, kBlue, UnderlineType::Single},
        {"default look over the run's own colour", true, kGreen, kBlue, UnderlineType::Single},
        {"the style's colour kept", false, 0, kRed, UnderlineType::Single},
        {"the run's own colour kept", false, kGreen, kGreen, UnderlineType::Single},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentModel document;
        PieceTable& story = document.mainPieceTable();
        auto emphasis = std::make_unique<CharacterStyle>(document, u"Emphasis");
        CharacterStyle& style = *emphasis;
        const int32_t emphasisIndex = document.styles().addCharacterStyle(std::move(emphasis));
        CharacterProperties(style).setFontBold(true);
        CharacterProperties(style).setForeColor(kRed);
        story.insertText(at(0), u"abc");
        story.setCharacterStyleIndex(RunIndex(0), emphasisIndex);
        if (c.ownColor != 0)
            story.applyCharacterFormatting(at(0), 3, foreColorModifier(c.ownColor));
        const RunInfo runs = story.runsInfo(RunIndex(0), RunIndex(0));
        story.applyHyperlinkStyle(&runs, c.applyDefault);
        const CharacterFormattingInfo& look = story.mergedCharacterFormatting(RunIndex(0));
        EXPECT_EQ(story.run(RunIndex(0)).characterStyleIndex(), document.styles().characterStyles().styleIndexByName(u"Hyperlink"));
        EXPECT_TRUE(look.fontBold()); // what the old style set and the link does not
        EXPECT_EQ(look.foreColor(), c.expectedColor);
        EXPECT_EQ(look.fontUnderlineType(), c.expectedUnderline);
        expectSound(document);
    }
}

TEST_F(PieceTableHyperlinksTest, StylingNeedsARangeThatRunsForward)
{
    story().insertText(at(0), u"abc");
    EXPECT_NE(errorOf([&] { story().applyHyperlinkStyle(nullptr, true); }).find("'runInfo'"), std::string::npos);
    RunInfo reversed = story().findRunInfo(at(0), 3);
    std::swap(reversed.start, reversed.end);
    EXPECT_NE(errorOf([&] { story().applyHyperlinkStyle(&reversed, true); }).find("'runInfo'"), std::string::npos);
    EXPECT_EQ(story().run(RunIndex(0)).characterStyleIndex(), 0);
}

TEST_F(PieceTableHyperlinksTest, EachOperationIsOneStepThatUndoRetraces)
{
    const int32_t emphasis = addEmphasisStyle();
    story().insertText(at(0), u"see here and there");
    story().setCharacterStyleIndex(RunIndex(0), emphasis);
    document_.history().clear();
    Field* field = nullptr;
    const std::vector<std::function<void()>> script = {
        [&] { field = &story().createHyperlink(at(4), 4, false, link(u"a.htm")); },
        [&] { story().modifyHyperlinkResult(*field, u"the new text"); },
        [&] { story().modifyHyperlinkCode(*field, HyperlinkInfo{u"top", u"b.htm", u"_blank", u"say \"hi\""}); },
        [&] { field = &story().createHyperlink(at(0), 0, true, link(u"", u"Intro")); },
        [&] {
            const RunInfo rest = story().findRunInfo(story().documentEndLogPosition() - 5, 5);
            story().applyHyperlinkStyle(&rest, false);
        },
        [&] { story().deleteHyperlink(story().fields()[1]); },
        [&] { story().deleteHyperlink(story().fields()[0]); },
    };
    expectScriptRetracesDumps(document_, script);
    EXPECT_EQ(story().storyText(), u"Intro" u"see the new text and there\r");
}

TEST_F(PieceTableHyperlinksTest, ChangingALinkRewritesItsCodeFromTheRecord)
{
    story().insertText(at(0), u"go");
    Field& field = story().createHyperlink(at(0), 2, false, link(u"a.htm"));
    story().modifyHyperlinkCode(field, HyperlinkInfo{u"part", u"C:\\x.doc", u"_top", u""});
    EXPECT_EQ(fieldCodeText(story(), field), u"HYPERLINK \"C:\\\\x.doc\" \\l \"part\" \\t \"_top\"");
    EXPECT_EQ(story().hyperlinkInfo(field.index()).navigateUri, u"C:\\x.doc");
    // An update reads the same record back from the code.
    FieldUpdater(story()).updateFields(UpdateFieldOperationType::Normal);
    EXPECT_EQ(story().hyperlinkInfo(field.index()), (HyperlinkInfo{u"part", u"C:\\x.doc", u"_top", u""}));
    story().modifyHyperlinkResult(field, u"");
    EXPECT_EQ(field.resultLength(), 0);
    EXPECT_TRUE(story().isHyperlinkField(field.index()));
    expectSound(document_);
}

/// Fields made and removed before, after and inside a link, with undo and redo: its record stays on
/// its field throughout.
class HyperlinkRecordRandomTest : public ::testing::TestWithParam<uint32_t> {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    int32_t randomBelow(int32_t bound) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(std::max(bound, 1))); }

    void step()
    {
        const int32_t end = story().documentEndLogPosition().value();
        const int32_t choice = randomBelow(100);
        if (choice < 30) {
            const int32_t position = randomBelow(end + 1);
            try {
                Field& field = story().createField(at(position), 0);
                story().insertText(field.startLogPosition() + 1, u"DATE");
            } catch (const core::EditorException&) {
            }
        } else if (choice < 45) {
            const int32_t count = story().fields().count();
            Field& field = story().fields()[randomBelow(count)];
            // The link itself goes now and then too.
            if (&field != link_ || randomBelow(4) == 0)
                story().removeField(field);
        } else if (choice < 55) {
            story().insertText(at(randomBelow(end + 1)), u"xy");
        } else if (choice < 80) {
            document_.history().undo();
        } else {
            document_.history().redo();
        }
    }

    /// The link's record is on the link's field (the same object through undo and redo) and
    /// nowhere else.
    void expectRecordOnLink()
    {
        for (int32_t index = 0; index < story().fields().count(); ++index) {
            const bool isLink = &story().fields()[index] == link_;
            EXPECT_EQ(story().isHyperlinkField(index), isLink) << "field " << index;
            if (isLink)
                EXPECT_EQ(story().hyperlinkInfo(index).navigateUri, u"a.htm");
        }
        EXPECT_EQ(story().hyperlinkInfos().count(), link_->index() >= 0 ? 1 : 0);
    }

    Field* link_ = nullptr;
    DocumentModel document_;
    std::mt19937 random_{GetParam()};
};

TEST_P(HyperlinkRecordRandomTest, TheRecordStaysOnItsField)
{
    story().insertText(at(0), u"one two three four");
    link_ = &story().createHyperlink(at(4), 3, false, link(u"a.htm"));
    document_.history().clear();
    const std::string first = dumpDocument(document_);
    for (int32_t stepIndex = 0; stepIndex < 300; ++stepIndex) {
        SCOPED_TRACE(stepIndex);
        step();
        expectRecordOnLink();
        expectSound(document_);
        if (::testing::Test::HasFailure())
            return;
    }
    while (document_.history().canUndo())
        document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), first);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HyperlinkRecordRandomTest, ::testing::Values(1u, 7u, 42u, 1234u));

} // namespace
} // namespace velmo::model

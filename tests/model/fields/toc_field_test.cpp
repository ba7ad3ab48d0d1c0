#include "core/culture.h"
#include "model/bookmarks/bookmark.h"
#include "model/fields/field_updater.h"
#include "model/fields/toc_generator.h"
#include "model/numbering/list_test_support.h"
#include "model/paragraph_properties.h"
#include "model/section.h"
#include "model/tab_properties.h"
#include "field_test_support.h"
#include "model/model_test_support.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace velmo::model {
namespace {

/// Lays every paragraph of the main story out on a page of its own: page = paragraph index + 1.
class ParagraphPerPageLayout final : public IDocumentLayoutService {
public:
    [[nodiscard]] std::optional<std::u16string> pageNumberText(DocumentLogPosition) const override { return std::nullopt; }
    [[nodiscard]] std::optional<int32_t> pageNumber(const PieceTable& pieceTable, DocumentLogPosition logPosition) const override
    {
        if (!pieceTable.isMain())
            return std::nullopt;
        return pieceTable.findParagraphIndex(logPosition).value() + 1;
    }
};

/// A paragraph of the document listed: markup (see appendFieldMarkup) in a "Heading n" style
/// (0: Normal), with an outline level of its own when `ownOutlineLevel` is not 0.
struct Line {
    int32_t headingLevel = 0;
    std::u16string markup;
    int32_t ownOutlineLevel = 0;
};

/// Field results written as markup: "{" code start, "|" code end, "}" result end, "\n" a
/// paragraph mark.
std::u16string markupOf(const PieceTable& story, RunIndex first, RunIndex last)
{
    std::u16string text;
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        switch (story.run(runIndex).kind()) {
        case RunKind::FieldCodeStart: text += u'{'; break;
        case RunKind::FieldCodeEnd: text += u'|'; break;
        case RunKind::FieldResultEnd: text += u'}'; break;
        case RunKind::Paragraph: text += u'\n'; break;
        default: text += story.runText(runIndex); break;
        }
    }
    return text;
}

std::u16string resultMarkup(const PieceTable& story, const Field& field)
{
    return markupOf(story, field.result().start, field.result().end - 1);
}

/// A document with en-US fields, a fixed clock, bookmark numbers 100, 101... and, unless taken
/// away, a layout with one page per paragraph. Its first paragraph holds the field under test.
class TocDocument {
public:
    TocDocument()
    {
        DocumentFieldServices& services = document.fieldServices();
        services.culture = &culture;
        services.clock = &clock;
        services.layoutService = &layout;
        services.randomNumber = [this] { return nextNumber++; };
    }
    PieceTable& story() { return document.mainPieceTable(); }
    Field& field() { return story().fields()[story().fields().count() - 1]; }

    /// Writes the field's markup as the first paragraph, then the lines.
    void write(std::u16string_view fieldMarkup, const std::vector<Line>& lines)
    {
        appendFieldMarkup(story(), fieldMarkup);
        for (const Line& line : lines) {
            story().insertParagraph(story().documentEndLogPosition());
            appendFieldMarkup(story(), line.markup);
        }
        // Formatted once all are written, so that no paragraph inherits another's.
        for (size_t index = 0; index < lines.size(); ++index) {
            const ParagraphIndex paragraph(static_cast<int32_t>(index) + 1);
            if (lines[index].headingLevel > 0)
                story().setParagraphStyleIndex(paragraph, document.styles().headingParagraphStyle(lines[index].headingLevel));
            if (lines[index].ownOutlineLevel > 0)
                ParagraphProperties(story().paragraph(paragraph)).setOutlineLevel(lines[index].ownOutlineLevel);
        }
    }
    void updateAll() { FieldUpdater(story()).updateFields(UpdateFieldOperationType::Normal); }
    /// The field of the first paragraph: the last of the top-level fields there.
    Field& firstParagraphField()
    {
        Field* found = nullptr;
        for (Field* candidate : story().fields().childrenOf(nullptr)) {
            if (story().findParagraphIndex(candidate->startLogPosition()).value() == 0)
                found = candidate;
        }
        return *found;
    }

    core::Culture culture{"en-US"};
    platform::FixedClock clock{core::DateTime{2024, 3, 7, 13, 5, 9}};
    ParagraphPerPageLayout layout;
    uint32_t nextNumber = 100;
    DocumentModel document;
};

/// Intro (page 2), Details (4), Deep (5), More (7) as headings 1, 2, 3 and 1.
const std::vector<Line> kHeadings = {
    {1, u"Intro"}, {0, u"Body text"}, {2, u"Details"}, {3, u"Deep"}, {0, u""}, {1, u"More"},
};

TEST(TocFieldTest, SwitchesChooseTheEntriesAndHowTheyAreWritten)
{
    struct Case {
        const char* name;
        std::u16string field;
        std::vector<Line> lines;
        std::u16string expected;
    };
    const Case cases[] = {
        {"headings of every level without \\o", u"{TOC|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDetails\t{PAGEREF _Toc101|4}\nDeep\t{PAGEREF _Toc102|5}\nMore\t{PAGEREF _Toc103|7}\n"},
        {"\\o limits the levels", u"{TOC \\o \"1-2\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDetails\t{PAGEREF _Toc101|4}\nMore\t{PAGEREF _Toc102|7}\n"},
        {"\\o of one level", u"{TOC \\o 3-3|old}", kHeadings, u"Deep\t{PAGEREF _Toc100|5}\n"},
        {"a reversed \\o range means 1-9", u"{TOC \\o \"3-1\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDetails\t{PAGEREF _Toc101|4}\nDeep\t{PAGEREF _Toc102|5}\nMore\t{PAGEREF _Toc103|7}\n"},
        {"\\n without argument drops every page number", u"{TOC \\o \"1-2\" \\n|old}", kHeadings, u"Intro\nDetails\nMore\n"},
        {"\\n drops the page numbers of its levels", u"{TOC \\n \"2-3\" \\o \"1-3\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDetails\nDeep\nMore\t{PAGEREF _Toc101|7}\n"},
        {"\\p separates the page number", u"{TOC \\o 1-1 \\p \" ... \"|old}", kHeadings,
         u"Intro ... {PAGEREF _Toc100|2}\nMore ... {PAGEREF _Toc101|7}\n"},
        {"\\h makes the texts links", u"{TOC \\o \"1-1\" \\h|old}", kHeadings,
         u"{HYPERLINK \\l \"_Toc100\"|Intro}\t{PAGEREF _Toc100|2}\n{HYPERLINK \\l \"_Toc101\"|More}\t{PAGEREF _Toc101|7}\n"},
        {"\\t lists a style at a level of its own", u"{TOC \\o 1-2 \\t \"Heading 3,2, ,4,Heading 2,x\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDetails\t{PAGEREF _Toc101|4}\nDeep\t{PAGEREF _Toc102|5}\nMore\t{PAGEREF _Toc103|7}\n"},
        {"\\t levels must be heading levels", u"{TOC \\o 1-1 \\t \"Heading 3,2\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nMore\t{PAGEREF _Toc101|7}\n"},
        {"\\t level 0 leaves a style out", u"{TOC \\t \"Heading 2,0\"|old}", kHeadings,
         u"Intro\t{PAGEREF _Toc100|2}\nDeep\t{PAGEREF _Toc101|5}\nMore\t{PAGEREF _Toc102|7}\n"},
        {"\\u lists paragraphs by their own outline level", u"{TOC \\o 1-2 \\u|old}",
         {{0, u"Own level", 2}, {0, u"Body"}, {1, u"Heading"}},
         u"Own level\t{PAGEREF _Toc100|2}\nHeading\t{PAGEREF _Toc101|4}\n"},
        {"without \\u the own outline level does not count", u"{TOC|old}", {{0, u"Own level", 2}, {1, u"Heading"}},
         u"Heading\t{PAGEREF _Toc100|3}\n"},
        {"TC fields of the group and levels", u"{TOC \\o 1-1 \\f x \\l 1-2|old}",
         {{1, u"Intro"}, {0, u"a{TC \"Entry A\" \\f x \\l 2|}"}, {0, u"b{TC \"Other group\" \\f y|}"},
          {0, u"c{TC \"Too deep\" \\f X \\l 3|}{TC \"No number\" \\f X \\l 1 \\n|}"}},
         u"Intro\t{PAGEREF _Toc100|2}\nEntry A\t{PAGEREF _Toc101|3}\nNo number\n"},
        {"TC fields are not listed without \\f or \\l", u"{TOC|old}", {{0, u"a{TC \"Entry\"|}"}, {1, u"Intro"}},
         u"Intro\t{PAGEREF _Toc100|3}\n"},
        {"\\l alone lists TC fields without group", u"{TOC \\l 1-9|old}", {{0, u"a{TC \"Entry\"|}{TC \"Grouped\" \\f g|}"}},
         u"Entry\t{PAGEREF _Toc100|2}\n"},
        {"\\c lists captions instead of headings", u"{TOC \\c Figure \\f x|old}",
         {{1, u"Intro"}, {0, u"Figure {SEQ Figure|1} A cat"}, {0, u"Table {SEQ Table|1}"}, {0, u"Figure {SEQ Figure|2}{TC \"x\" \\f x|}"}},
         u"Figure 1 A cat\t{PAGEREF _Toc100|3}\nFigure 2\t{PAGEREF _Toc101|5}\n"},
        {"\\s and \\d put the sequence number before the page", u"{TOC \\o 1-1 \\s chapter \\d \":\"|old}",
         {{1, u"{SEQ chapter \\h|}First"}, {1, u"{SEQ chapter \\h|}Second"}},
         u"First\t1:{PAGEREF _Toc100|2}\nSecond\t2:{PAGEREF _Toc101|3}\n"},
        {"no entries", u"{TOC \\o 7-9|old}", kHeadings, u"No table of contents entries found."},
        {"the old table is not listed again", u"{TOC \\l 1-9|x{TC \"in the old result\" \\l 1|}}", {{0, u"body"}},
         u"No table of contents entries found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TocDocument fixture;
        fixture.write(c.field, c.lines);
        fixture.updateAll();
        const Field& toc = fixture.firstParagraphField();
        EXPECT_EQ(resultMarkup(fixture.story(), toc), c.expected);
        expectSound(fixture.document);
    }
}

TEST(TocFieldTest, HeadingsOfListsShowTheirNumbersAndWithoutLayoutThePagesStayEmpty)
{
    TocDocument fixture;
    fixture.document.fieldServices().layoutService = nullptr;
    fixture.write(u"{TOC|old}", {{1, u"Intro"}, {2, u"Details"}});
    const int32_t list = addMultiLevelList(fixture.document);
    fixture.story().addNumberingListToParagraph(ParagraphIndex(1), list, 0);
    fixture.story().addNumberingListToParagraph(ParagraphIndex(2), list, 1);
    fixture.updateAll();
    EXPECT_EQ(resultMarkup(fixture.story(), fixture.firstParagraphField()),
              u"1.\tIntro\t{PAGEREF _Toc100|}\n1.1.\tDetails\t{PAGEREF _Toc101|}\n");
    expectSound(fixture.document);
}

TEST(TocFieldTest, EntriesTakeTheTocStylesAndKeepOnlyTheTabsTheirStyleLacks)
{
    TocDocument fixture;
    fixture.document.section(SectionIndex(0)).changeMargins([](MarginsInfo& margins) {
        margins.left = 1000;
        margins.right = 2000;
    });
    const int32_t pageWidth = fixture.document.section(SectionIndex(0)).page().width;
    const TabInfo rightTab{pageWidth - 3000, TabAlignmentType::Right, TabLeaderType::Dots};
    // The document's own "TOC 2" already has the right tab; "TOC 1" is made anew.
    const int32_t toc2 = fixture.document.styles().createTocStyle(2);
    TabFormattingInfo styleTabs;
    styleTabs.add(rightTab);
    TabProperties(fixture.document.styles().paragraphStyles()[toc2]).setInfo(styleTabs);
    fixture.write(u"{TOC|old}", {{1, u"Intro"}, {2, u"Details"}});
    fixture.updateAll();

    const PieceTable& story = fixture.story();
    const auto& styles = fixture.document.styles().paragraphStyles();
    const Paragraph& first = story.paragraph(ParagraphIndex(0));
    const Paragraph& second = story.paragraph(ParagraphIndex(1));
    EXPECT_EQ(styles[first.paragraphStyleIndex()].styleName(), u"TOC 1");
    EXPECT_EQ(styles[second.paragraphStyleIndex()].styleName(), u"TOC 2");
    EXPECT_EQ(second.paragraphStyleIndex(), toc2);
    const TabFormattingInfo& ownFirst = fixture.document.cache().tabFormattingInfoCache()[first.tabsIndex()];
    ASSERT_EQ(ownFirst.count(), 1);
    EXPECT_EQ(ownFirst[0], rightTab);
    EXPECT_TRUE(fixture.document.cache().tabFormattingInfoCache()[second.tabsIndex()].isEmpty());
    EXPECT_EQ(story.mergedParagraphFormatting(first).leftIndent(), 0);
    EXPECT_EQ(story.mergedParagraphFormatting(second).leftIndent(), 221);
    expectSound(fixture.document);
}

TEST(TocFieldTest, AnUpdateIsOneUndoStepThatTakesItsBookmarksAlong)
{
    TocDocument fixture;
    fixture.write(u"{TOC \\h|old}", kHeadings);
    PieceTable& story = fixture.story();
    const std::vector<std::function<void()>> script = {
        [&] { fixture.updateAll(); },
        [&] {
            BatchUpdateScope batch(fixture.document);
            story.insertParagraph(story.documentEndLogPosition());
            story.insertText(story.documentEndLogPosition(), u"Added");
            story.setParagraphStyleIndex(ParagraphIndex(story.paragraphCount() - 1), fixture.document.styles().headingParagraphStyle(2));
        },
        [&] { fixture.updateAll(); },
    };
    expectScriptRetracesDumps(fixture.document, script);
    // The second update found the bookmarks of the first on their headings.
    std::vector<std::u16string> names;
    for (const Bookmark* bookmark : story.bookmarks(true))
        names.push_back(bookmark->name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"_Toc100", u"_Toc101", u"_Toc102", u"_Toc103", u"_Toc104"}));
    EXPECT_EQ(fieldResultText(story, fixture.firstParagraphField()),
              u"Intro\t6\rDetails\t8\rDeep\t9\rMore\t11\rAdded\t12\r");
    for (size_t step = 0; step < script.size(); ++step)
        fixture.document.history().undo();
    EXPECT_TRUE(story.bookmarks(true).empty());
    EXPECT_EQ(fieldResultText(story, fixture.firstParagraphField()), u"old");
}

TEST(TocFieldTest, LockedAndDisabledTablesStayAndPlaceNoBookmarks)
{
    TocDocument fixture;
    fixture.write(u"{TOC|locked}{IF 1 = 1 x|{TOC|inside}}", kHeadings);
    Field& locked = fixture.story().fields()[0];
    fixture.story().setFieldLocked(locked, true);
    Field& condition = fixture.firstParagraphField();
    fixture.story().setFieldDisableUpdate(condition, true);
    fixture.updateAll();
    EXPECT_EQ(visibleText(fixture.story(), RunIndex(0), fixture.story().paragraph(ParagraphIndex(0)).lastRunIndex()),
              u"lockedinside\r");
    EXPECT_TRUE(fixture.story().bookmarks(true).empty());
}

TEST(TocFieldTest, BookmarkNamesAreDrawnAgainUntilUnused)
{
    TocDocument fixture;
    uint32_t draws = 0;
    // 100 twice, then 101: the name the document has already is skipped.
    fixture.document.fieldServices().randomNumber = [&] { return draws++ < 2 ? 100u : 101u; };
    fixture.write(u"{TOC \\o 1-1|old}", kHeadings);
    fixture.story().createBookmark(DocumentLogPosition(0), 0, u"_Toc100");
    fixture.updateAll();
    EXPECT_EQ(resultMarkup(fixture.story(), fixture.firstParagraphField()),
              u"Intro\t{PAGEREF _Toc101|2}\nMore\t{PAGEREF _Toc102|7}\n");
}

TEST(PageRefFieldTest, PagesOfBookmarksThroughTheLayout)
{
    struct Case {
        const char* name;
        std::u16string field;
        bool withLayout;
        std::u16string expected;
    };
    const Case cases[] = {
        {"the page of the bookmark", u"{PAGEREF target|old}", true, u"3"},
        {"number formats apply", u"{PAGEREF target \\* roman|old}", true, u"iii"},
        {"\\p changes nothing", u"{PAGEREF target \\p|old}", true, u"3"},
        {"a hyperlink to the bookmark", u"{PAGEREF target \\h|old}", true, u"{HYPERLINK \\l \"target\"|3}"},
        {"a missing bookmark empties the result", u"{PAGEREF missing|old}", true, u""},
        {"names are case-sensitive", u"{PAGEREF TARGET|old}", true, u""},
        {"without a layout the saved number stays", u"{PAGEREF target|old}", false, u"old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TocDocument fixture;
        if (!c.withLayout)
            fixture.document.fieldServices().layoutService = nullptr;
        fixture.write(c.field, {{0, u"one"}, {0, u"two"}});
        fixture.story().createBookmark(fixture.story().paragraph(ParagraphIndex(2)).logPosition(), 3, u"target");
        fixture.updateAll();
        EXPECT_EQ(resultMarkup(fixture.story(), fixture.firstParagraphField()), c.expected);
        expectSound(fixture.document);
    }
}

TEST(PageRefFieldTest, TheBookmarkResolutionServiceComesFirst)
{
    TocDocument fixture;
    fixture.write(u"{PAGEREF elsewhere|old}", {{0, u"one"}, {0, u"two"}, {0, u"three"}});
    const Bookmark& bookmark = fixture.story().createBookmark(fixture.story().paragraph(ParagraphIndex(3)).logPosition(), 1, u"real");
    std::u16string asked;
    fixture.document.fieldServices().resolveBookmark = [&](const PieceTable&, std::u16string_view name) -> const Bookmark* {
        asked = name;
        return &bookmark;
    };
    fixture.updateAll();
    EXPECT_EQ(asked, u"elsewhere");
    EXPECT_EQ(fieldResultText(fixture.story(), fixture.firstParagraphField()), u"4");
}

} // namespace
} // namespace velmo::model

// Bookmarks: names, creation, how they follow edits, what deletion does to them, undo and redo,
// listing and copying.
#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "model/bookmarks/bookmark_collection.h"
#include "model/content_type.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/insert_content_command.h"
#include "model/piece_table.h"
#include "model/property_modifiers.h"
#include "model/section_headers_footers.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

std::pair<int32_t, int32_t> range(const Bookmark& bookmark)
{
    return {bookmark.start().value(), bookmark.end().value()};
}

TEST(BookmarkNameTest, Validity)
{
    struct Case {
        const char16_t* name;
        bool valid;
    };
    const Case cases[] = {
        {u"", true},
        {u"Intro", true},
        {u"_Toc1", true},      // hidden bookmarks the program makes
        {u"  ab_1  ", true},   // trimmed first
        {u"a1_b2", true},
        {u"\u00DCbersicht", true},
        {u"\u0436\u0443\u0440", true},
        {u"x\u0663", true},    // an Arabic-Indic digit is a decimal digit
        {u"1abc", false},
        {u"a-b", false},
        {u"a b", false},
        {u"a.b", false},
        {u"\u00B2x", false},   // a superscript two is a number, not a decimal digit or letter
        {u"   ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(core::utf16ToUtf8(c.name));
        EXPECT_EQ(Bookmark::isNameValid(c.name), c.valid);
    }
}

class BookmarkTest : public ::testing::Test {
protected:
    BookmarkTest() { story().insertText(at(0), u"Hello brave new world"); }

    PieceTable& story() { return document_.mainPieceTable(); }
    DocumentHistory& history() { return document_.history(); }
    const Bookmark& bookmark(int32_t index) { return story().bookmarkCollection()[index]; }

    DocumentModel document_;
};

TEST_F(BookmarkTest, HiddenNamesAndLookupByExactName)
{
    story().createBookmark(at(0), 5, u"Intro");
    story().createBookmark(at(6), 5, u"_Toc1");
    story().createBookmark(at(12), 3, u"intro");
    story().createBookmark(at(16), 0, u"");
    EXPECT_FALSE(bookmark(0).isHidden());
    EXPECT_TRUE(bookmark(1).isHidden());
    EXPECT_TRUE(bookmark(3).isHidden());
    EXPECT_EQ(story().bookmarkCollection().findByName(u"intro"), &bookmark(2));
    EXPECT_EQ(story().bookmarkCollection().findByName(u"Intro"), &bookmark(0));
    EXPECT_EQ(story().bookmarkCollection().findByName(u"INTRO"), nullptr);
    EXPECT_EQ(story().bookmarks(false), (std::vector<Bookmark*>{&story().bookmarkCollection()[0], &story().bookmarkCollection()[2]}));
    EXPECT_EQ(story().bookmarks(true).size(), 4u);

    // Without name resolution a name may come twice; the first in position order is found.
    story().createBookmark(at(1), 2, u"Intro");
    EXPECT_EQ(story().bookmarkCollection().findByName(u"Intro"), &bookmark(0));
    EXPECT_EQ(range(bookmark(1)), std::make_pair(1, 3));
}

TEST_F(BookmarkTest, NameResolutionIgnoresCase)
{
    document_.bookmarkOptions().allowNameResolution = true;
    EXPECT_EQ(story().createBookmark(at(0), 1, u"Intro").name(), u"Intro");
    EXPECT_EQ(story().validateBookmarkName(u"intro"), u"intro_1");
    EXPECT_EQ(story().createBookmark(at(2), 1, u"Intro").name(), u"Intro_1");
    // "intro_1" is taken too, ignoring case, so the next free number is used.
    EXPECT_EQ(story().createBookmark(at(4), 1, u"intro").name(), u"intro_2");
    EXPECT_EQ(story().validateBookmarkName(u"Other"), u"Other");
    // Names are per story: a header has its own.
    SectionHeader& header = document_.createHeader(SectionIndex(0), HeaderFooterType::Odd);
    EXPECT_EQ(header.pieceTable().validateBookmarkName(u"Intro"), u"Intro");
}

TEST_F(BookmarkTest, CreationIsClampedToTheStoryEnd)
{
    const int32_t end = story().documentEndLogPosition().value(); // the last paragraph mark
    story().createBookmark(at(end), 0, u"AtEnd");
    story().createBookmark(at(end + 5), 3, u"Past");
    story().createBookmark(at(15), 100, u"Long");
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"AtEnd")), std::make_pair(end, end));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"Past")), std::make_pair(end, end));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"Long")), std::make_pair(15, end));
    EXPECT_FALSE(story().bookmarkCollection().findByName(u"AtEnd")->canExpand());
    EXPECT_TRUE(story().bookmarkCollection().findByName(u"Long")->canExpand());
    EXPECT_THROW(story().createBookmark(at(-1), 1, u"x"), core::EditorException);
    EXPECT_THROW(story().createBookmark(at(0), -1, u"x"), core::EditorException);
    EXPECT_THROW(story().deleteBookmark(3), core::EditorException);
    expectSound(document_);
}

TEST_F(BookmarkTest, TypingAtTheStartGoesInAtTheEndStaysOut)
{
    const Bookmark& word = story().createBookmark(at(6), 5, u"word"); // "brave"
    const Bookmark& empty = story().createBookmark(at(12), 0, u"empty");
    // Typed one character at a time, so that typing merge grows one run.
    const auto type = [this](int32_t position, std::u16string_view text) {
        InputPosition input = story().createInputPosition(at(position));
        for (size_t index = 0; index < text.size(); ++index)
            story().insertText(input, text.substr(index, 1));
    };
    type(6, u"very ");
    EXPECT_EQ(range(word), std::make_pair(6, 16));
    type(16, u"st");
    EXPECT_EQ(range(word), std::make_pair(6, 16));
    EXPECT_EQ(story().storyText().substr(6, 10), u"very brave");
    // A collapsed bookmark cannot grow: what is typed there follows it.
    type(19, u"xyz");
    EXPECT_EQ(range(empty), std::make_pair(19, 19));
    // Text inserted in one go behaves the same.
    story().insertText(at(6), u"A");
    story().insertText(at(17), u"B");
    EXPECT_EQ(range(word), std::make_pair(6, 17));
    expectSound(document_);
}

TEST_F(BookmarkTest, DeletingBeforeAndUndoingRestoresTheBoundaryExactly)
{
    const Bookmark& word = story().createBookmark(at(6), 5, u"word"); // "brave"
    story().deleteContent(at(0), 6);                                    // "Hello " just before it
    EXPECT_EQ(range(word), std::make_pair(0, 5));
    history().undo();
    EXPECT_EQ(range(word), std::make_pair(6, 11));
    history().redo();
    EXPECT_EQ(range(word), std::make_pair(0, 5));
    history().undo();

    // Deleting the text just after the end, and a range that cuts into the bookmark.
    story().deleteContent(at(11), 4);
    EXPECT_EQ(range(word), std::make_pair(6, 11));
    history().undo();
    story().deleteContent(at(3), 5);
    EXPECT_EQ(range(word), std::make_pair(3, 6));
    history().undo();
    EXPECT_EQ(range(word), std::make_pair(6, 11));
    story().deleteContent(at(8), 7);
    EXPECT_EQ(range(word), std::make_pair(6, 8));
    history().undo();
    EXPECT_EQ(range(word), std::make_pair(6, 11));
    expectSound(document_);
}

TEST_F(BookmarkTest, DeletionRemovesBookmarksInsideItAndUndoBringsThemBack)
{
    story().createBookmark(at(7), 2, u"inside");   // strictly inside [6, 11)
    story().createBookmark(at(6), 5, u"exact");    // the range itself: stays, collapsed
    story().createBookmark(at(6), 0, u"atStart");  // collapsed at the start: goes
    story().createBookmark(at(11), 0, u"atEnd");   // collapsed at the end: goes
    story().createBookmark(at(4), 4, u"across");   // reaches out of the range: stays
    story().createBookmark(at(12), 0, u"after");
    const std::string before = dumpDocument(document_);
    story().deleteContent(at(6), 5);
    std::vector<std::u16string> names;
    for (const Bookmark* bookmark : story().bookmarks(true))
        names.push_back(bookmark->name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"across", u"exact", u"after"}));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"exact")), std::make_pair(6, 6));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"across")), std::make_pair(4, 6));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"after")), std::make_pair(7, 7));
    expectSound(document_);
    history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    expectSound(document_);
}

TEST_F(BookmarkTest, FollowsSplitsJoinsParagraphsAndUndo)
{
    story().createBookmark(at(6), 9, u"span"); // "brave new"
    const std::vector<std::function<void()>> script = {
        [&] { story().applyCharacterFormatting(at(8), 5, fontBoldModifier(true)); },
        [&] { story().insertParagraph(at(11)); },
        [&] { story().insertText(at(6), u"X"); },
        [&] { story().deleteContent(at(11), 2); },
        [&] { story().applyCharacterFormatting(at(0), 20, fontBoldModifier(false)); },
        [&] { story().deleteBookmark(0); },
        [&] { story().createBookmark(at(2), 3, u"again"); },
    };
    expectScriptRetracesDumps(document_, script);
}

TEST_F(BookmarkTest, CreatingAndDeletingAreUndoSteps)
{
    const int32_t steps = history().count();
    story().createBookmark(at(0), 5, u"a");
    story().createBookmark(at(0), 5, u"b"); // equal interval: after "a"
    ASSERT_EQ(history().count(), steps + 2);
    EXPECT_EQ(bookmark(1).name(), u"b");
    story().deleteBookmark(0);
    EXPECT_EQ(bookmark(0).name(), u"b");
    history().undo();
    // Back in its own place, also among equal intervals.
    EXPECT_EQ(bookmark(0).name(), u"a");
    EXPECT_EQ(bookmark(1).name(), u"b");
    history().undo();
    history().undo();
    EXPECT_TRUE(story().bookmarkCollection().isEmpty());
    history().redo();
    history().redo();
    EXPECT_EQ(bookmark(1).name(), u"b");
    EXPECT_TRUE(document_.isModified());
}

TEST_F(BookmarkTest, TypingRightAfterCreatingABookmarkStaysOutsideIt)
{
    // The typed run ends where the new bookmark ends: typing on must not grow that run into it.
    InputPosition input = story().createInputPosition(story().documentEndLogPosition());
    story().insertText(input, u"!");
    const Bookmark& last = story().createBookmark(at(21), 1, u"bang");
    story().insertText(input, u"?");
    EXPECT_EQ(range(last), std::make_pair(21, 22));
}

TEST_F(BookmarkTest, EntireBookmarksOfARange)
{
    story().createBookmark(at(2), 3, u"inside");
    story().createBookmark(at(2), 8, u"toTheEnd");
    story().createBookmark(at(1), 3, u"before");
    story().createBookmark(at(10), 0, u"collapsedAtTheEnd");
    story().createBookmark(at(2), 0, u"collapsedAtTheStart");
    std::vector<std::u16string> names;
    for (const Bookmark* bookmark : story().entireBookmarks(at(2), 8))
        names.push_back(bookmark->name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"collapsedAtTheStart", u"inside", u"toTheEnd"}));
}

TEST_F(BookmarkTest, DocumentListsEveryStoryInStoryOrder)
{
    SectionHeader& header = document_.createHeader(SectionIndex(0), HeaderFooterType::Odd);
    header.pieceTable().insertText(at(0), u"Head");
    header.pieceTable().createBookmark(at(0), 4, u"InHeader");
    header.pieceTable().createBookmark(at(0), 1, u"_hidden");
    story().createBookmark(at(0), 1, u"InMain");
    std::vector<std::u16string> names;
    for (const Bookmark* bookmark : document_.bookmarks(false))
        names.push_back(bookmark->name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"InMain", u"InHeader"}));
    EXPECT_EQ(document_.bookmarks(true).size(), 3u);
    EXPECT_EQ(header.pieceTable().bookmarkCollection()[0].startPosition().paragraphIndex, ParagraphIndex(0));
}

TEST_F(BookmarkTest, ReadersCreateBookmarksWithoutHistory)
{
    document_.beginSetContent();
    story().insertText(at(0), u"Loaded text");
    story().insertParagraph(at(6));
    const Bookmark& created = story().createBookmark(at(7), 4, u"text");
    document_.endSetContent(DocumentModelChangeType::LoadNewDocument);
    EXPECT_EQ(range(created), std::make_pair(7, 11));
    EXPECT_EQ(created.startPosition().paragraphIndex, ParagraphIndex(1));
    EXPECT_FALSE(history().canUndo());
    expectSound(document_);
}

TEST_F(BookmarkTest, FragmentBookmarksComeAlongWhenAsked)
{
    DocumentModel fragment;
    PieceTable& source = fragment.mainPieceTable();
    source.insertText(at(0), u"one two");
    source.insertParagraph(at(7));
    source.insertText(at(8), u"three");
    source.createBookmark(at(4), 6, u"middle");   // "two", the mark, "th"
    source.createBookmark(at(8), 5, u"last");     // "three", up to the fragment's last mark
    source.createBookmark(at(13), 0, u"atEnd");   // at the last mark, which is not copied
    document_.bookmarkOptions().allowNameResolution = true;
    story().createBookmark(at(0), 1, u"middle");

    InsertContentFlags flags;
    flags.copyBookmarks = true;
    PieceTableInsertContentConvertedToDocumentModelCommand(story(), at(6), fragment, InsertOptions::MatchDestinationFormatting, flags)
        .execute();
    EXPECT_EQ(story().storyText().substr(6, 13), u"one two\rthree");
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"middle_1")), std::make_pair(10, 16));
    EXPECT_EQ(range(*story().bookmarkCollection().findByName(u"last")), std::make_pair(14, 19));
    EXPECT_EQ(story().bookmarkCollection().findByName(u"atEnd"), nullptr);
    EXPECT_EQ(source.bookmarkCollection().count(), 3);
    expectSound(document_);
    history().undo();
    EXPECT_EQ(story().bookmarkCollection().count(), 1);

    // Not asked: none come.
    PieceTableInsertContentConvertedToDocumentModelCommand(story(), at(6), fragment, InsertOptions::MatchDestinationFormatting).execute();
    EXPECT_EQ(story().bookmarkCollection().count(), 1);
}

} // namespace
} // namespace velmo::model

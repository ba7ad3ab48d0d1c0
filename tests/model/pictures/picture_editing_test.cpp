#include "core/editor_exception.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/insert_content_command.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"
#include "model/piece_table.h"
#include "model/selection.h"
#include "model/model_test_support.h"
#include "picture_test_support.h"
#include "support/golden.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmo::model {
namespace {

constexpr char16_t kObject = u'\uFFFC';
constexpr char16_t kAnchor = u'\b';

class PictureEditingTest : public ::testing::Test {
protected:
    PictureEditingTest()
    {
        story().insertPlainText(DocumentLogPosition(0), u"first line\rsecond line");
        document_.history().clear();
    }
    PieceTable& story() { return document_.mainPieceTable(); }
    /// Undoes everything, checking the model after each step, then redoes it all.
    void undoAllAndRedo(const std::string& before, const std::string& after)
    {
        while (document_.history().canUndo()) {
            document_.history().undo();
            expectSound(document_);
        }
        EXPECT_EQ(dumpDocument(document_), before);
        while (document_.history().canRedo()) {
            document_.history().redo();
            expectSound(document_);
        }
        EXPECT_EQ(dumpDocument(document_), after);
    }
    /// 300 random insertions of text, paragraphs, pictures and text boxes, deletions, undos and redos,
    /// checking the model after each, then undoing and redoing everything.
    void randomEdits(uint32_t seed);
    static TextBoxContentType& textBoxOf(const FloatingObjectAnchorRun& anchor)
    {
        return static_cast<const TextBoxFloatingObjectContent&>(anchor.content()).textBox();
    }

    DocumentModel document_{nullptr, &testCodec()};
};

TEST_F(PictureEditingTest, InlinePictureIsOneUndoableCharacterAtItsSize)
{
    const std::string before = dumpDocument(document_);
    const auto picture = pngPicture(document_, 100, 50);
    InlinePictureRun& run = insertInlinePicture(story(), DocumentLogPosition(5), *picture);
    expectSound(document_);
    EXPECT_EQ(story().storyText().substr(0, 11), std::u16string(u"first") + kObject + u" line");
    EXPECT_EQ(story().plainText(RunIndex(0), RunIndex(2)), u"first line"); // no plain text of its own
    EXPECT_EQ(run.originalSize(), (Size{1500, 750}));
    EXPECT_EQ(run.actualSize(), (Size{1500, 750}));
    EXPECT_EQ(&run.image()->image(), &picture->image());
    // The same bytes read again and inserted again are the same cached picture.
    InlinePictureRun& again = insertInlinePicture(story(), DocumentLogPosition(0), *document_.images().createImage(pngBytes(100, 50)));
    EXPECT_EQ(&again.image()->image(), &picture->image());
    EXPECT_EQ(document_.images().imageCache().count(), 1);
    const std::string after = dumpDocument(document_);
    undoAllAndRedo(before, after);
    EXPECT_EQ(document_.images().imageCache().count(), 1);
}

TEST_F(PictureEditingTest, FloatingPicturesAnchorAtTheParagraphStartAndStackUp)
{
    const std::string before = dumpDocument(document_);
    const auto picture = pngPicture(document_, 100, 50, 72);
    FloatingObjectAnchorRun& first = insertFloatingPicture(story(), DocumentLogPosition(15), *picture, 50);
    FloatingObjectAnchorRun& second = insertFloatingPicture(story(), DocumentLogPosition(15), *picture);
    expectSound(document_);
    EXPECT_EQ(story().storyText().substr(11, 3), (std::u16string{kAnchor, kAnchor, u's'}));
    EXPECT_EQ(first.floatingObjectInfo().zOrder, 251658240);
    EXPECT_EQ(second.floatingObjectInfo().zOrder, 251658240 + 1024);
    EXPECT_EQ(first.actualSize(), (Size{1000, 500}));
    EXPECT_FLOAT_EQ(first.scaleX(), 50);
    EXPECT_FLOAT_EQ(second.scaleY(), 100);
    const FloatingObjectInfo& info = first.floatingObjectInfo();
    EXPECT_EQ(info.horizontalPositionType, ShapeRelativeHorizontalPosition::Column);
    EXPECT_EQ(info.horizontalPositionAlignment, ShapeHorizontalAlignment::Center);
    EXPECT_EQ(info.verticalPositionType, ShapeRelativeVerticalPosition::Paragraph);
    EXPECT_TRUE(info.lockAspectRatio);
    EXPECT_FALSE(info.isBehindDoc);
    EXPECT_EQ(info.textWrapType, FloatingObjectTextWrapType::None);
    const std::vector<FloatingObjectAnchorRun*> list = floatingObjectList(story());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], &first);
    undoAllAndRedo(before, dumpDocument(document_));
}

TEST_F(PictureEditingTest, TextBoxHasAStoryOfItsOwnListedAfterItsAnchorsStory)
{
    const std::string before = dumpDocument(document_);
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(3));
    PieceTable& box = textBoxOf(anchor).pieceTable();
    box.insertText(DocumentLogPosition(0), u"inside the box");
    expectSound(document_);
    EXPECT_EQ(anchor.actualSize(), (Size{2880, 1440}));
    EXPECT_EQ(anchor.originalSize(), (Size{1000, 1000}));
    EXPECT_EQ(anchor.shape().info().outlineWidth, 10);
    EXPECT_EQ(anchor.shape().info().fillColor, 0xFFFFFFFFu);
    EXPECT_TRUE(static_cast<const TextBoxFloatingObjectContent&>(anchor.content()).properties().info().resizeShapeToFitText);
    EXPECT_EQ(box.contentType().lookupSectionIndexByParagraphIndex(ParagraphIndex(0)), SectionIndex(-1));
    const std::vector<PieceTable*> stories = document_.pieceTables();
    ASSERT_EQ(stories.size(), 2u);
    EXPECT_EQ(stories[1], &box);
    undoAllAndRedo(before, dumpDocument(document_));
    EXPECT_EQ(document_.pieceTables().size(), 2u);
}

TEST_F(PictureEditingTest, DocumentWithPicturesAndATextBoxDumpsAsItsGoldenFile)
{
    const auto photo = pngPicture(document_, 100, 50);
    const auto logo = pngPicture(document_, 64, 64, 72, 0xCC0000FF);
    insertInlinePicture(story(), DocumentLogPosition(5), *photo, 50, 50);
    insertFloatingPicture(story(), DocumentLogPosition(20), *logo);
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(0));
    anchor.setName(u"Text Box 1");
    PieceTable& box = textBoxOf(anchor).pieceTable();
    box.insertPlainText(DocumentLogPosition(0), u"boxed\rtext");
    insertInlinePicture(box, DocumentLogPosition(5), *logo);
    expectSound(document_);
    testing::expectMatchesGolden(dumpDocument(document_), "model/golden/pictures_and_text_box.txt");
}

TEST_F(PictureEditingTest, ChangesInsideATextBoxReachItsAnchorsParagraph)
{
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(14));
    PieceTable& box = textBoxOf(anchor).pieceTable();
    const Paragraph& anchorParagraph = anchor.paragraph();
    BatchUpdateScope batch(document_);
    box.insertText(DocumentLogPosition(0), u"x");
    const DocumentModelDeferredChanges& changes = *document_.deferredChanges();
    EXPECT_EQ(changes.changeStart, anchorParagraph.firstRunIndex());
    EXPECT_EQ(changes.changeEnd, anchorParagraph.lastRunIndex());
    EXPECT_FALSE(changes.additionalChangedPieceTables.contains(&box));
}

TEST_F(PictureEditingTest, RemovingTheAnchorTakesTheCaretOutOfTheTextBox)
{
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(14));
    PieceTable& box = textBoxOf(anchor).pieceTable();
    box.insertText(DocumentLogPosition(0), u"typed");
    document_.setActivePieceTable(box);
    document_.selection().setRange(box, DocumentLogPosition(3), DocumentLogPosition(3));
    story().deleteContent(DocumentLogPosition(11), 1); // the anchor
    expectSound(document_);
    EXPECT_EQ(&document_.activePieceTable(), &story());
    EXPECT_EQ(&document_.selection().pieceTable(), &story());
    EXPECT_EQ(document_.selection().start(), DocumentLogPosition(11));
    EXPECT_EQ(document_.pieceTables().size(), 1u);
    EXPECT_FALSE(box.contentType().isReferenced());
    document_.history().undo();
    expectSound(document_);
    EXPECT_TRUE(box.contentType().isReferenced());
    EXPECT_EQ(box.storyText(), u"typed\r");
}

TEST_F(PictureEditingTest, NoFloatingObjectInsideATextBox)
{
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(0));
    PieceTable& box = textBoxOf(anchor).pieceTable();
    const std::string before = dumpDocument(document_);
    try {
        (void)insertFloatingObjectAnchor(box, DocumentLogPosition(0));
        FAIL() << "an anchor went into a text box";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "An internal error occurred");
    }
    EXPECT_EQ(dumpDocument(document_), before);
}

TEST_F(PictureEditingTest, ContentPropertiesAndShapeChangesAreUndoable)
{
    const auto picture = pngPicture(document_, 40, 40);
    FloatingObjectAnchorRun& anchor = insertFloatingObjectAnchor(story(), DocumentLogPosition(0));
    EXPECT_EQ(anchor.content().kind(), ObjectContentKind::Empty);
    EXPECT_EQ(anchor.originalSize(), (Size{0, 0}));
    const std::string empty = dumpDocument(document_);
    anchor.floatingObject().setContent(std::make_unique<PictureFloatingObjectContent>(anchor, *picture));
    anchor.floatingObject().setOffset({120, 240});
    anchor.floatingObject().changeShape([](ShapeFormatting& f) { f.set(&ShapeInfo::rotation, 60000 * 45, UsedShapeOption::UseRotation); });
    EXPECT_EQ(anchor.content().kind(), ObjectContentKind::Picture);
    EXPECT_EQ(anchor.floatingObjectInfo().offset, (Point{120, 240}));
    const std::string changed = dumpDocument(document_);
    document_.history().undo();
    document_.history().undo();
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), empty);
    document_.history().redo();
    document_.history().redo();
    document_.history().redo();
    EXPECT_EQ(dumpDocument(document_), changed);
    expectSound(document_);
}

TEST_F(PictureEditingTest, OriginalSizeMustBePositive)
{
    const auto picture = pngPicture(document_, 10, 10);
    InlinePictureRun& run = insertInlinePicture(story(), DocumentLogPosition(0), *picture);
    try {
        run.content()->setOriginalSize({0, 5});
        FAIL();
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "'(cx: 0, cy: 5)' is not a valid value for 'OriginalSize'");
    }
    EXPECT_EQ(run.originalSize(), (Size{150, 150}));
}

TEST_F(PictureEditingTest, RandomEditsWithPicturesKeepTheModelSoundAndUndoable)
{
    for (const uint32_t start : {12345u, 7u, 2024u}) {
        SCOPED_TRACE(start);
        document_.clearDocument();
        story().insertPlainText(DocumentLogPosition(0), u"first line\rsecond line");
        document_.history().clear();
        randomEdits(start);
    }
}

void PictureEditingTest::randomEdits(uint32_t start)
{
    const std::string before = dumpDocument(document_);
    const auto picture = pngPicture(document_, 20, 10);
    uint32_t seed = start;
    const auto next = [&seed](int32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int32_t>((seed >> 8) % static_cast<uint32_t>(bound));
    };
    for (int32_t step = 0; step < 300; ++step) {
        const DocumentLogPosition at(next(story().documentEndLogPosition().value() + 1));
        switch (next(8)) {
        case 0: story().insertText(at, u"xy"); break;
        case 1: story().insertParagraph(at); break;
        case 2: insertInlinePicture(story(), at, *picture, 1 + next(200), 1 + next(200)); break;
        case 3: insertFloatingPicture(story(), at, *picture, 1 + next(100)); break;
        case 4: {
            FloatingObjectAnchorRun& box = insertTextBox(story(), at);
            textBoxOf(box).pieceTable().insertPlainText(DocumentLogPosition(0), u"in\rbox");
            break;
        }
        case 5: story().deleteContent(at, std::min(1 + next(6), story().documentEndLogPosition() - at)); break;
        case 6:
            if (document_.history().canUndo())
                document_.history().undo();
            break;
        case 7:
            if (document_.history().canRedo())
                document_.history().redo();
            break;
        }
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty()) << "seed " << start << " step " << step;
    }
    undoAllAndRedo(before, dumpDocument(document_));
}

class PictureSizeTest : public PictureEditingTest {};

TEST_F(PictureSizeTest, InlineActualSizeSetsTheScales)
{
    const auto picture = pngPicture(document_, 100, 50); // 1500 x 750 twips
    InlinePictureRun& run = insertInlinePicture(story(), DocumentLogPosition(0), *picture);
    struct Case {
        const char* name;
        Size actual;
        float scaleX;
        float scaleY;
    };
    const Case cases[] = {
        {"half", {750, 375}, 50, 50},
        {"zero is 100", {0, 0}, 100, 100},
        {"tiny never below 1", {1, 1}, 1, 1},
        {"twice and a third", {3000, 250}, 200, 100.0f / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run.setActualSize(c.actual);
        EXPECT_FLOAT_EQ(run.scaleX(), c.scaleX);
        EXPECT_FLOAT_EQ(run.scaleY(), c.scaleY);
    }
    document_.history().undo();
    EXPECT_FLOAT_EQ(run.scaleX(), 1);

    for (const float bad : {0.0f, -5.0f, std::nanf(""), InlinePictureRun::kMaxScale * 2})
        EXPECT_THROW(run.setScaleX(bad), core::EditorException) << bad;
    run.setActualSize({INT32_MAX, INT32_MAX});
    EXPECT_FLOAT_EQ(run.scaleX(), InlinePictureRun::kMaxScale);
    EXPECT_EQ(run.actualSize(), (Size{1500000, 750000}));
}

TEST_F(PictureSizeTest, ANewPictureIsShrunkToTheColumnAndNeverEnlarged)
{
    struct Case {
        const char* name;
        Size image;
        int32_t columnWidth;
        int32_t availableHeight;
        int32_t scale;
    };
    const Case cases[] = {
        {"twice as wide", {18000, 4000}, 9000, 12000, 50},
        {"smaller in both", {3000, 2000}, 9000, 12000, 100},
        {"taller than the column", {3000, 24000}, 9000, 12000, 50},
        {"huge stays at 1", {INT32_MAX, 10}, 9000, 12000, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(insertedPictureScale(c.image, c.columnWidth, c.availableHeight), c.scale);
    }
}

TEST_F(PictureSizeTest, FloatingScaleFollowsTheActualSize)
{
    const auto picture = pngPicture(document_, 100, 50);
    FloatingObjectAnchorRun& anchor = insertFloatingPicture(story(), DocumentLogPosition(0), *picture);
    anchor.setScaleX(50);
    anchor.setScaleY(-200); // the sign is ignored
    EXPECT_EQ(anchor.actualSize(), (Size{750, 1500}));
    EXPECT_FLOAT_EQ(anchor.scaleX(), 50);
    EXPECT_FLOAT_EQ(anchor.scaleY(), 200);
    auto& content = static_cast<PictureFloatingObjectContent&>(anchor.content());
    content.setInvalidActualSize(true);
    EXPECT_FLOAT_EQ(anchor.scaleX(), 100);
}

class PictureCopyTest : public PictureEditingTest {
protected:
    /// A source document holding "A", an inline picture, a floating picture and a text box with text.
    void fillSource()
    {
        PieceTable& main = source_.mainPieceTable();
        main.insertText(DocumentLogPosition(0), u"A");
        const auto picture = pngPicture(source_, 30, 20);
        InlinePictureRun& inlinePicture = insertInlinePicture(main, DocumentLogPosition(1), *picture, 80, 80);
        inlinePicture.changePictureInfo([](InlinePictureInfo& info) { info.sizing = ImageSizeMode::ZoomImage; });
        FloatingObjectAnchorRun& floating = insertFloatingPicture(main, DocumentLogPosition(0), *picture);
        floating.setName(u"Picture 1");
        FloatingObjectAnchorRun& box = insertTextBox(main, DocumentLogPosition(0));
        textBoxOf(box).pieceTable().insertText(DocumentLogPosition(0), u"note");
    }
    void insertSource(DocumentLogPosition at)
    {
        PieceTableInsertContentConvertedToDocumentModelCommand command(story(), at, source_,
                                                                       InsertOptions::MatchDestinationFormatting);
        command.execute();
    }

    DocumentModel source_{nullptr, &testCodec()};
};

TEST_F(PictureCopyTest, FragmentInsertionCopiesPicturesAndTextBoxes)
{
    fillSource();
    const std::string before = dumpDocument(document_);
    insertSource(DocumentLogPosition(6));
    expectSound(document_);
    std::vector<FloatingObjectAnchorRun*> anchors = floatingObjectList(story());
    ASSERT_EQ(anchors.size(), 2u);
    EXPECT_EQ(anchors[0]->name(), u"Picture 1");
    EXPECT_EQ(anchors[0]->content().kind(), ObjectContentKind::Picture);
    const auto& copiedPicture = static_cast<const PictureFloatingObjectContent&>(anchors[0]->content());
    EXPECT_EQ(&copiedPicture.image().owner(), &document_.images().imageCache());
    EXPECT_EQ(copiedPicture.image().image().sizeInPixels(), (platform::ImageSize{30, 20}));
    ASSERT_EQ(anchors[1]->content().kind(), ObjectContentKind::TextBox);
    EXPECT_EQ(textBoxOf(*anchors[1]).pieceTable().storyText(), u"note\r");
    EXPECT_EQ(&textBoxOf(*anchors[1]).pieceTable().documentModel(), &document_);
    EXPECT_EQ(document_.images().imageCache().count(), 1);

    const Paragraph& target = story().paragraph(ParagraphIndex(0));
    const InlinePictureRun* copiedInline = nullptr;
    for (RunIndex index = target.firstRunIndex(); index <= target.lastRunIndex(); ++index) {
        if (story().run(index).kind() == RunKind::InlinePicture)
            copiedInline = static_cast<const InlinePictureRun*>(&story().run(index));
    }
    ASSERT_NE(copiedInline, nullptr);
    EXPECT_FLOAT_EQ(copiedInline->scaleX(), 80);
    EXPECT_EQ(copiedInline->sizing(), ImageSizeMode::ZoomImage);
    EXPECT_EQ(copiedInline->originalSize(), (Size{450, 300}));

    undoAllAndRedo(before, dumpDocument(document_));
    EXPECT_EQ(story().storyText().find(u"note"), std::u16string::npos); // the box text is in its own story
}

TEST_F(PictureCopyTest, ATargetThatForbidsPicturesGetsSpaces)
{
    fillSource();
    document_.capabilities().inlinePictures = DocumentCapability::Disabled;
    document_.capabilities().floatingObjects = DocumentCapability::Disabled;
    insertSource(DocumentLogPosition(0));
    expectSound(document_);
    EXPECT_EQ(story().storyText().substr(0, 4), u"  A ");
    EXPECT_TRUE(floatingObjectList(story()).empty());
    EXPECT_EQ(document_.images().imageCache().count(), 0);
}

TEST_F(PictureCopyTest, AFloatingObjectCopiedIntoATextBoxBecomesASpace)
{
    fillSource();
    FloatingObjectAnchorRun& box = insertTextBox(story(), DocumentLogPosition(0));
    PieceTable& boxStory = textBoxOf(box).pieceTable();
    PieceTableInsertContentConvertedToDocumentModelCommand command(boxStory, DocumentLogPosition(0), source_,
                                                                   InsertOptions::MatchDestinationFormatting);
    command.execute();
    expectSound(document_);
    EXPECT_EQ(boxStory.storyText(), std::u16string(u"  A") + kObject + u"\r");
}

} // namespace
} // namespace velmo::model

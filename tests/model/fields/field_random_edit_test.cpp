#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/fields/field_updater.h"
#include "field_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace velmo::model {
namespace {

/// Random edits of a story full of nested fields: text typed and deleted anywhere, fields made,
/// removed, toggled and updated, steps undone and redone. The fields must match their marks after
/// every step, and undoing everything must give back the first dump.
class FieldRandomEditTest : public ::testing::TestWithParam<uint32_t> {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    int32_t randomBelow(int32_t bound) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(std::max(bound, 1))); }
    Field* randomField()
    {
        const int32_t count = story().fields().count();
        return count == 0 ? nullptr : &story().fields()[randomBelow(count)];
    }

    void step()
    {
        const int32_t end = story().documentEndLogPosition().value();
        const int32_t position = randomBelow(end + 1);
        const int32_t choice = randomBelow(100);
        if (choice < 25) {
            story().insertText(DocumentLogPosition(position), u"ab c");
        } else if (choice < 33) {
            story().insertParagraph(DocumentLogPosition(position));
        } else if (choice < 55) {
            story().deleteContent(DocumentLogPosition(position), randomBelow(std::min(end - position, 12) + 2));
        } else if (choice < 65) {
            try {
                (void)story().createField(DocumentLogPosition(position), randomBelow(std::min(end - position, 10) + 1));
            } catch (const core::EditorException&) {
                // A range that cuts a field in two: nothing was changed.
            }
        } else if (choice < 70) {
            if (Field* field = randomField())
                story().removeField(*field);
        } else if (choice < 75) {
            if (Field* field = randomField())
                story().toggleFieldCodes(*field);
        } else if (choice < 80) {
            FieldUpdater(story()).updateFields(UpdateFieldOperationType::Normal);
        } else if (choice < 92) {
            document_.history().undo();
        } else {
            document_.history().redo();
        }
    }

    DocumentModel document_;
    std::mt19937 random_{GetParam()};
};

TEST_P(FieldRandomEditTest, FieldsStayInStepWithTheirMarksThroughEditsUndoAndRedo)
{
    document_.variables().add(u"v", u"value");
    appendFieldMarkup(story(), u"x{IF {DOCVARIABLE v|old} = value \"[{SEQ a|1}]\" no|r}y\n{SEQ a|2}z{DATE \\@ yyyy|d}");
    document_.history().clear();
    const std::string initial = dumpDocument(document_);
    for (int32_t index = 0; index < 300; ++index) {
        SCOPED_TRACE("step " + std::to_string(index));
        step();
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty());
    }
    while (document_.history().canUndo())
        document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), initial);
    expectSound(document_);
    while (document_.history().canRedo())
        document_.history().redo();
    expectSound(document_);
}

INSTANTIATE_TEST_SUITE_P(Seeds, FieldRandomEditTest, ::testing::Values(1u, 7u, 42u, 2024u));

} // namespace
} // namespace velmo::model

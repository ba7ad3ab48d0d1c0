#include "model/insert_content_command.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/document_model_copy_manager.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_updater.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/section.h"

namespace velmo::model {

namespace {

/// Updates the fields of [start, end) that no other field there holds, as pasted fields.
void updatePastedFields(PieceTable& story, DocumentLogPosition start, DocumentLogPosition end)
{
    if (end <= start || story.fields().isEmpty())
        return;
    const RunIndex first = story.findPosition(start).runIndex;
    const RunIndex last = story.findPosition(end - 1).runIndex;
    std::vector<Field*> outermost;
    for (Field* field : story.fields().fieldsInside(first, last)) {
        if (!field->parent() || field->parent()->firstRunIndex() < first)
            outermost.push_back(field);
    }
    FieldUpdater(story).updateFieldsCore(outermost, UpdateFieldOperationType::Copy);
}

} // namespace

void PieceTableInsertContentConvertedToDocumentModelCommand::executeCore()
{
    PieceTable& target = pieceTable();
    if (&source_ == &documentModel())
        throw core::EditorException::invalidValue("the target document", "source");
    if (logPosition_.value() < 0 || logPosition_ > target.documentEndLogPosition())
        throw core::EditorException::invalidValue(logPosition_.value(), "logPosition");
    const PieceTable& sourceMain = source_.mainPieceTable();
    const RunIndex lastRun(sourceMain.runCount() - (flags_.copyLastParagraph ? 1 : 2));
    DocumentModelCopyManager manager(sourceMain, target, logPosition_, options_);
    if (lastRun.value() >= 0)
        manager.copyRuns(RunIndex(0), lastRun);
    manager.copyTables();
    if (flags_.copyBookmarks)
        manager.copyBookmarks();
    insertedEnd_ = manager.targetPosition();

    if (flags_.removeLeadingPageBreak) {
        Paragraph& first = target.paragraph(target.findParagraphIndex(logPosition_));
        if (target.mergedParagraphFormatting(first).pageBreakBefore())
            ParagraphProperties(first).setPageBreakBefore(false);
    }
    if (!flags_.suppressCopySectionProperties && target.isMain()) {
        const Section& lastSource = source_.section(SectionIndex(source_.sectionCount() - 1));
        copySectionProperties(lastSource, documentModel().section(documentModel().findSectionIndex(insertedEnd_)));
    }
    if (!flags_.suppressFieldsUpdate && documentModel().fieldOptions().updateFieldsOnPaste) {
        const int32_t lengthBefore = target.documentEndLogPosition().value();
        updatePastedFields(target, logPosition_, insertedEnd_);
        insertedEnd_ += target.documentEndLogPosition().value() - lengthBefore;
    }
}

} // namespace velmo::model

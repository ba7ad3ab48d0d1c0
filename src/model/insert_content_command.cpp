#include "model/insert_content_command.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/document_model_copy_manager.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/section.h"

namespace velmo::model {

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
}

} // namespace velmo::model

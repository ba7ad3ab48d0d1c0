#include "model/story_copy.h"

#include "model/document_model.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/runs.h"

namespace velmo::model {

void copyStoryContent(const PieceTable& source, PieceTable& target)
{
    BatchUpdateScope batch(target.documentModel());
    InputPosition position = target.createInputPosition(target.documentEndLogPosition());
    const int32_t firstTarget = position.paragraphIndex.value();
    for (int32_t index = 0; index < source.paragraphCount(); ++index) {
        const Paragraph& paragraph = source.paragraph(ParagraphIndex(index));
        if (index > 0)
            target.insertParagraph(position);
        Paragraph& copy = target.paragraph(ParagraphIndex(firstTarget + index));
        target.setParagraphStyleIndex(copy.index(), paragraph.paragraphStyleIndex());
        ParagraphProperties(copy).setIndex(paragraph.paragraphPropertiesIndex(), ParagraphPropertiesTraits::kAllChangeActions);
        for (RunIndex runIndex = paragraph.firstRunIndex(); runIndex < paragraph.lastRunIndex(); ++runIndex) {
            const TextRunBase& run = source.run(runIndex);
            position.characterPropertiesIndex = run.characterPropertiesIndex();
            position.characterStyleIndex = run.characterStyleIndex();
            switch (run.kind()) {
            case RunKind::Text: target.insertText(position, source.runText(runIndex)); break;
            case RunKind::FootNote: break;
            case RunKind::EndNote: break;
            case RunKind::Paragraph: break;
            case RunKind::Section: break;
            case RunKind::FieldSymbol: target.insertObjectRun(position, run.kind(), source.runText(runIndex).front()); break;
            case RunKind::FieldCodeStart:
            case RunKind::FieldCodeEnd:
            case RunKind::FieldResultEnd:
            case RunKind::Separator:
            case RunKind::LayoutDependentText:
            case RunKind::InlinePicture:
            case RunKind::InlineCustomObject:
            case RunKind::FloatingObjectAnchor: target.insertObjectRun(position, run.kind()); break;
            }
        }
    }
}

} // namespace velmo::model

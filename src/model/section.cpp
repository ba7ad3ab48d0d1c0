#include "model/section.h"

#include "model/piece_table.h"

namespace velmo::model {

Section::Section(DocumentModel& documentModel, ParagraphIndex firstParagraphIndex, ParagraphIndex lastParagraphIndex) noexcept
    : documentModel_(documentModel), firstParagraphIndex_(firstParagraphIndex), lastParagraphIndex_(lastParagraphIndex)
{
    indices_[static_cast<size_t>(SectionRecordKind::EndNote)] = DocumentCache::kEndNoteDefaultIndex;
}

void Section::recordIndexChange(SectionRecordKind kind, int32_t oldIndex, int32_t newIndex)
{
    PieceTable& main = documentModel_.mainPieceTable();
    const auto apply = [this, kind, &main](int32_t index) {
        setIndexCore(kind, index);
        const RunIndex first = main.paragraph(firstParagraphIndex_).firstRunIndex();
        const RunIndex last = main.paragraph(lastParagraphIndex_).lastRunIndex();
        documentModel_.applyChanges(main, DocumentModelChangeType::ModifySection, first, last);
    };
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        main, [apply, newIndex] { apply(newIndex); }, [apply, oldIndex] { apply(oldIndex); }));
}

void Section::reset()
{
    BatchUpdateScope batch(documentModel_);
    for (size_t kind = 0; kind < indices_.size(); ++kind) {
        const auto recordKind = static_cast<SectionRecordKind>(kind);
        const int32_t defaultIndex = recordKind == SectionRecordKind::EndNote ? DocumentCache::kEndNoteDefaultIndex : 0;
        if (indices_[kind] != defaultIndex)
            recordIndexChange(recordKind, indices_[kind], defaultIndex);
    }
}

bool Section::isHidden() const
{
    const PieceTable& main = documentModel_.mainPieceTable();
    for (ParagraphIndex paragraph = firstParagraphIndex_; paragraph <= lastParagraphIndex_; ++paragraph) {
        const Paragraph& target = main.paragraph(paragraph);
        for (RunIndex run = target.firstRunIndex(); run <= target.lastRunIndex(); ++run) {
            if (!main.mergedCharacterFormatting(run).hidden())
                return false;
        }
    }
    return true;
}

} // namespace velmo::model

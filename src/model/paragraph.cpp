#include "model/paragraph.h"

#include "model/piece_table.h"

namespace velmo::model {

ParagraphIndex Paragraph::index() const
{
    return ParagraphIndex(pieceTable_->paragraphs().absoluteOffsets(*this).index);
}

DocumentLogPosition Paragraph::logPosition() const
{
    return DocumentLogPosition(pieceTable_->paragraphs().absoluteOffsets(*this).logPosition);
}

DocumentLogPosition Paragraph::endLogPosition() const
{
    return logPosition() + (length_ - 1);
}

RunIndex Paragraph::firstRunIndex() const
{
    return RunIndex(pieceTable_->paragraphs().absoluteOffsets(*this).runIndex);
}

RunIndex Paragraph::lastRunIndex() const
{
    return firstRunIndex() + (runCount_ - 1);
}

} // namespace velmo::model

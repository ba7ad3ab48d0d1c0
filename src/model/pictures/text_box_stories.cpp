#include "model/pictures/text_box_stories.h"

#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/text_box_content_type.h"

#include <algorithm>

namespace velmo::model {

std::vector<TextBoxContentType*> anchoredTextBoxes(const PieceTable& pieceTable)
{
    std::vector<TextBoxContentType*> result = pieceTable.textBoxes();
    if (result.size() < 2)
        return result;
    const auto place = [&pieceTable](const TextBoxContentType* textBox) {
        const FloatingObjectAnchorRun& anchor = *textBox->anchorRun();
        return pieceTable.calculateRunIndex(anchor, RunIndex(-1)).value();
    };
    std::ranges::sort(result, {}, place);
    return result;
}

const FloatingObjectAnchorRun* textBoxAnchor(const PieceTable& pieceTable) noexcept
{
    if (!pieceTable.contentType().isTextBox())
        return nullptr;
    return static_cast<const TextBoxContentType&>(pieceTable.contentType()).anchorRun();
}

} // namespace velmo::model

#include "model/pictures/floating_object_paste.h"

#include "model/document_model.h"
#include "model/document_model_unit_converter.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// 50 document units: 1/6 inch.
const int32_t kCascadeStep = DocumentModelUnitConverter::documentsToModelUnits(50);

bool samePlace(const FloatingObjectInfo& a, const FloatingObjectInfo& b) noexcept
{
    return a.offset == b.offset && a.horizontalPositionType == b.horizontalPositionType &&
           a.verticalPositionType == b.verticalPositionType;
}

} // namespace

std::optional<DocumentLogPosition> prepareSingleFloatingObjectPaste(DocumentModel& fragment, const PieceTable& target,
                                                                    DocumentLogPosition logPosition)
{
    const PieceTable& source = fragment.mainPieceTable();
    if (source.runCount() != 2 || source.run(RunIndex(0)).kind() != RunKind::FloatingObjectAnchor)
        return std::nullopt;
    auto& pasted = static_cast<FloatingObjectAnchorRun&>(source.run(RunIndex(0)));
    const Paragraph& paragraph = target.paragraph(target.findParagraphIndex(logPosition));

    FloatingObjectInfo wanted = pasted.floatingObjectInfo();
    // Every match moves the pasted object further, so each object already there matches at most once.
    for (bool moved = true; moved;) {
        moved = false;
        for (RunIndex index = paragraph.firstRunIndex(); target.run(index).kind() == RunKind::FloatingObjectAnchor; ++index) {
            const FloatingObjectInfo& there = static_cast<const FloatingObjectAnchorRun&>(target.run(index)).floatingObjectInfo();
            if (!samePlace(wanted, there))
                continue;
            wanted.offset = {wanted.offset.x + kCascadeStep, wanted.offset.y + kCascadeStep};
            wanted.zOrder = std::max(wanted.zOrder, there.zOrder + 1);
            moved = true;
            break;
        }
    }
    if (wanted.offset != pasted.floatingObjectInfo().offset) {
        pasted.floatingObject().changeProperties([&wanted](FloatingObjectFormatting& f) {
            f.set(&FloatingObjectInfo::offset, wanted.offset, UseFloatingObjectOption::UseOffset);
            f.set(&FloatingObjectInfo::zOrder, wanted.zOrder, UseFloatingObjectOption::UseZOrder);
        });
    }
    return paragraph.logPosition();
}

} // namespace velmo::model

// The link records that copied HYPERLINK fields take along.
#include "model/document_model_copy_manager.h"

#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/piece_table.h"

namespace velmo::model {

void DocumentModelCopyManager::copyHyperlinkInfos(RunIndex first, RunIndex last)
{
    // Within one story the source's runs have moved by now: its links are not looked for.
    if (&source_ == &target_ || source_.hyperlinkInfos().count() == 0 ||
        !isCapabilityAllowed(targetDocument_.capabilities().hyperlinks))
        return;
    for (const Field* field : source_.fields().fieldsInside(first, last)) {
        if (!source_.isHyperlinkField(field->index()))
            continue;
        // The copy's result end mark is where the source's went.
        const DocumentLogPosition resultEnd = targetPositionOf(source_.runLogPosition(field->lastRunIndex()));
        const Field* copy = target_.fields().findFieldByResultEnd(target_.findPosition(resultEnd).runIndex);
        if (copy && !target_.isHyperlinkField(copy->index()))
            target_.insertHyperlinkInfo(copy->index(), source_.hyperlinkInfo(field->index()));
    }
}

} // namespace velmo::model

#include "model/pictures/picture_copy.h"

#include "model/content_type.h"
#include "model/document_model.h"
#include "model/input_position.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/picture_floating_object_content.h"

namespace velmo::model {

void copyInlinePictureRun(const InlinePictureRun& source, PieceTable& target, InputPosition& position)
{
    DocumentModel& document = target.documentModel();
    if (!isCapabilityAllowed(document.capabilities().inlinePictures)) {
        target.insertText(position, u" ");
        return;
    }
    BatchUpdateScope batch(document);
    if (!source.image()) {
        target.insertObjectRun(position, RunKind::InlinePicture);
        return;
    }
    InlinePictureRun& copy = insertInlinePicture(target, position, *source.image());
    // Still part of the insertion of a run nobody has seen: no steps of their own.
    copy.setPictureInfoIndexInitial(document.cache().pictureCaches().inlinePictureInfoCache.add(source.pictureInfo()));
    copy.content()->setOriginalSize(source.originalSize());
    copy.content()->setUseScreenDpi(source.content()->useScreenDpi());
    copy.content()->setInvalidActualSize(source.content()->invalidActualSize());
}

void copyFloatingObjectAnchorRun(const FloatingObjectAnchorRun& source, PieceTable& target, InputPosition& position)
{
    DocumentModel& document = target.documentModel();
    if (!isCapabilityAllowed(document.capabilities().floatingObjects) || target.contentType().isTextBox()) {
        target.insertText(position, u" ");
        return;
    }
    BatchUpdateScope batch(document);
    FloatingObjectAnchorRun& copy = insertFloatingObjectAnchor(target, position);
    copy.floatingObject().copyFrom(source.floatingObject());
    copy.setName(source.name());
}

} // namespace velmo::model

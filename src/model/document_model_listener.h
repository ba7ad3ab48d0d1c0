#pragma once

#include "core/positions.h"
#include "model/document_model_change_actions.h"

namespace velmo::model {

class PieceTable;

/// Observer of a document's update cycle. Every change reaches observers once, at the end of the
/// outermost batch update, with the accumulated actions.
class IDocumentModelListener {
public:
    virtual ~IDocumentModelListener() = default;
    virtual void onBeginDocumentUpdate() {}
    virtual void onEndDocumentUpdate(DocumentModelChangeActions /*actions*/) {}
    virtual void onContentChanged() {}
    virtual void onModifiedChanged() {}
    virtual void onDocumentCleared() {}
    virtual void onSectionInserted(SectionIndex /*sectionIndex*/) {}
    virtual void onSectionRemoved(SectionIndex /*sectionIndex*/) {}
    /// A field of the story became a hyperlink, or stopped being one.
    virtual void onHyperlinkInfoInserted(const PieceTable& /*pieceTable*/, int32_t /*fieldIndex*/) {}
    virtual void onHyperlinkInfoDeleted(const PieceTable& /*pieceTable*/, int32_t /*fieldIndex*/) {}
};

} // namespace velmo::model

#pragma once

#include "core/positions.h"
#include "model/copy_paste_options.h"
#include "model/custom_piece_table_command.h"

namespace velmo::model {

struct InsertContentFlags {
    /// Also copy the fragment's final paragraph mark (and so its paragraph formatting).
    bool copyLastParagraph = false;
    /// Keep the target section's page setup instead of taking the fragment's last section's.
    bool suppressCopySectionProperties = false;
    /// Clear page-break-before of the first paragraph the fragment lands in.
    bool removeLeadingPageBreak = false;
    /// Also create the fragment's bookmarks that lie wholly in what is inserted.
    bool copyBookmarks = false;
    /// Leave the inserted fields as they are; otherwise they are updated as pasted ones (update
    /// type Copy) when the target document's field options update fields on paste.
    bool suppressFieldsUpdate = false;
};

/// Inserts the main text of another document (a fragment a reader produced) into a story at a
/// position, as one undo step. The fragment's final paragraph mark is not copied, so the text
/// after the position ends up in the paragraph where the fragment ends. The source is unchanged.
/// The update of the inserted fields is part of the same step.
class PieceTableInsertContentConvertedToDocumentModelCommand final : public CustomPieceTableCommand {
public:
    PieceTableInsertContentConvertedToDocumentModelCommand(PieceTable& target, DocumentLogPosition logPosition,
                                                           const DocumentModel& source, InsertOptions options,
                                                           InsertContentFlags flags = {}) noexcept
        : CustomPieceTableCommand(target), logPosition_(logPosition), source_(source), options_(options), flags_(flags)
    {
    }

    /// After execution: the target position just past the inserted content.
    [[nodiscard]] DocumentLogPosition insertedEnd() const noexcept { return insertedEnd_; }

protected:
    void executeCore() override;

private:
    DocumentLogPosition logPosition_;
    const DocumentModel& source_;
    InsertOptions options_;
    InsertContentFlags flags_;
    DocumentLogPosition insertedEnd_;
};

} // namespace velmo::model

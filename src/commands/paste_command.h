#pragma once

#include "model/copy_paste_options.h"

namespace velmo::model {
class DocumentModel;
}
namespace velmo::platform {
class IClipboard;
}

namespace velmo::commands {

/// Replaces the selection by what the clipboard holds, as one undo step. The formats are tried
/// in a fixed order (rich text, HTML, plain text; HTML first when the data came from a browser
/// or a spreadsheet); when one fails, nothing of it stays and the next is tried. When every
/// available format fails, the document is left as it was and the last error is thrown.
class PieceTablePasteCommand {
public:
    PieceTablePasteCommand(model::DocumentModel& documentModel, const platform::IClipboard& clipboard,
                           model::CopyPasteOptions options) noexcept
        : documentModel_(documentModel), clipboard_(clipboard), options_(options)
    {
    }

    /// Whether any format on the clipboard can be pasted.
    [[nodiscard]] bool canExecute() const;
    void execute();

private:
    model::DocumentModel& documentModel_;
    const platform::IClipboard& clipboard_;
    model::CopyPasteOptions options_;
};

} // namespace velmo::commands

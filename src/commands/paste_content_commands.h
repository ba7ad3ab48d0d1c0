#pragma once

#include "core/positions.h"
#include "model/copy_paste_options.h"
#include "model/document_format.h"

#include <string_view>

namespace velmo::model {
class PieceTable;
}
namespace velmo::platform {
class IClipboard;
}

namespace velmo::commands {

/// One way of inserting what the clipboard holds: a clipboard format and how it is read.
class PieceTablePasteContentCommandBase {
public:
    virtual ~PieceTablePasteContentCommandBase() = default;
    /// Whether the clipboard holds this kind of data and it can be read here.
    [[nodiscard]] virtual bool isDataAvailable(const platform::IClipboard& clipboard) const = 0;
    /// Inserts the content at the position; returns the position just past it.
    virtual DocumentLogPosition paste(model::PieceTable& target, DocumentLogPosition logPosition,
                                      const platform::IClipboard& clipboard) const = 0;
};

/// Rich content: the clipboard data is read into a document of its own by the reader of a
/// format, which is then inserted as a fragment.
class PieceTablePasteFragmentCommand final : public PieceTablePasteContentCommandBase {
public:
    PieceTablePasteFragmentCommand(model::DocumentFormat format, std::string_view clipboardFormat,
                                   model::CopyPasteOptions options) noexcept
        : format_(format), clipboardFormat_(clipboardFormat), options_(options)
    {
    }
    [[nodiscard]] bool isDataAvailable(const platform::IClipboard& clipboard) const override;
    DocumentLogPosition paste(model::PieceTable& target, DocumentLogPosition logPosition,
                              const platform::IClipboard& clipboard) const override;

private:
    model::DocumentFormat format_;
    std::string_view clipboardFormat_;
    model::CopyPasteOptions options_;
};

/// Text: "UnicodeText", else the ANSI "Text", else the OEM "OEMText", with line breaks becoming
/// paragraphs.
class PieceTablePastePlainTextCommand final : public PieceTablePasteContentCommandBase {
public:
    [[nodiscard]] bool isDataAvailable(const platform::IClipboard& clipboard) const override;
    DocumentLogPosition paste(model::PieceTable& target, DocumentLogPosition logPosition,
                              const platform::IClipboard& clipboard) const override;
};

} // namespace velmo::commands

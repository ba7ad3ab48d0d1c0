#include "commands/paste_content_commands.h"

#include "core/encoding.h"
#include "formats/document_formats_registry.h"
#include "formats/document_model_importer.h"
#include "model/document_model.h"
#include "model/insert_content_command.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_paste.h"
#include "platform/clipboard.h"

#include <span>

namespace velmo::commands {

namespace {

constexpr int kOemCodePage = 437;

std::span<const uint8_t> bytesOf(const std::string& data)
{
    return {reinterpret_cast<const uint8_t*>(data.data()), data.size()};
}

/// The fragment's page setup goes along only when it ends with an empty paragraph, as when whole
/// sections were copied, and the user did not ask to keep the document's own.
bool suppressesSectionProperties(const model::DocumentModel& fragment, const model::CopyPasteOptions& options)
{
    const model::PieceTable& main = fragment.mainPieceTable();
    const model::Paragraph& last = main.paragraph(ParagraphIndex(main.paragraphCount() - 1));
    return last.length() != 1 || options.maintainDocumentSectionSettings;
}

} // namespace

bool PieceTablePasteFragmentCommand::isDataAvailable(const platform::IClipboard& clipboard) const
{
    return clipboard.containsData(clipboardFormat_) && formats::DocumentFormatsRegistry::importFormat(format_) != nullptr;
}

DocumentLogPosition PieceTablePasteFragmentCommand::paste(model::PieceTable& target, DocumentLogPosition logPosition,
                                                          const platform::IClipboard& clipboard) const
{
    model::DocumentModel fragment(nullptr, target.documentModel().images().codec());
    fragment.setUseFontSubstitution(false);
    fragment.fieldOptions() = target.documentModel().fieldOptions();
    const std::string data = clipboard.data(clipboardFormat_);
    formats::DocumentImporterOptions importerOptions;
    importerOptions.updateFields = fragment.fieldOptions().updateFieldsOnPaste;
    formats::DocumentFormatsRegistry::importFormat(format_)->createImporter(fragment, importerOptions)->importContent(bytesOf(data));
    if (const std::optional<DocumentLogPosition> start = model::prepareSingleFloatingObjectPaste(fragment, target, logPosition))
        logPosition = *start;
    model::InsertContentFlags flags;
    flags.suppressCopySectionProperties = suppressesSectionProperties(fragment, options_);
    model::PieceTableInsertContentConvertedToDocumentModelCommand command(target, logPosition, fragment,
                                                                          options_.insertOptions, flags);
    command.execute();
    return command.insertedEnd();
}

bool PieceTablePastePlainTextCommand::isDataAvailable(const platform::IClipboard& clipboard) const
{
    namespace format = platform::clipboard_format;
    return clipboard.containsData(format::kUnicodeText) || clipboard.containsData(format::kText) ||
           clipboard.containsData(format::kOemText);
}

DocumentLogPosition PieceTablePastePlainTextCommand::paste(model::PieceTable& target, DocumentLogPosition logPosition,
                                                           const platform::IClipboard& clipboard) const
{
    namespace format = platform::clipboard_format;
    std::u16string text;
    if (clipboard.containsData(format::kUnicodeText))
        text = clipboard.text(format::kUnicodeText);
    else if (clipboard.containsData(format::kText))
        text = core::Encoding::defaultAnsi().decode(bytesOf(clipboard.data(format::kText)));
    else
        text = core::Encoding::fromCodePage(kOemCodePage).decode(bytesOf(clipboard.data(format::kOemText)));
    if (text.empty())
        return logPosition;
    const int32_t before = target.documentEndLogPosition().value();
    target.insertPlainText(logPosition, text);
    return logPosition + (target.documentEndLogPosition().value() - before);
}

} // namespace velmo::commands

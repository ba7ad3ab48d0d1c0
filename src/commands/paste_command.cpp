#include "commands/paste_command.h"

#include "commands/paste_content_commands.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/selection.h"
#include "platform/clipboard.h"

#include <exception>
#include <memory>
#include <vector>

namespace velmo::commands {

namespace {

using Candidates = std::vector<std::unique_ptr<PieceTablePasteContentCommandBase>>;

Candidates pasteCandidates(const platform::IClipboard& clipboard, const model::CopyPasteOptions& options)
{
    namespace format = platform::clipboard_format;
    auto rtf = std::make_unique<PieceTablePasteFragmentCommand>(model::DocumentFormat::Rtf, format::kRichText, options);
    auto html = std::make_unique<PieceTablePasteFragmentCommand>(model::DocumentFormat::Html, format::kHtml, options);
    const bool htmlFirst = clipboard.containsData(format::kXmlSpreadsheet) || clipboard.containsData(format::kSourceUrl);
    Candidates candidates;
    candidates.push_back(htmlFirst ? std::move(html) : std::move(rtf));
    candidates.push_back(htmlFirst ? std::move(rtf) : std::move(html));
    candidates.push_back(std::make_unique<PieceTablePastePlainTextCommand>());
    return candidates;
}

} // namespace

bool PieceTablePasteCommand::canExecute() const
{
    for (const auto& candidate : pasteCandidates(clipboard_, options_)) {
        if (candidate->isDataAvailable(clipboard_))
            return true;
    }
    return false;
}

void PieceTablePasteCommand::execute()
{
    if (!canExecute())
        return;
    model::BatchUpdateScope batch(documentModel_);
    model::Selection& selection = documentModel_.selection();
    model::PieceTable& story = selection.pieceTable();
    const DocumentLogPosition start = selection.normalizedStart();
    // The story's last mark cannot be replaced; the deletion keeps it.
    story.deleteContent(start, std::min(selection.activeItem().length(), story.documentEndLogPosition() - start));

    std::exception_ptr lastError;
    for (const auto& candidate : pasteCandidates(clipboard_, options_)) {
        if (!candidate->isDataAvailable(clipboard_))
            continue;
        try {
            // A failed attempt is rolled back with its own batch level before the next one.
            model::BatchUpdateScope attempt(documentModel_);
            const DocumentLogPosition end = candidate->paste(story, start, clipboard_);
            selection.collapse(end);
            return;
        } catch (...) {
            lastError = std::current_exception();
        }
    }
    // Nothing could be pasted: leaving by the error rolls the deletion back too.
    std::rethrow_exception(lastError);
}

} // namespace velmo::commands

#pragma once

#include "formats/document_exporter_options.h"
#include "formats/document_model_exporter.h"

#include <string>
#include <vector>

namespace velmo::formats {

/// Writes the main story as text: one line per paragraph, field results without their codes,
/// in the chosen encoding with its byte order mark.
class PlainTextExporter final : public DocumentModelExporter {
public:
    PlainTextExporter(const model::DocumentModel& documentModel, PlainTextDocumentExporterOptions options)
        : DocumentModelExporter(documentModel, options.exportHiddenText), options_(std::move(options))
    {
    }

    [[nodiscard]] std::vector<uint8_t> exportContent() override;
    /// The text before encoding.
    [[nodiscard]] std::u16string exportText();

protected:
    void exportParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph) override;
    void exportTextRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportParagraphRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportSectionRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFieldCodeStartRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFieldCodeEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFieldResultEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportInlineObjectRun(const model::PieceTable&, RunIndex) override {}
    void exportFloatingObjectAnchorRun(const model::PieceTable&, RunIndex) override {}
    void exportSeparatorRun(const model::PieceTable&, RunIndex) override {}
    void exportFootNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) override;
    void exportEndNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) override;

private:
    /// A note met in the main story, in order, with the number it was given there.
    struct CollectedNote {
        int32_t noteIndex;
        int32_t number;
    };

    void appendMarker(const std::u16string& marker);
    void exportNoteReference(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number,
                             std::vector<CollectedNote>& collected, const std::u16string& format);
    void exportNotes(const std::vector<CollectedNote>& collected, bool footNotes, const std::u16string& separator);

    [[nodiscard]] bool keepsFinalLineBreak() const noexcept;

    PlainTextDocumentExporterOptions options_;
    std::u16string text_;
    std::vector<CollectedNote> footNotes_;
    std::vector<CollectedNote> endNotes_;
    int32_t exportedParagraphs_ = 0;
    bool lastParagraphEmpty_ = false;
};

} // namespace velmo::formats

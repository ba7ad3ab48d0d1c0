#include "formats/plain_text_exporter.h"

#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"

#include <unicode/ustring.h>

namespace velmo::formats {

namespace {

/// Upper case by the root locale's rules, as for the "all caps" formatting.
std::u16string toUpper(const std::u16string& text)
{
    std::u16string result(text.size() + 16, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = u_strToUpper(reinterpret_cast<UChar*>(result.data()), static_cast<int32_t>(result.size()),
                                            reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                                            "", &status); // the root locale
        if (U_SUCCESS(status)) {
            result.resize(static_cast<size_t>(length));
            return result;
        }
        if (status != U_BUFFER_OVERFLOW_ERROR)
            break;
        result.resize(static_cast<size_t>(length));
    }
    return text;
}

/// Removes one trailing line break: CR LF or LF CR as a pair, else a lone CR or LF.
void trimFinalLineBreak(std::u16string& text)
{
    const auto isBreak = [](char16_t character) { return character == u'\r' || character == u'\n'; };
    if (text.empty() || !isBreak(text.back()))
        return;
    const size_t size = text.size();
    if (size >= 2 && isBreak(text[size - 2]) && text[size - 2] != text[size - 1])
        text.resize(size - 2);
    else
        text.pop_back();
}

} // namespace

std::u16string PlainTextExporter::exportText()
{
    text_.clear();
    exportedParagraphs_ = 0;
    exportDocument();
    if (!keepsFinalLineBreak())
        trimFinalLineBreak(text_);
    return std::move(text_);
}

bool PlainTextExporter::keepsFinalLineBreak() const noexcept
{
    // A reader ignores what follows the last line break, so a document ending in an empty
    // paragraph keeps the break before it; trimming it would lose one empty line per save.
    return exportedParagraphs_ > 1 && lastParagraphEmpty_;
}

void PlainTextExporter::exportParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph)
{
    ++exportedParagraphs_;
    lastParagraphEmpty_ = paragraph.length() == 1;
    DocumentModelExporter::exportParagraph(pieceTable, paragraph);
}

std::vector<uint8_t> PlainTextExporter::exportContent()
{
    const std::u16string text = exportText();
    const core::Encoding encoding = options_.encoding.value_or(core::Encoding::defaultAnsi());
    std::vector<uint8_t> bytes;
    if (options_.writeEncodingPreamble) {
        const std::string_view preamble = encoding.preamble();
        bytes.insert(bytes.end(), preamble.begin(), preamble.end());
    }
    const std::string encoded = encoding.encode(text);
    bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    return bytes;
}

void PlainTextExporter::exportTextRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    std::u16string text = pieceTable.runPlainText(runIndex);
    const auto& formatting = documentModel_.characterFormattingCache()[pieceTable.run(runIndex).characterFormattingIndex()];
    if (formatting.allCaps)
        text = toUpper(text);
    for (const char16_t character : text) {
        if (character == u'\v')
            text_ += u"\r\n";
        else
            text_.push_back(character);
    }
}

void PlainTextExporter::exportParagraphRun(const model::PieceTable&, RunIndex)
{
    text_ += u"\r\n";
}

void PlainTextExporter::exportSectionRun(const model::PieceTable&, RunIndex)
{
    text_ += u"\r\n";
}

void PlainTextExporter::appendMarker(const std::u16string& marker)
{
    if (shouldExportHiddenText())
        text_ += marker;
}

void PlainTextExporter::exportFieldCodeStartRun(const model::PieceTable&, RunIndex)
{
    appendMarker(options_.fieldCodeStartMarker);
}

void PlainTextExporter::exportFieldCodeEndRun(const model::PieceTable&, RunIndex)
{
    appendMarker(options_.fieldCodeEndMarker);
}

void PlainTextExporter::exportFieldResultEndRun(const model::PieceTable&, RunIndex)
{
    appendMarker(options_.fieldResultEndMarker);
}

} // namespace velmo::formats

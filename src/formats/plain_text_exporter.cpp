#include "formats/plain_text_exporter.h"

#include "model/content_type.h"
#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <array>

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

constexpr std::u16string_view kDefaultNoteNumberFormat = u"[%0:s]";
constexpr size_t kDefaultNoteSeparatorLength = 60;

std::u16string formatDecimal(int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

/// Fills a format in the "%0:s" style: '%', an optional argument index and ':', then 's' or 'd';
/// "%%" is a percent sign. Anything else is copied as it is.
std::u16string formatNoteNumber(std::u16string_view format, const std::array<std::u16string, 3>& arguments)
{
    std::u16string result;
    size_t nextArgument = 0;
    for (size_t index = 0; index < format.size(); ++index) {
        if (format[index] != u'%' || index + 1 >= format.size()) {
            result.push_back(format[index]);
            continue;
        }
        if (format[index + 1] == u'%') {
            result.push_back(u'%');
            ++index;
            continue;
        }
        size_t cursor = index + 1;
        size_t argument = nextArgument;
        if (cursor + 1 < format.size() && format[cursor] >= u'0' && format[cursor] <= u'9' && format[cursor + 1] == u':') {
            argument = static_cast<size_t>(format[cursor] - u'0');
            cursor += 2;
        }
        if (cursor < format.size() && (format[cursor] == u's' || format[cursor] == u'd') && argument < arguments.size()) {
            result += arguments[argument];
            nextArgument = argument + 1;
            index = cursor;
            continue;
        }
        result.push_back(format[index]);
    }
    return result;
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
    footNotes_.clear();
    endNotes_.clear();
    exportedParagraphs_ = 0;
    exportDocument();
    exportNotes(footNotes_, true, options_.footNoteSeparator);
    exportNotes(endNotes_, false, options_.endNoteSeparator);
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
    if (pieceTable.mergedCharacterFormatting(runIndex).allCaps())
        text = toUpper(text);
    for (const char16_t character : text) {
        if (character == u'\v')
            text_ += u"\r\n";
        else if (character == model::kOptionalHyphen)
            text_.push_back(u'\u00AD'); // the soft hyphen of Unicode text
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

void PlainTextExporter::exportFootNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number)
{
    exportNoteReference(pieceTable, runIndex, number, footNotes_, options_.footNoteNumberStringFormat);
}

void PlainTextExporter::exportEndNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number)
{
    exportNoteReference(pieceTable, runIndex, number, endNotes_, options_.endNoteNumberStringFormat);
}

void PlainTextExporter::exportNoteReference(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number,
                                            std::vector<CollectedNote>& collected, const std::u16string& format)
{
    const int32_t noteIndex = static_cast<const model::FootNoteRunBase&>(pieceTable.run(runIndex)).noteIndex();
    if (pieceTable.isMain()) {
        collected.push_back(CollectedNote{noteIndex, number});
    } else {
        // Elsewhere a reference is written only for a note the main story already showed.
        const auto found = std::find_if(collected.begin(), collected.end(),
                                        [noteIndex](const CollectedNote& note) { return note.noteIndex == noteIndex; });
        if (found == collected.end())
            return;
        number = found->number;
    }
    const std::u16string numberText = formatDecimal(number);
    text_ += formatNoteNumber(format.empty() ? kDefaultNoteNumberFormat : format,
                              {numberText, numberText, formatDecimal(noteIndex)});
}

void PlainTextExporter::exportNotes(const std::vector<CollectedNote>& collected, bool footNotes, const std::u16string& separator)
{
    if (collected.empty())
        return;
    text_ += separator.empty() ? std::u16string(kDefaultNoteSeparatorLength, u'-') : separator;
    text_ += u"\r\n";
    for (const CollectedNote& note : collected) {
        const bool exists = note.noteIndex >= 0 &&
                            note.noteIndex < (footNotes ? documentModel_.footNoteCount() : documentModel_.endNoteCount());
        if (!exists)
            continue;
        exportStory(footNotes ? documentModel_.footNote(note.noteIndex).pieceTable()
                              : documentModel_.endNote(note.noteIndex).pieceTable());
    }
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

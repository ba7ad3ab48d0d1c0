#include "formats/plain_text_importer.h"

#include "core/encoding_detector.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <algorithm>
#include <array>

namespace velmo::formats {

namespace {

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(), [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

/// Length of a UTF-8 or UTF-16 byte order mark at the start; 0 when there is none.
size_t unicodeMarkLength(std::span<const uint8_t> bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return 3;
    if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF"))
        return 2;
    return 0;
}

} // namespace

std::u16string PlainTextImporter::decode(std::span<const uint8_t> bytes) const
{
    std::optional<core::Encoding> encoding = options_.encoding;
    bool detected = false;
    if (options_.autoDetectEncoding && !encoding) {
        encoding = core::detectEncoding(bytes);
        detected = encoding.has_value();
    }
    const core::Encoding used = encoding.value_or(core::Encoding::defaultAnsi());
    size_t skip = 0;
    if (detected) {
        const std::string_view preamble = used.preamble();
        if (startsWith(bytes, preamble))
            skip = preamble.size();
    } else {
        skip = unicodeMarkLength(bytes);
    }
    return used.decode(bytes.subspan(skip));
}

std::vector<std::u16string> splitPlainTextLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    std::u16string line;
    for (size_t index = 0; index < text.size(); ++index) {
        const char16_t character = text[index];
        if (character == u'\r' || character == u'\n') {
            const char16_t partner = character == u'\r' ? u'\n' : u'\r';
            if (index + 1 < text.size() && text[index + 1] == partner)
                ++index;
            lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        if (character == u'\u00A0')
            line.push_back(u' ');
        else if (character == u'\0')
            line.push_back(u'\uFFFD'); // keep going: a NUL must not hide the rest of the file
        else
            line.push_back(character);
    }
    if (!line.empty() || lines.empty())
        lines.push_back(std::move(line));
    return lines;
}

void PlainTextImporter::importContent(std::span<const uint8_t> bytes)
{
    std::u16string text = decode(bytes);
    std::replace(text.begin(), text.end(), model::kSectionMark, u'\r');
    const std::vector<std::u16string> lines = splitPlainTextLines(text);
    text = std::u16string();

    documentModel_.beginSetContent();
    try {
        model::PieceTable& story = documentModel_.mainPieceTable();
        model::InputPosition position = story.createInputPosition(DocumentLogPosition(0));
        for (size_t index = 0; index < lines.size(); ++index) {
            if (index > 0)
                story.insertParagraph(position);
            story.insertText(position, lines[index]);
            documentModel_.resetMerging();
        }
    } catch (...) {
        documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument, false);
        throw;
    }
    documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument, options_.updateFields, options_.fieldUpdateOnLoad);
}

} // namespace velmo::formats

#include "model/fields/symbol_field.h"

#include "core/culture.h"
#include "core/encoding.h"
#include "model/character_formatting_info.h"
#include "model/document_model.h"
#include "model/fields/field_result_model.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <charconv>
#include <cmath>

namespace velmo::model {

namespace {

std::optional<int64_t> parseCode(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t character : text) {
        if (character > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(character));
    }
    int base = 10;
    std::string_view digits = ascii;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    int64_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || stop != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    return value;
}

} // namespace

bool SymbolField::isSwitchWithArgument(std::u16string_view key) const noexcept
{
    return key == u"\\f" || key == u"\\s";
}

UpdateFieldOperationTypes SymbolField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return {UpdateFieldOperationType::Load, UpdateFieldOperationType::Copy, UpdateFieldOperationType::Normal,
            UpdateFieldOperationType::CreateModelForExport};
}

std::optional<char16_t> SymbolField::character() const
{
    const std::optional<int64_t> code = parseCode(instructions().argumentText(0));
    if (!code || *code < 0)
        return std::nullopt;
    if (instructions().hasSwitch(u"\\u")) {
        const bool surrogate = *code >= 0xD800 && *code <= 0xDFFF;
        if (*code > 0xFFFF || surrogate)
            return std::nullopt;
        return static_cast<char16_t>(*code);
    }
    if (*code > 0xFF)
        return std::nullopt;
    const uint8_t byte = static_cast<uint8_t>(*code);
    const std::u16string decoded = core::Encoding::fromCodePage(1252).decode(std::span<const uint8_t>(&byte, 1));
    if (decoded.size() != 1 || decoded.front() == u'\uFFFD')
        return std::nullopt;
    return decoded.front();
}

CalculatedFieldValue SymbolField::getCalculatedValue(const FieldCalculationContext& context)
{
    const std::optional<char16_t> symbol = character();
    // A mark character would break the story's structure; it is no symbol either.
    if (!symbol || *symbol == kParagraphMark || *symbol == kSectionMark || *symbol == 0)
        return CalculatedFieldValue::null();
    const DocumentModel& documentModel = context.documentModel();
    std::unique_ptr<DocumentModel> result = createFieldResultModel(documentModel);
    auto& cache = result->cache().characterFormattingCache();
    CharacterFormattingBase formatting = cache[DocumentCache::kEmptyPropertiesIndex];
    if (const std::optional<std::u16string> font = instructions().stringValue(u"\\f"); font && !font->empty())
        formatting.setFontName(*font);
    if (const std::optional<std::u16string> size = instructions().stringValue(u"\\s")) {
        const std::optional<double> points = fieldCulture(documentModel).parseNumber(*size);
        if (points && *points > 0 && *points < 32768)
            formatting.setDoubleFontSize(static_cast<int32_t>(std::lround(*points * 2)));
    }
    PieceTable& story = result->mainPieceTable();
    InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    position.characterPropertiesIndex = cache.add(formatting);
    story.insertObjectRun(position, RunKind::FieldSymbol, *symbol);
    return CalculatedFieldValue(std::move(result));
}

} // namespace velmo::model

// Hyperlinks of a story: the records of its HYPERLINK fields, and the links made, changed and
// taken away with their code, text and style.
#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/character_properties.h"
#include "model/character_style.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_history_items.h"
#include "model/hyperlinks/hyperlink_info_history_items.h"
#include "model/hyperlinks/hyperlink_instruction_builder.h"
#include "model/merged_character_properties.h"
#include "model/runs.h"

#include <optional>

namespace velmo::model {

namespace {

constexpr std::u16string_view kHyperlinkStyleName = u"Hyperlink";

/// What a character style and its parents set, the style's own values first.
CharacterFormattingBase styleChainProperties(const DocumentModel& documentModel, int32_t styleIndex)
{
    const auto& cache = documentModel.cache().characterFormattingCache();
    const auto& styles = documentModel.styles().characterStyles();
    MergedCharacterProperties merged(cache[DocumentCache::kEmptyPropertiesIndex]);
    if (styles.isIndexValid(styleIndex)) {
        for (const CharacterStyle* style = &styles[styleIndex]; style; style = style->parentStyle())
            merged.merge(cache[style->characterPropertiesIndex()]);
    }
    return CharacterFormattingBase(merged.info(), merged.mask());
}

/// The document's "Hyperlink" character style and the properties it sets; none without that style.
struct HyperlinkStyleLook {
    int32_t styleIndex;
    CharacterPropertiesMask properties;
};

std::optional<HyperlinkStyleLook> hyperlinkStyleLook(const DocumentModel& documentModel)
{
    const auto& styles = documentModel.styles().characterStyles();
    const int32_t index = styles.styleIndexByName(kHyperlinkStyleName);
    if (index < 0)
        return std::nullopt;
    return HyperlinkStyleLook{index, documentModel.cache().characterFormattingCache()[styles[index].characterPropertiesIndex()].mask()};
}

void setRunProperties(TextRunBase& run, const CharacterFormattingBase& properties)
{
    CharacterProperties(run).change([&](CharacterFormattingBase& formatting) { formatting = properties; },
                                    CharacterPropertiesTraits::kAllChangeActions);
}

} // namespace

const HyperlinkInfo& PieceTable::hyperlinkInfo(int32_t fieldIndex) const noexcept
{
    static const HyperlinkInfo kNone;
    const HyperlinkInfo* info = hyperlinkInfos_.find(fieldIndex);
    return info ? *info : kNone;
}

const HyperlinkInfo& PieceTable::insertHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<InsertHyperlinkInfoHistoryItem>(*this, fieldIndex, info));
    return hyperlinkInfo(fieldIndex);
}

void PieceTable::replaceHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<ReplaceHyperlinkInfoHistoryItem>(*this, fieldIndex, info));
}

void PieceTable::removeHyperlinkInfo(int32_t fieldIndex)
{
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<DeleteHyperlinkInfoHistoryItem>(*this, fieldIndex));
}

Field& PieceTable::createHyperlink(DocumentLogPosition position, int32_t length, bool forceVisible, const HyperlinkInfo& info)
{
    validateInsertPosition(position);
    if (length < 0 || position + length > documentEndLogPosition())
        throw core::EditorException::invalidValue(length, "length");
    const std::u16string code = HyperlinkInstructionBuilder(info).fieldInstruction();
    BatchUpdateScope batch(*documentModel_);
    documentModel_->resetMerging();
    insertText(position, code);
    Field& field = createField(position, static_cast<int32_t>(code.size()), length);
    insertHyperlinkInfo(field.index(), info);
    if (forceVisible && length == 0) {
        const std::u16string& text = info.navigateUri.empty() ? info.anchor : info.navigateUri;
        if (!text.empty())
            insertText(field.resultStartLogPosition(), text);
    }
    if (field.resultLength() > 0) {
        const RunInfo result = runsInfo(field.result().start, field.result().end - 1);
        applyHyperlinkStyle(&result, true);
    }
    if (field.isCodeView())
        toggleFieldCodes(field);
    return field;
}

void PieceTable::deleteHyperlink(Field& field)
{
    if (&field.pieceTable() != this || field.index() < 0 || !isHyperlinkField(field.index()))
        throw core::EditorException::invalidValue("a field that is no hyperlink", "AField");
    BatchUpdateScope batch(*documentModel_);
    if (field.resultLength() > 0) {
        const CharacterFormattingInfo codeLook = mergedCharacterFormatting(field.firstRunIndex());
        replaceHyperlinkStyle(runsInfo(field.result().start, field.result().end - 1), codeLook);
    }
    // The field (and its record) goes first: then its marks are plain characters to delete.
    const DocumentLogPosition start = field.startLogPosition();
    const int32_t codeLength = field.resultStartLogPosition() - start;
    const DocumentLogPosition resultEnd = field.resultEndLogPosition();
    removeFieldsLosingMarks(*this, field.lastRunIndex(), field.lastRunIndex());
    deleteContent(resultEnd, 1);
    deleteContent(start, codeLength);
}

void PieceTable::modifyHyperlinkCode(Field& field, const HyperlinkInfo& info)
{
    if (&field.pieceTable() != this || field.index() < 0)
        throw core::EditorException::invalidValue("a field of another story", "field");
    BatchUpdateScope batch(*documentModel_);
    if (isHyperlinkField(field.index()))
        replaceHyperlinkInfo(field.index(), info);
    else
        insertHyperlinkInfo(field.index(), info);
    const std::u16string code = HyperlinkInstructionBuilder(hyperlinkInfo(field.index())).fieldInstruction();
    const DocumentLogPosition codeStart = field.startLogPosition() + 1;
    replaceText(codeStart, (field.resultStartLogPosition() - 1) - codeStart, code);
}

void PieceTable::modifyHyperlinkResult(Field& field, std::u16string_view text)
{
    if (&field.pieceTable() != this || field.index() < 0)
        throw core::EditorException::invalidValue("a field of another story", "field");
    BatchUpdateScope batch(*documentModel_);
    replaceText(field.resultStartLogPosition(), field.resultLength(), text);
    if (field.resultLength() > 0) {
        const RunInfo result = runsInfo(field.result().start, field.result().end - 1);
        applyHyperlinkStyle(&result, true);
    }
}

void PieceTable::applyHyperlinkStyle(const RunInfo* runInfo, bool applyDefaultHyperlinkStyle)
{
    if (!runInfo)
        throw core::EditorException::invalidValue("nil", "runInfo");
    const RunIndex first = runInfo->normalizedStart.runIndex;
    const RunIndex last = runInfo->normalizedEnd.runIndex;
    if (runInfo->end.logPosition < runInfo->start.logPosition || last < first || first.value() < 0 || last.value() >= runCount())
        throw core::EditorException::invalidValue("a reversed range", "runInfo");
    const std::optional<HyperlinkStyleLook> look = hyperlinkStyleLook(*documentModel_);
    if (!look)
        return;
    const auto [hyperlinkStyle, linkLook] = *look;
    const auto& cache = documentModel_->cache().characterFormattingCache();
    BatchUpdateScope batch(*documentModel_);
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        TextRunBase& target = run(runIndex);
        if (target.characterStyleIndex() == hyperlinkStyle)
            continue;
        // What the old style gave becomes the run's own, so that only the link look changes.
        CharacterFormattingBase oldStyle = styleChainProperties(*documentModel_, target.characterStyleIndex());
        CharacterFormattingBase own = cache[target.characterPropertiesIndex()];
        if (applyDefaultHyperlinkStyle) {
            oldStyle.resetUse(linkLook);
            own.resetUse(linkLook);
        }
        MergedCharacterProperties merged(own);
        merged.merge(oldStyle);
        setRunProperties(target, CharacterFormattingBase(merged.info(), merged.mask()));
        setCharacterStyleIndex(runIndex, hyperlinkStyle);
    }
}

void PieceTable::replaceHyperlinkStyle(const RunInfo& runInfo, const CharacterFormattingInfo& source)
{
    const std::optional<HyperlinkStyleLook> look = hyperlinkStyleLook(*documentModel_);
    if (!look)
        return;
    const auto [hyperlinkStyle, linkLook] = *look;
    const auto& cache = documentModel_->cache().characterFormattingCache();
    BatchUpdateScope batch(*documentModel_);
    for (RunIndex runIndex = runInfo.normalizedStart.runIndex; runIndex <= runInfo.normalizedEnd.runIndex; ++runIndex) {
        TextRunBase& target = run(runIndex);
        if (target.characterStyleIndex() != hyperlinkStyle)
            continue;
        CharacterFormattingBase own = cache[target.characterPropertiesIndex()];
        MergedCharacterProperties merged(own);
        merged.merge(CharacterFormattingBase(source, kCharacterPropertiesMaskAll));
        own.setProperties(merged.info(), linkLook);
        setRunProperties(target, own);
        setCharacterStyleIndex(runIndex, 0);
    }
    tryToJoinRuns(runInfo);
}

} // namespace velmo::model

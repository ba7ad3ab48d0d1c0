#include "model/fields/update_field_operation.h"

#include "model/character_properties.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_scanner.h"
#include "model/insert_content_command.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/pictures/inline_picture_run.h"
#include "model/property_modifiers.h"
#include "model/runs.h"
#include "model/selection.h"

#include <algorithm>
#include <optional>

namespace velmo::model {

namespace {

/// Gives runs a character style and formatting of the same document.
class RunFormattingSetter final : public RunPropertyModifierBase {
public:
    RunFormattingSetter(int32_t propertiesIndex, int32_t styleIndex) noexcept
        : propertiesIndex_(propertiesIndex), styleIndex_(styleIndex)
    {
    }
    void modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const override
    {
        TextRunBase& run = pieceTable.run(runIndex);
        if (run.characterPropertiesIndex() != propertiesIndex_)
            CharacterProperties(run).setIndex(propertiesIndex_, CharacterPropertiesTraits::kAllChangeActions);
        if (run.characterStyleIndex() != styleIndex_)
            pieceTable.setCharacterStyleIndex(runIndex, styleIndex_);
    }
    void modifyInputPosition(InputPosition& position, DocumentModel&) const override
    {
        position.characterPropertiesIndex = propertiesIndex_;
        position.characterStyleIndex = styleIndex_;
    }

private:
    int32_t propertiesIndex_;
    int32_t styleIndex_;
};

/// The size of a result that is one inline picture.
std::optional<Size> singlePictureSize(const PieceTable& pieceTable, const Field& field)
{
    const FieldRunInterval result = field.result();
    if (result.end - result.start != 1 || pieceTable.run(result.start).kind() != RunKind::InlinePicture)
        return std::nullopt;
    return static_cast<const InlinePictureRun&>(pieceTable.run(result.start)).actualSize();
}

/// Switches the document's merge-use-first-paragraph-style option off for a scope.
class MergeUseFirstParagraphStyleOff {
public:
    MergeUseFirstParagraphStyleOff(DocumentModel& documentModel, bool active) noexcept
        : options_(documentModel.editingOptions()), saved_(options_.mergeUseFirstParagraphStyle)
    {
        if (active)
            options_.mergeUseFirstParagraphStyle = false;
    }
    ~MergeUseFirstParagraphStyleOff() { options_.mergeUseFirstParagraphStyle = saved_; }
    MergeUseFirstParagraphStyleOff(const MergeUseFirstParagraphStyleOff&) = delete;
    MergeUseFirstParagraphStyleOff& operator=(const MergeUseFirstParagraphStyleOff&) = delete;

private:
    EditingOptions& options_;
    bool saved_;
};

} // namespace

UpdateFieldOperationResult UpdateFieldOperation::execute()
{
    if (field_.disableUpdate())
        return {};
    DocumentModel& documentModel = pieceTable_.documentModel();
    // The calculation is part of the step: some types change the document while they calculate
    // (a link record, the text of an empty link), and a failure takes that back too.
    documentModel.beginUpdate();
    UpdateFieldOperationResult result;
    try {
        std::optional<CalculateFieldResult> calculated =
            documentModel.fieldCalculatorService().calculateField(pieceTable_, field_, mailMergeDataMode_, updateType_);
        if (calculated && calculated->updateTypes.contains(updateType_) &&
            !calculated->value.hasOption(FieldResultOptions::KeepOldResult)) {
            CalculatedFieldValue& value = calculated->value;
            if (value.hasOption(FieldResultOptions::HyperlinkField)) {
                if (field_.isCodeView())
                    pieceTable_.toggleFieldCodes(field_);
                result.result = UpdateFieldResult::FieldUpdated;
            } else {
                result = replaceResult(value);
            }
        }
    } catch (const std::exception&) {
        documentModel.cancelUpdate();
        return {}; // the field keeps its result
    }
    documentModel.endUpdate();
    return result;
}

UpdateFieldOperationResult UpdateFieldOperation::replaceResult(CalculatedFieldValue& value)
{
    // The field is no link any more once another result replaces the link text.
    if (pieceTable_.isHyperlinkField(field_.index()))
        pieceTable_.removeHyperlinkInfo(field_.index());
    const DocumentLogPosition start = field_.resultStartLogPosition();
    const int32_t oldLength = field_.resultLength();
    const std::optional<Size> pictureSize = singlePictureSize(pieceTable_, field_);
    std::vector<RunFormatting> oldRuns;
    std::vector<ParagraphFormatting> oldParagraphs;
    if (value.hasOption(FieldResultOptions::MergeFormat)) {
        for (RunIndex runIndex = field_.result().start; runIndex < field_.result().end; ++runIndex) {
            const TextRunBase& run = pieceTable_.run(runIndex);
            oldRuns.push_back(RunFormatting{run.length(), run.characterPropertiesIndex(), run.characterStyleIndex()});
        }
        if (oldLength > 0) {
            const ParagraphIndex last = pieceTable_.findParagraphIndex(start + (oldLength - 1));
            for (ParagraphIndex index = pieceTable_.findParagraphIndex(start); index <= last; ++index) {
                const Paragraph& paragraph = pieceTable_.paragraph(index);
                oldParagraphs.push_back(ParagraphFormatting{paragraph.paragraphPropertiesIndex(), paragraph.paragraphStyleIndex()});
            }
        }
    }
    UpdateFieldOperationResult result;
    result.result = UpdateFieldResult::FieldUpdated;
    result.suppressUpdateInnerCodeFields = value.hasOption(FieldResultOptions::SuppressUpdateInnerCodeFields);

    const bool finalMerging =
        mailMergeDataMode_ == MailMergeDataMode::FinalMerging && value.hasOption(FieldResultOptions::MailMergeField);
    if (finalMerging) {
        // The value takes the place of the whole field.
        const DocumentLogPosition after = field_.resultEndLogPosition() + 1;
        const int32_t newLength = insertValue(after, value);
        formatNewResult(after, newLength, value, oldRuns, oldParagraphs);
        pieceTable_.removeField(field_);
        result.result = UpdateFieldResult::FieldUpdatedAndCodeDeleted;
        return result;
    }
    if (oldLength > 0) {
        const MergeUseFirstParagraphStyleOff option(pieceTable_.documentModel(),
                                                    value.hasOption(FieldResultOptions::SuppressMergeUseFirstParagraphStyle));
        pieceTable_.deleteContent(start, oldLength);
    }
    const int32_t newLength = insertValue(start, value);
    formatNewResult(start, newLength, value, oldRuns, oldParagraphs);
    adjustSelection(start, oldLength, newLength);

    const bool keepsPictureSize = updateType_ == UpdateFieldOperationType::Load || updateType_ == UpdateFieldOperationType::Copy ||
                                  updateType_ == UpdateFieldOperationType::CreateModelForExport;
    if (keepsPictureSize && pictureSize && singlePictureSize(pieceTable_, field_))
        static_cast<InlinePictureRun&>(pieceTable_.run(field_.result().start)).setActualSize(*pictureSize);
    if (field_.isCodeView())
        pieceTable_.toggleFieldCodes(field_);
    return result;
}

int32_t UpdateFieldOperation::insertValue(DocumentLogPosition position, CalculatedFieldValue& value)
{
    const DocumentLogPosition endBefore = pieceTable_.documentEndLogPosition();
    if (const DocumentModel* fragment = value.documentModel()) {
        if (!fragment->mainPieceTable().isEmpty()) {
            InsertContentFlags flags;
            flags.suppressCopySectionProperties = true;
            flags.suppressFieldsUpdate = true; // the updater takes the fields of the new result next
            PieceTableInsertContentConvertedToDocumentModelCommand(pieceTable_, position, *fragment,
                                                                   InsertOptions::MatchDestinationFormatting, flags)
                .execute();
        }
    } else if (!value.text().empty()) {
        pieceTable_.documentModel().resetMerging();
        pieceTable_.insertPlainText(position, value.text());
    }
    return pieceTable_.documentEndLogPosition() - endBefore;
}

void UpdateFieldOperation::formatNewResult(DocumentLogPosition start, int32_t length, const CalculatedFieldValue& value,
                                           const std::vector<RunFormatting>& oldRuns,
                                           const std::vector<ParagraphFormatting>& oldParagraphs)
{
    if (length <= 0)
        return;
    const RunFormatting code = codeFormatting();
    if (!value.hasOption(FieldResultOptions::MergeFormat)) {
        if (!value.hasOption(FieldResultOptions::DoNotApplyFieldCodeFormatting))
            setRunFormatting(start, length, code);
        return;
    }
    // Position by position: the old result's formatting as far as it reaches, then the code's.
    int32_t offset = 0;
    for (const RunFormatting& old : oldRuns) {
        if (offset >= length)
            break;
        setRunFormatting(start + offset, std::min(old.length, length - offset), old);
        offset += old.length;
    }
    if (offset < length)
        setRunFormatting(start + offset, length - offset, code);
    // Paragraph by paragraph, from the second on: the first is the one the field starts in.
    const ParagraphIndex first = pieceTable_.findParagraphIndex(start);
    const ParagraphIndex last = pieceTable_.findParagraphIndex(start + (length - 1));
    for (size_t ordinal = 1; ordinal < oldParagraphs.size() && first + static_cast<int32_t>(ordinal) <= last; ++ordinal) {
        const ParagraphIndex index = first + static_cast<int32_t>(ordinal);
        const ParagraphFormatting& old = oldParagraphs[ordinal];
        if (pieceTable_.paragraph(index).paragraphStyleIndex() != old.styleIndex)
            pieceTable_.setParagraphStyleIndex(index, old.styleIndex);
        Paragraph& paragraph = pieceTable_.paragraph(index);
        if (paragraph.paragraphPropertiesIndex() != old.propertiesIndex)
            ParagraphProperties(paragraph).setIndex(old.propertiesIndex, ParagraphPropertiesTraits::kAllChangeActions);
    }
}

void UpdateFieldOperation::setRunFormatting(DocumentLogPosition start, int32_t length, const RunFormatting& formatting)
{
    if (length > 0)
        pieceTable_.applyCharacterFormatting(start, length, RunFormattingSetter(formatting.propertiesIndex, formatting.styleIndex));
}

UpdateFieldOperation::RunFormatting UpdateFieldOperation::codeFormatting() const
{
    const FieldRunInterval code = field_.code();
    for (RunIndex runIndex = code.start + 1; runIndex < code.end; ++runIndex) {
        const TextRunBase& run = pieceTable_.run(runIndex);
        if (run.kind() == RunKind::FieldCodeStart) {
            if (const Field* nested = pieceTable_.fields().findFieldByCodeStart(runIndex))
                runIndex = nested->lastRunIndex();
            continue;
        }
        if (run.kind() != RunKind::Text)
            continue;
        const std::u16string text = pieceTable_.runText(runIndex);
        if (std::any_of(text.begin(), text.end(), [](char16_t character) { return !isFieldCodeWhiteSpace(character); }))
            return RunFormatting{1, run.characterPropertiesIndex(), run.characterStyleIndex()};
    }
    const TextRunBase& mark = pieceTable_.run(code.start);
    return RunFormatting{1, mark.characterPropertiesIndex(), mark.characterStyleIndex()};
}

void UpdateFieldOperation::adjustSelection(DocumentLogPosition start, int32_t oldLength, int32_t newLength)
{
    Selection& selection = pieceTable_.documentModel().selection();
    if (&selection.pieceTable() != &pieceTable_ || oldLength == newLength)
        return;
    const DocumentLogPosition oldEnd = start + oldLength;
    const auto adjust = [&](DocumentLogPosition position) {
        if (position > oldEnd)
            return position + (newLength - oldLength);
        if (position > start)
            return std::min(position, start + newLength);
        return position;
    };
    std::vector<SelectionItem> items = selection.items();
    for (SelectionItem& item : items) {
        item.start = adjust(item.start);
        item.end = adjust(item.end);
    }
    selection.setItems(pieceTable_, std::move(items));
}

} // namespace velmo::model

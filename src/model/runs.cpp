#include "model/runs.h"

#include "core/editor_exception.h"
#include "model/chunked_string_builder.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/run_history_items.h"

namespace velmo::model {


void RunBase::setLength(int32_t length)
{
    if (length < 1)
        throw core::EditorException::invalidValue(length, "length");
    length_ = length;
}

PieceTable& TextRunBase::pieceTable() const
{
    return paragraph().pieceTable();
}

void TextRunBase::recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions)
{
    PieceTable& story = pieceTable();
    const RunIndex runIndex = story.calculateRunIndex(*this, RunIndex(-1));
    if (runIndex.value() < 0)
        throw core::EditorException::internalError();
    story.documentModel().history().execute(
        std::make_unique<CharacterPropertiesIndexChangedHistoryItem>(story, runIndex, oldIndex, newIndex, actions));
}

void TextRunBase::notifyCharacterPropertiesChanged(DocumentModelChangeActions actions)
{
    PieceTable& story = pieceTable();
    const RunIndex runIndex = story.calculateRunIndex(*this, RunIndex(-1));
    if (runIndex.value() >= 0)
        story.documentModel().applyChangesCore(story, actions, runIndex, runIndex);
}

bool RunBase::canJoinWith(const RunBase* next) const
{
    if (!next)
        throw core::EditorException::invalidValue("nil", "nextRun");
    return false;
}

bool TextRun::canJoinWith(const RunBase* next) const
{
    if (!next)
        throw core::EditorException::invalidValue("nil", "nextRun");
    if (next->kind() != RunKind::Text || &next->paragraph() != &paragraph())
        return false;
    if (startIndex() + length() != next->startIndex())
        return false;
    const auto& nextText = static_cast<const TextRun&>(*next);
    return nextText.characterStyleIndex() == characterStyleIndex() &&
           nextText.characterPropertiesIndex() == characterPropertiesIndex();
}

bool SpecialTextRun::canJoinWith(const RunBase* next) const
{
    return RunBase::canJoinWith(next);
}

void TextRun::appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const
{
    buffer.appendTo(target, startIndex(), length());
}

void ParagraphRun::appendPlainText(std::u16string& target, const ChunkedStringBuilder&) const
{
    target.append(u"\r\n");
}

void FieldCodeStartRun::appendPlainText(std::u16string& target, const ChunkedStringBuilder&) const
{
    target.push_back(u'\x13');
}

void FieldCodeEndRun::appendPlainText(std::u16string& target, const ChunkedStringBuilder&) const
{
    target.push_back(u'\x15');
}

void FieldResultEndRun::appendPlainText(std::u16string&, const ChunkedStringBuilder&) const {}
void SeparatorTextRun::appendPlainText(std::u16string&, const ChunkedStringBuilder&) const {}
// The visible text is computed by the layout engine; the model has none to offer.
void LayoutDependentTextRun::appendPlainText(std::u16string&, const ChunkedStringBuilder&) const {}
void InlineObjectRun::appendPlainText(std::u16string&, const ChunkedStringBuilder&) const {}

std::unique_ptr<RunBase> TextRun::clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const
{
    auto run = std::make_unique<TextRun>(paragraph, startIndex, length);
    run->takeFormattingFrom(*this);
    return run;
}
std::unique_ptr<RunBase> FootNoteRun::clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const
{
    auto run = std::make_unique<FootNoteRun>(paragraph, startIndex, length);
    run->takeFormattingFrom(*this);
    run->setNoteIndex(noteIndex());
    return run;
}
std::unique_ptr<RunBase> EndNoteRun::clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const
{
    auto run = std::make_unique<EndNoteRun>(paragraph, startIndex, length);
    run->takeFormattingFrom(*this);
    run->setNoteIndex(noteIndex());
    return run;
}

std::unique_ptr<TextRunBase> createRun(RunKind kind, Paragraph& paragraph, int32_t startIndex, int32_t length)
{
    switch (kind) {
    case RunKind::Text: return std::make_unique<TextRun>(paragraph, startIndex, length);
    case RunKind::Paragraph: return std::make_unique<ParagraphRun>(paragraph, startIndex, length);
    case RunKind::Section: return std::make_unique<SectionRun>(paragraph, startIndex, length);
    case RunKind::FieldCodeStart: return std::make_unique<FieldCodeStartRun>(paragraph, startIndex, length);
    case RunKind::FieldCodeEnd: return std::make_unique<FieldCodeEndRun>(paragraph, startIndex, length);
    case RunKind::FieldResultEnd: return std::make_unique<FieldResultEndRun>(paragraph, startIndex, length);
    case RunKind::FieldSymbol: return std::make_unique<FieldSymbolRun>(paragraph, startIndex, length);
    case RunKind::Separator: return std::make_unique<SeparatorTextRun>(paragraph, startIndex, length);
    case RunKind::LayoutDependentText: return std::make_unique<LayoutDependentTextRun>(paragraph, startIndex, length);
    case RunKind::FootNote: return std::make_unique<FootNoteRun>(paragraph, startIndex, length);
    case RunKind::EndNote: return std::make_unique<EndNoteRun>(paragraph, startIndex, length);
    case RunKind::InlinePicture: return std::make_unique<InlinePictureRun>(paragraph, startIndex, length);
    case RunKind::InlineCustomObject: return std::make_unique<InlineCustomObjectRun>(paragraph, startIndex, length);
    case RunKind::FloatingObjectAnchor: return std::make_unique<FloatingObjectAnchorRun>(paragraph, startIndex, length);
    }
    throw core::EditorException::internalError();
}

char16_t markCharacter(RunKind kind) noexcept
{
    switch (kind) {
    case RunKind::Text: return 0;
    case RunKind::FieldSymbol: return 0;
    case RunKind::Paragraph: return kParagraphMark;
    case RunKind::Section: return kSectionMark;
    case RunKind::FieldCodeStart: return kFieldCodeStartMark;
    case RunKind::FieldCodeEnd: return kFieldCodeEndMark;
    case RunKind::FieldResultEnd: return kFieldResultEndMark;
    case RunKind::Separator: return kSeparatorMark;
    case RunKind::LayoutDependentText: return kLayoutDependentMark;
    case RunKind::FootNote: return kLayoutDependentMark;
    case RunKind::EndNote: return kLayoutDependentMark;
    case RunKind::InlinePicture: return kInlineObjectMark;
    case RunKind::InlineCustomObject: return kInlineObjectMark;
    case RunKind::FloatingObjectAnchor: return kFloatingObjectAnchorMark;
    }
    return 0;
}

const char* runKindName(RunKind kind) noexcept
{
    switch (kind) {
    case RunKind::Text: return "TextRun";
    case RunKind::Paragraph: return "ParagraphRun";
    case RunKind::Section: return "SectionRun";
    case RunKind::FieldCodeStart: return "FieldCodeStartRun";
    case RunKind::FieldCodeEnd: return "FieldCodeEndRun";
    case RunKind::FieldResultEnd: return "FieldResultEndRun";
    case RunKind::FieldSymbol: return "FieldSymbolRun";
    case RunKind::Separator: return "SeparatorTextRun";
    case RunKind::LayoutDependentText: return "LayoutDependentTextRun";
    case RunKind::FootNote: return "FootNoteRun";
    case RunKind::EndNote: return "EndNoteRun";
    case RunKind::InlinePicture: return "InlinePictureRun";
    case RunKind::InlineCustomObject: return "InlineCustomObjectRun";
    case RunKind::FloatingObjectAnchor: return "FloatingObjectAnchorRun";
    }
    return "";
}

} // namespace velmo::model

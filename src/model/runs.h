#pragma once

#include "model/run_base.h"

namespace velmo::model {

class LayoutDependentFieldFormatting;

/// Characters stored in the text buffer for the mark and object runs.
inline constexpr char16_t kParagraphMark = u'\r';
inline constexpr char16_t kSectionMark = u'\x1D';
inline constexpr char16_t kFieldCodeStartMark = u'{';
inline constexpr char16_t kFieldCodeEndMark = u'}';
inline constexpr char16_t kFieldResultEndMark = u'\u203A';
inline constexpr char16_t kSeparatorMark = u'|';
inline constexpr char16_t kLayoutDependentMark = u'#';
inline constexpr char16_t kInlineObjectMark = u'\uFFFC';
inline constexpr char16_t kFloatingObjectAnchorMark = u'\b';
inline constexpr char16_t kLineBreak = u'\v';
inline constexpr char16_t kTab = u'\t';
/// A place where a word may be hyphenated; shown only when the line breaks there.
inline constexpr char16_t kOptionalHyphen = u'\x1F';
inline constexpr char16_t kNonBreakingHyphen = u'\u2011';

/// Gives run class `Derived` (deriving from `Base`) its clone(): a run of the same class and
/// formatting over another part of the buffer.
template <typename Derived, typename Base>
class ClonableRun : public Base {
public:
    using Base::Base;
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override
    {
        auto run = std::make_unique<Derived>(paragraph, startIndex, length);
        run->takeFormattingFrom(*this);
        return run;
    }
};

/// Ordinary text of any length; the only run class that joins with its neighbour.
class TextRun : public TextRunBase {
public:
    using TextRunBase::TextRunBase;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::Text; }
    [[nodiscard]] bool canJoinWith(const RunBase* next) const override;
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override;
};

/// The mark that ends a paragraph.
class ParagraphRun : public ClonableRun<ParagraphRun, TextRunBase> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::Paragraph; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

/// The mark that ends the last paragraph of every section but the last.
class SectionRun final : public ClonableRun<SectionRun, ParagraphRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::Section; }
};

/// A single stored character that stands for something else and never joins.
class SpecialTextRun : public TextRun {
public:
    using TextRun::TextRun;
    [[nodiscard]] bool canJoinWith(const RunBase* next) const override;
};

class FieldCodeRunBase : public SpecialTextRun {
public:
    using SpecialTextRun::SpecialTextRun;
    [[nodiscard]] bool isFieldRun() const noexcept override { return true; }
};

class FieldCodeStartRun final : public ClonableRun<FieldCodeStartRun, FieldCodeRunBase> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FieldCodeStart; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

class FieldCodeEndRun final : public ClonableRun<FieldCodeEndRun, FieldCodeRunBase> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FieldCodeEnd; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

class FieldResultEndRun final : public ClonableRun<FieldResultEndRun, SpecialTextRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FieldResultEnd; }
    [[nodiscard]] bool isFieldRun() const noexcept override { return true; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

/// A symbol inserted through a field; contributes its character.
class FieldSymbolRun final : public ClonableRun<FieldSymbolRun, SpecialTextRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FieldSymbol; }
};

class SeparatorTextRun final : public ClonableRun<SeparatorTextRun, SpecialTextRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::Separator; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

/// A run whose visible text is only known at layout time (page numbers, note marks).
class LayoutDependentTextRun : public ClonableRun<LayoutDependentTextRun, SpecialTextRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::LayoutDependentText; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
    /// For the result of a PAGE or NUMPAGES field: what the layout writes and how; null otherwise.
    [[nodiscard]] const std::shared_ptr<const LayoutDependentFieldFormatting>& fieldFormatting() const noexcept
    {
        return fieldFormatting_;
    }
    void setFieldFormatting(std::shared_ptr<const LayoutDependentFieldFormatting> formatting) noexcept
    {
        fieldFormatting_ = std::move(formatting);
    }

private:
    // Immutable and shared by the copies of the run.
    std::shared_ptr<const LayoutDependentFieldFormatting> fieldFormatting_;
};

/// A note's reference mark; `noteIndex` is the note's place in the document's footnotes or endnotes.
class FootNoteRunBase : public LayoutDependentTextRun {
public:
    using LayoutDependentTextRun::LayoutDependentTextRun;
    [[nodiscard]] int32_t noteIndex() const noexcept { return noteIndex_; }
    void setNoteIndex(int32_t index) noexcept { noteIndex_ = index; }

private:
    int32_t noteIndex_ = -1;
};

class FootNoteRun final : public FootNoteRunBase {
public:
    using FootNoteRunBase::FootNoteRunBase;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FootNote; }
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override;
};

class EndNoteRun final : public FootNoteRunBase {
public:
    using FootNoteRunBase::FootNoteRunBase;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::EndNote; }
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override;
};

/// An object placed in the text line (U+FFFC in the buffer); contributes no plain text.
class InlineObjectRun : public TextRunBase {
public:
    using TextRunBase::TextRunBase;
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
};

class InlineCustomObjectRun final : public ClonableRun<InlineCustomObjectRun, InlineObjectRun> {
public:
    using ClonableRun::ClonableRun;
    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::InlineCustomObject; }
};

// InlinePictureRun and FloatingObjectAnchorRun carry pictures and floating objects: see
// model/pictures/inline_picture_run.h and model/pictures/floating_object_anchor_run.h.

/// A new run of the given class with the given buffer range.
[[nodiscard]] std::unique_ptr<TextRunBase> createRun(RunKind kind, Paragraph& paragraph, int32_t startIndex, int32_t length);
/// The character a mark or object run stores; 0 for text runs, whose characters are their own.
[[nodiscard]] char16_t markCharacter(RunKind kind) noexcept;
[[nodiscard]] const char* runKindName(RunKind kind) noexcept;

} // namespace velmo::model

#pragma once

#include "model/properties_container.h"

#include <cstdint>
#include <memory>
#include <string>

namespace velmo::model {

class ChunkedStringBuilder;
class Paragraph;
class PieceTable;

/// The concrete run classes; a discriminator for code that must tell them apart cheaply.
enum class RunKind : uint8_t {
    Text,
    Paragraph,
    Section,
    FieldCodeStart,
    FieldCodeEnd,
    FieldResultEnd,
    FieldSymbol,
    Separator,
    LayoutDependentText,
    FootNote,
    EndNote,
    InlinePicture,
    InlineCustomObject,
    FloatingObjectAnchor,
};

/// A contiguous piece of one paragraph with one formatting. Its characters are the text buffer
/// units [startIndex, startIndex + length); a run carries no absolute position.
class RunBase {
public:
    RunBase(Paragraph& paragraph, int32_t startIndex, int32_t length) noexcept
        : paragraph_(&paragraph), startIndex_(startIndex), length_(length)
    {
    }
    virtual ~RunBase() = default;
    RunBase(const RunBase&) = delete;
    RunBase& operator=(const RunBase&) = delete;

    [[nodiscard]] virtual RunKind kind() const noexcept = 0;

    [[nodiscard]] Paragraph& paragraph() const noexcept { return *paragraph_; }
    void setParagraph(Paragraph& paragraph) noexcept { paragraph_ = &paragraph; }
    [[nodiscard]] int32_t startIndex() const noexcept { return startIndex_; }
    [[nodiscard]] int32_t length() const noexcept { return length_; }
    /// Throws the invalid-value error for a length below 1.
    void setLength(int32_t length);
    [[nodiscard]] int32_t fontCacheIndex() const noexcept { return fontCacheIndex_; }
    void setFontCacheIndex(int32_t index) noexcept { fontCacheIndex_ = index; }

    /// Whether `next` may be merged into this run; throws for a null `next`.
    [[nodiscard]] virtual bool canJoinWith(const RunBase* next) const;
    [[nodiscard]] virtual bool isFieldRun() const noexcept { return false; }
    /// A paragraph or section mark.
    [[nodiscard]] bool isMarkRun() const noexcept { return kind() == RunKind::Paragraph || kind() == RunKind::Section; }
    /// Appends what the run contributes to the story's plain text.
    virtual void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const = 0;
    /// A run of the same class over another part of the buffer, for splitting and copying.
    [[nodiscard]] virtual std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const = 0;
    /// Told when the run has entered its story's run array, and before it leaves it (objects that
    /// the run carries, such as a text box, follow it).
    virtual void afterRunInserted() {}
    virtual void beforeRunRemoved() {}

private:
    Paragraph* paragraph_; // the paragraph outlives its runs' membership in it
    int32_t startIndex_;
    int32_t length_;
    int32_t fontCacheIndex_ = 0;
};

/// A run with character formatting: every run class of a story derives from it.
class TextRunBase : public RunBase, public ICharacterPropertiesContainer {
public:
    using RunBase::RunBase;

    [[nodiscard]] PieceTable& pieceTable() const override;
    /// The run's own character formatting: an index into the document's character formatting cache.
    [[nodiscard]] int32_t characterPropertiesIndex() const noexcept override { return characterPropertiesIndex_; }
    void setCharacterPropertiesIndexInitial(int32_t index) override { setCharacterPropertiesIndex(index); }
    void recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) override;
    void notifyCharacterPropertiesChanged(DocumentModelChangeActions actions) override;
    void setCharacterPropertiesIndex(int32_t index) noexcept
    {
        characterPropertiesIndex_ = index;
        mergedCharacterFormattingCacheIndex_ = -1;
    }
    /// The effective formatting's index in the merged cache; -1 until computed.
    [[nodiscard]] int32_t mergedCharacterFormattingCacheIndex() const noexcept { return mergedCharacterFormattingCacheIndex_; }
    void setMergedCharacterFormattingCacheIndex(int32_t index) const noexcept { mergedCharacterFormattingCacheIndex_ = index; }
    [[nodiscard]] int32_t characterStyleIndex() const noexcept { return characterStyleIndex_; }
    void setCharacterStyleIndex(int32_t index) noexcept
    {
        characterStyleIndex_ = index;
        mergedCharacterFormattingCacheIndex_ = -1;
    }
    /// Re-points the run to another paragraph, whose style may give it another look.
    void moveToParagraph(Paragraph& paragraph) noexcept
    {
        setParagraph(paragraph);
        mergedCharacterFormattingCacheIndex_ = -1;
    }
    [[nodiscard]] uint16_t rowProcessingFlags() const noexcept { return rowProcessingFlags_; }
    void setRowProcessingFlags(uint16_t flags) noexcept { rowProcessingFlags_ = flags; }

    /// Takes over character style and formatting of another run.
    void takeFormattingFrom(const TextRunBase& source) noexcept
    {
        setCharacterPropertiesIndex(source.characterPropertiesIndex_);
        characterStyleIndex_ = source.characterStyleIndex_;
        setFontCacheIndex(source.fontCacheIndex());
    }

private:
    int32_t characterPropertiesIndex_ = 0;
    int32_t characterStyleIndex_ = 0;
    mutable int32_t mergedCharacterFormattingCacheIndex_ = -1; // reset whenever the run's formatting changes
    uint16_t rowProcessingFlags_ = 0; // owned by the layout engine
};

} // namespace velmo::model

#pragma once

#include "core/positions.h"
#include "model/character_formatting_info.h"
#include "model/character_properties.h"
#include "model/input_position.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <functional>
#include <string>

namespace velmo::model {

class DocumentModel;
class PieceTable;
class Section;

/// Changes one aspect of the character formatting of runs, and of the input position (the
/// formatting the next typed character gets).
class RunPropertyModifierBase {
public:
    virtual ~RunPropertyModifierBase() = default;
    /// Records the change of one run as an undoable step.
    virtual void modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const = 0;
    virtual void modifyInputPosition(InputPosition& position, DocumentModel& documentModel) const = 0;
};

/// A run modifier that sets one value; commands compare it with what runs show.
template <typename T>
class RunPropertyModifier : public RunPropertyModifierBase {
public:
    explicit RunPropertyModifier(T newValue) : newValue_(std::move(newValue)) {}
    [[nodiscard]] const T& newValue() const noexcept { return newValue_; }
    /// The value a run shows (its effective formatting).
    [[nodiscard]] virtual T runPropertyValue(const PieceTable& pieceTable, RunIndex runIndex) const = 0;
    [[nodiscard]] virtual T inputPositionPropertyValue(const InputPosition& position, const PieceTable& pieceTable) const = 0;
    [[nodiscard]] virtual bool isValueEquals(const T& left, const T& right) const { return left == right; }

private:
    T newValue_;
};

/// Sets one character property through its setter on the formatting and reads it back through
/// its getter on the effective formatting.
template <typename T, typename SetterArgument = T, typename GetterResult = T>
class CharacterPropertyModifier final : public RunPropertyModifier<T> {
public:
    using Setter = void (CharacterFormattingBase::*)(SetterArgument);
    using Getter = GetterResult (CharacterFormattingInfo::*)() const;

    CharacterPropertyModifier(T newValue, UsedCharacterFormattingOption option, Setter setter, Getter getter)
        : RunPropertyModifier<T>(std::move(newValue)), option_(option), setter_(setter), getter_(getter)
    {
    }

    void modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const override
    {
        CharacterProperties(pieceTable.run(runIndex)).change([this](CharacterFormattingBase& f) { apply(f); },
                                                             characterChangeActions(option_));
    }
    void modifyInputPosition(InputPosition& position, DocumentModel& documentModel) const override
    {
        auto& cache = documentModel.cache().characterFormattingCache();
        CharacterFormattingBase formatting = cache[position.characterPropertiesIndex];
        apply(formatting);
        position.characterPropertiesIndex = cache.add(formatting);
    }
    [[nodiscard]] T runPropertyValue(const PieceTable& pieceTable, RunIndex runIndex) const override
    {
        return (pieceTable.mergedCharacterFormatting(runIndex).*getter_)();
    }
    [[nodiscard]] T inputPositionPropertyValue(const InputPosition& position, const PieceTable& pieceTable) const override
    {
        return (pieceTable.mergedCharacterFormatting(position).*getter_)();
    }

private:
    void apply(CharacterFormattingBase& formatting) const { (formatting.*setter_)(this->newValue()); }

    UsedCharacterFormattingOption option_;
    Setter setter_;
    Getter getter_;
};

using FontNameModifier = CharacterPropertyModifier<std::u16string, std::u16string, const std::u16string&>;

[[nodiscard]] CharacterPropertyModifier<bool> fontBoldModifier(bool value);
[[nodiscard]] CharacterPropertyModifier<bool> fontItalicModifier(bool value);
[[nodiscard]] CharacterPropertyModifier<bool> hiddenModifier(bool value);
[[nodiscard]] CharacterPropertyModifier<bool> allCapsModifier(bool value);
[[nodiscard]] CharacterPropertyModifier<int32_t> doubleFontSizeModifier(int32_t value);
[[nodiscard]] FontNameModifier fontNameModifier(std::u16string value);
[[nodiscard]] CharacterPropertyModifier<UnderlineType> fontUnderlineTypeModifier(UnderlineType value);
[[nodiscard]] CharacterPropertyModifier<AlphaColor> foreColorModifier(AlphaColor value);

/// Gives runs a whole formatting (values and the set of properties they set).
class CharacterFormattingModifier final : public RunPropertyModifierBase {
public:
    explicit CharacterFormattingModifier(CharacterFormattingBase formatting) : formatting_(std::move(formatting)) {}
    void modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const override;
    void modifyInputPosition(InputPosition& position, DocumentModel& documentModel) const override;

private:
    CharacterFormattingBase formatting_;
};

/// Gives runs a character style.
class RunCharacterStyleModifier final : public RunPropertyModifier<int32_t> {
public:
    using RunPropertyModifier::RunPropertyModifier;
    void modifyTextRun(PieceTable& pieceTable, RunIndex runIndex) const override;
    void modifyInputPosition(InputPosition& position, DocumentModel& documentModel) const override;
    [[nodiscard]] int32_t runPropertyValue(const PieceTable& pieceTable, RunIndex runIndex) const override;
    [[nodiscard]] int32_t inputPositionPropertyValue(const InputPosition& position, const PieceTable& pieceTable) const override;
};

/// Changes one aspect of paragraphs.
class ParagraphPropertyModifierBase {
public:
    virtual ~ParagraphPropertyModifierBase() = default;
    virtual void modifyParagraph(PieceTable& pieceTable, ParagraphIndex paragraphIndex) const = 0;
};

/// Applies a change to the paragraph's own properties.
class ParagraphFormattingModifier final : public ParagraphPropertyModifierBase {
public:
    explicit ParagraphFormattingModifier(std::function<void(ParagraphProperties&)> change) : change_(std::move(change)) {}
    void modifyParagraph(PieceTable& pieceTable, ParagraphIndex paragraphIndex) const override;

private:
    std::function<void(ParagraphProperties&)> change_;
};

/// Gives paragraphs a paragraph style.
class ParagraphStyleModifier final : public ParagraphPropertyModifierBase {
public:
    explicit ParagraphStyleModifier(int32_t styleIndex) noexcept : styleIndex_(styleIndex) {}
    void modifyParagraph(PieceTable& pieceTable, ParagraphIndex paragraphIndex) const override;

private:
    int32_t styleIndex_;
};

/// Changes one section; receives the section and its index.
using SectionPropertyModifier = std::function<void(Section&, SectionIndex)>;

} // namespace velmo::model

#pragma once

#include "model/fields/calculated_field_value.h"
#include "model/fields/field_options.h"
#include "model/fields/instruction_collection.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::core {
class Culture;
}

namespace velmo::model {

class DocumentModel;
class Field;
class PieceTable;

/// What one calculation of a field works on.
struct FieldCalculationContext {
    PieceTable& pieceTable;
    Field& field;
    MailMergeDataMode mailMergeDataMode = MailMergeDataMode::None;
    UpdateFieldOperationType updateType = UpdateFieldOperationType::Normal;

    [[nodiscard]] DocumentModel& documentModel() const noexcept;
};

/// The calculation of one field type, built from the field's code for one calculation (or from
/// preparation to the end of an update pass). It reads the formatting switches every type has,
/// \@ (date-time picture), \# (numeric picture) and \* (general formats, every occurrence), and
/// leaves the value to the type.
class CalculatedFieldBase {
public:
    CalculatedFieldBase() = default;
    virtual ~CalculatedFieldBase();
    CalculatedFieldBase(const CalculatedFieldBase&) = delete;
    CalculatedFieldBase& operator=(const CalculatedFieldBase&) = delete;

    /// Takes over the parsed code and the document's date-time option.
    void initialize(const DocumentModel& documentModel, InstructionCollection instructions);
    [[nodiscard]] const InstructionCollection& instructions() const noexcept { return instructions_; }

    /// The name the registry knows the type by ("DATE").
    [[nodiscard]] virtual std::u16string_view fieldTypeName() const noexcept = 0;
    /// Whether the type's switch `key` (such as "\f") takes an argument.
    [[nodiscard]] virtual bool isSwitchWithArgument(std::u16string_view key) const noexcept;
    /// Whether the type does work before an update pass calculates it (beforeCalculateFields).
    [[nodiscard]] virtual bool canPrepare() const noexcept { return false; }
    virtual void beforeCalculateFields(PieceTable& pieceTable, Field& field);
    /// Whether the field is an ordinary field; only a field that is not (MERGEFIELD) shows its
    /// placeholder without mail-merge data.
    [[nodiscard]] virtual bool isOrdinaryField() const noexcept { return true; }
    /// Whether the field takes part in mail merge; its results carry MailMergeField.
    [[nodiscard]] virtual bool isMailMergeField() const noexcept { return false; }
    /// The update types in which the result may replace the old one.
    [[nodiscard]] virtual UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const;
    /// A further condition of the type on calculating in `updateType`.
    [[nodiscard]] virtual bool isUpdateAllowed(UpdateFieldOperationType updateType, const DocumentModel& documentModel) const;
    /// A locked field is calculated only when this says so.
    [[nodiscard]] virtual bool calculatesWhenLocked() const noexcept { return false; }

    /// The value that replaces the field's result: the type's value, formatted, or the
    /// placeholder "<<TYPE>>"; with the options for putting it in place.
    [[nodiscard]] virtual CalculatedFieldValue update(const FieldCalculationContext& context);

protected:
    [[nodiscard]] virtual CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) = 0;
    /// Turns the value into result text or content: the pictures, then the general formats.
    virtual void applyFieldFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const;
    /// Options the type adds to its results.
    [[nodiscard]] virtual FieldResultOptions typeResultOptions() const noexcept { return FieldResultOptions::None; }
    /// A date-time value without \@: the date as "M/d/yyyy" in the culture (or its short date).
    [[nodiscard]] virtual std::u16string defaultDateTimeText(const core::DateTime& value, const DocumentModel& documentModel) const;

    [[nodiscard]] const std::optional<std::u16string>& dateTimePicture() const noexcept { return dateTimePicture_; }
    [[nodiscard]] const std::optional<std::u16string>& numericPicture() const noexcept { return numericPicture_; }
    [[nodiscard]] const std::vector<std::u16string>& generalFormats() const noexcept { return generalFormats_; }
    [[nodiscard]] bool useCurrentCultureDateTimeFormat() const noexcept { return useCurrentCultureDateTimeFormat_; }
    /// The date-time and numeric pictures.
    void applyImplicitFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const;
    /// The \* formats other than the result keywords, in order.
    void applyGeneralFormats(CalculatedFieldValue& value, const DocumentModel& documentModel) const;
    /// Any value as text: numbers in the culture's form, dates in the default rendering, content
    /// as its text.
    [[nodiscard]] std::u16string valueText(const CalculatedFieldValue& value, const DocumentModel& documentModel) const;

private:
    /// MergeFormat or CharFormat from the last of the \* keywords that names one.
    [[nodiscard]] FieldResultOptions generalFormatResultOptions() const;

    InstructionCollection instructions_;
    std::optional<std::u16string> dateTimePicture_;
    std::optional<std::u16string> numericPicture_;
    std::vector<std::u16string> generalFormats_;
    bool useCurrentCultureDateTimeFormat_ = false;
};

/// The value as a number: a number, or text the culture reads as one.
[[nodiscard]] std::optional<double> fieldValueAsNumber(const CalculatedFieldValue& value, const core::Culture& culture);
/// Whether a \* keyword only says how the result is put in place (MERGEFORMAT, MERGEFORMATINET,
/// CHARFORMAT).
[[nodiscard]] bool isResultFormattingKeyword(std::u16string_view keyword) noexcept;

} // namespace velmo::model

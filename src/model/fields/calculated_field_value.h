#pragma once

#include "core/date_time.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace velmo::model {

class DocumentModel;

/// How a calculated result is put in place of the old one; a set of bits.
enum class FieldResultOptions : uint8_t {
    None = 0,
    MergeFormat = 1 << 0,               ///< the new result keeps the old one's formatting, position by position
    CharFormat = 1 << 1,                ///< the new result takes the formatting of the code
    MailMergeField = 1 << 2,            ///< a mail-merge field: final merging replaces the whole field
    KeepOldResult = 1 << 3,             ///< nothing changes
    HyperlinkField = 1 << 4,            ///< only the code view is switched off
    DoNotApplyFieldCodeFormatting = 1 << 5,
    SuppressUpdateInnerCodeFields = 1 << 6, ///< the fields in the new result are not updated
    SuppressMergeUseFirstParagraphStyle = 1 << 7,
};

[[nodiscard]] constexpr FieldResultOptions operator|(FieldResultOptions a, FieldResultOptions b) noexcept
{
    return static_cast<FieldResultOptions>(static_cast<uint8_t>(a) | static_cast<uint8_t>(b));
}
[[nodiscard]] constexpr bool hasOption(FieldResultOptions options, FieldResultOptions option) noexcept
{
    return (static_cast<uint8_t>(options) & static_cast<uint8_t>(option)) != 0;
}

/// The value one calculation gives a field: nothing, a text, a number, a date-time, or a fragment
/// of formatted content (a document model of its own), with the options for putting it in place.
/// The null value (nothing) empties the result; the invalid value makes the field show its
/// placeholder.
class CalculatedFieldValue {
public:
    using RawValue = std::variant<std::monostate, std::u16string, int64_t, double, core::DateTime, std::unique_ptr<DocumentModel>>;

    CalculatedFieldValue() noexcept;
    explicit CalculatedFieldValue(std::u16string text);
    explicit CalculatedFieldValue(int64_t value);
    explicit CalculatedFieldValue(double value);
    explicit CalculatedFieldValue(const core::DateTime& value);
    explicit CalculatedFieldValue(std::unique_ptr<DocumentModel> documentModel);
    ~CalculatedFieldValue();
    CalculatedFieldValue(CalculatedFieldValue&&) noexcept;
    CalculatedFieldValue& operator=(CalculatedFieldValue&&) noexcept;

    [[nodiscard]] static CalculatedFieldValue null() { return CalculatedFieldValue(); }
    [[nodiscard]] static CalculatedFieldValue invalid();

    [[nodiscard]] const RawValue& rawValue() const noexcept { return rawValue_; }
    [[nodiscard]] bool isNull() const noexcept { return std::holds_alternative<std::monostate>(rawValue_) && !invalid_; }
    [[nodiscard]] bool isInvalid() const noexcept { return invalid_; }
    /// Empty raw value (null or invalid) or empty text.
    [[nodiscard]] bool isEmpty() const noexcept;
    [[nodiscard]] bool isText() const noexcept { return std::holds_alternative<std::u16string>(rawValue_); }
    /// The text when the value is text; empty otherwise.
    [[nodiscard]] std::u16string_view text() const noexcept;
    /// Set when the value is a fragment of content.
    [[nodiscard]] DocumentModel* documentModel() const noexcept;
    /// Replaces the value by text (a fragment is released) and marks it converted.
    void setText(std::u16string text);
    [[nodiscard]] bool convertedToString() const noexcept { return convertedToString_; }

    [[nodiscard]] FieldResultOptions options() const noexcept { return options_; }
    void addOptions(FieldResultOptions options) noexcept { options_ = options_ | options; }
    [[nodiscard]] bool hasOption(FieldResultOptions option) const noexcept { return model::hasOption(options_, option); }

private:
    RawValue rawValue_;
    FieldResultOptions options_ = FieldResultOptions::None;
    bool invalid_ = false;
    bool convertedToString_ = false;
};

/// An update type, and a set of them.
enum class UpdateFieldOperationType : uint8_t {
    Load = 1 << 0,
    Copy = 1 << 1,
    Normal = 1 << 2,
    PasteFromIE = 1 << 3,
    CreateModelForExport = 1 << 4,
};

class UpdateFieldOperationTypes {
public:
    constexpr UpdateFieldOperationTypes() noexcept = default;
    constexpr UpdateFieldOperationTypes(std::initializer_list<UpdateFieldOperationType> types) noexcept
    {
        for (const UpdateFieldOperationType type : types)
            add(type);
    }
    [[nodiscard]] static constexpr UpdateFieldOperationTypes all() noexcept
    {
        UpdateFieldOperationTypes result;
        result.bits_ = 31;
        return result;
    }
    [[nodiscard]] constexpr bool contains(UpdateFieldOperationType type) const noexcept
    {
        return (bits_ & static_cast<uint8_t>(type)) != 0;
    }
    constexpr void add(UpdateFieldOperationType type) noexcept { bits_ |= static_cast<uint8_t>(type); }
    constexpr void remove(UpdateFieldOperationType type) noexcept { bits_ &= static_cast<uint8_t>(~static_cast<uint8_t>(type)); }
    constexpr bool operator==(const UpdateFieldOperationTypes&) const noexcept = default;

private:
    uint8_t bits_ = 0;
};

/// A calculated value with the update types in which it may replace the field's result.
struct CalculateFieldResult {
    CalculatedFieldValue value;
    UpdateFieldOperationTypes updateTypes;
};

enum class UpdateFieldResult : uint8_t { FieldNotUpdated, FieldUpdated, FieldUpdatedAndCodeDeleted };

struct UpdateFieldOperationResult {
    UpdateFieldResult result = UpdateFieldResult::FieldNotUpdated;
    bool suppressUpdateInnerCodeFields = false;
};

} // namespace velmo::model

#include "model/fields/calculated_field_base.h"

#include "core/culture.h"
#include "model/document_model.h"
#include "model/fields/date_time_field_formatter.h"
#include "model/fields/field_format_error.h"
#include "model/fields/general_field_formatter.h"
#include "model/fields/numeric_field_formatter.h"
#include "model/piece_table.h"
#include "model/runs.h"

namespace velmo::model {

namespace {

std::u16string upperAscii(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& character : result) {
        if (character >= u'a' && character <= u'z')
            character = static_cast<char16_t>(character - u'a' + u'A');
    }
    return result;
}

bool isTextFormat(GeneralFieldFormat format) noexcept
{
    return !GeneralFieldFormatter::isNumberFormat(format);
}

/// Changes the text of every text run of a content fragment in `format`, keeping the runs'
/// formatting. Word-wise formats look at the whole text, so that words split over runs count once.
void formatFragmentText(DocumentModel& fragment, GeneralFieldFormat format, const GeneralFieldFormatter& formatter)
{
    PieceTable& story = fragment.mainPieceTable();
    const std::u16string whole = story.storyText();
    const std::u16string mapped = formatter.formatText(whole, format);
    const bool sameLength = mapped.size() == whole.size();
    for (RunIndex runIndex(story.runCount() - 1); runIndex.value() >= 0; --runIndex) {
        const TextRunBase& run = story.run(runIndex);
        if (run.kind() != RunKind::Text)
            continue;
        const DocumentLogPosition position = story.runLogPosition(runIndex);
        const std::u16string text = story.runText(runIndex);
        const std::u16string changed = sameLength ? mapped.substr(static_cast<size_t>(position.value()), text.size())
                                                  : formatter.formatText(text, format);
        if (changed == text)
            continue;
        InputPosition input = story.createInputPosition(position);
        input.characterPropertiesIndex = run.characterPropertiesIndex();
        input.characterStyleIndex = run.characterStyleIndex();
        fragment.resetMerging();
        story.insertText(input, changed);
        story.deleteContent(position + static_cast<int32_t>(changed.size()), static_cast<int32_t>(text.size()));
    }
}

} // namespace

DocumentModel& FieldCalculationContext::documentModel() const noexcept
{
    return pieceTable.documentModel();
}

CalculatedFieldBase::~CalculatedFieldBase() = default;

void CalculatedFieldBase::initialize(const DocumentModel& documentModel, InstructionCollection instructions)
{
    instructions_ = std::move(instructions);
    dateTimePicture_ = instructions_.stringValue(u"\\@");
    numericPicture_ = instructions_.stringValue(u"\\#");
    generalFormats_ = instructions_.stringValues(u"\\*");
    useCurrentCultureDateTimeFormat_ = documentModel.fieldOptions().useCurrentCultureDateTimeFormat;
}

bool CalculatedFieldBase::isSwitchWithArgument(std::u16string_view) const noexcept
{
    return false;
}

void CalculatedFieldBase::beforeCalculateFields(PieceTable&, Field&) {}

UpdateFieldOperationTypes CalculatedFieldBase::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return {UpdateFieldOperationType::Normal};
}

bool CalculatedFieldBase::isUpdateAllowed(UpdateFieldOperationType, const DocumentModel&) const
{
    return true;
}

CalculatedFieldValue CalculatedFieldBase::update(const FieldCalculationContext& context)
{
    const DocumentModel& documentModel = context.documentModel();
    const IMailMergeDataService* mailMerge = documentModel.fieldServices().mailMergeDataService;
    bool placeholder = !isOrdinaryField() && (!mailMerge || !mailMerge->hasBoundData());
    CalculatedFieldValue value;
    if (!placeholder) {
        value = getCalculatedValue(context);
        placeholder = value.isInvalid();
        if (!placeholder)
            applyFieldFormatting(value, documentModel);
    }
    if (placeholder)
        value = CalculatedFieldValue(u"<<" + std::u16string(fieldTypeName()) + u">>");
    value.addOptions(generalFormatResultOptions() | typeResultOptions());
    if (isMailMergeField())
        value.addOptions(FieldResultOptions::MailMergeField);
    return value;
}

FieldResultOptions CalculatedFieldBase::generalFormatResultOptions() const
{
    for (auto keyword = generalFormats_.rbegin(); keyword != generalFormats_.rend(); ++keyword) {
        const std::u16string upper = upperAscii(*keyword);
        if (upper == u"MERGEFORMAT" || upper == u"MERGEFORMATINET")
            return FieldResultOptions::MergeFormat;
        if (upper == u"CHARFORMAT")
            return FieldResultOptions::CharFormat;
    }
    return FieldResultOptions::None;
}

void CalculatedFieldBase::applyFieldFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const
{
    applyImplicitFormatting(value, documentModel);
    applyGeneralFormats(value, documentModel);
    if (!value.isText() && !value.documentModel())
        value.setText(valueText(value, documentModel));
}

void CalculatedFieldBase::applyImplicitFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const
{
    const core::Culture& culture = fieldCulture(documentModel);
    const auto* dateTime = std::get_if<core::DateTime>(&value.rawValue());
    if (dateTime && dateTimePicture_) {
        value.setText(DateTimeFieldFormatter(culture).format(*dateTime, *dateTimePicture_));
        return;
    }
    if (dateTime) {
        value.setText(defaultDateTimeText(*dateTime, documentModel));
        return;
    }
    if (!numericPicture_)
        return;
    if (const std::optional<double> number = fieldValueAsNumber(value, culture)) {
        const NumericFieldFormatter formatter(culture, documentModel.fieldServices().mailMergeCustomSeparators);
        value.setText(formatter.format(*number, *numericPicture_));
    }
}

void CalculatedFieldBase::applyGeneralFormats(CalculatedFieldValue& value, const DocumentModel& documentModel) const
{
    const core::Culture& culture = fieldCulture(documentModel);
    const GeneralFieldFormatter formatter(culture);
    for (const std::u16string& keyword : generalFormats_) {
        if (isResultFormattingKeyword(keyword))
            continue;
        const std::optional<GeneralFieldFormat> format = GeneralFieldFormatter::findFormat(keyword);
        if (!format)
            throw FieldFormatError::unknownSwitchArgument();
        if (DocumentModel* fragment = value.documentModel(); fragment && isTextFormat(*format)) {
            formatFragmentText(*fragment, *format, formatter);
            continue;
        }
        const auto* number = std::get_if<double>(&value.rawValue());
        const auto* integer = std::get_if<int64_t>(&value.rawValue());
        if (GeneralFieldFormatter::isNumberFormat(*format) && (number || integer))
            value.setText(formatter.formatNumber(number ? *number : static_cast<double>(*integer), *format));
        else
            value.setText(formatter.formatText(valueText(value, documentModel), *format));
    }
}

std::u16string CalculatedFieldBase::defaultDateTimeText(const core::DateTime& value, const DocumentModel& documentModel) const
{
    const core::Culture& culture = fieldCulture(documentModel);
    const DateTimeFieldFormatter formatter(culture);
    if (useCurrentCultureDateTimeFormat_)
        return formatter.format(value, culture.shortDatePattern());
    return formatter.formatDefaultDate(value);
}

std::u16string CalculatedFieldBase::valueText(const CalculatedFieldValue& value, const DocumentModel& documentModel) const
{
    const core::Culture& culture = fieldCulture(documentModel);
    const CalculatedFieldValue::RawValue& raw = value.rawValue();
    if (const auto* text = std::get_if<std::u16string>(&raw))
        return *text;
    if (const auto* integer = std::get_if<int64_t>(&raw))
        return culture.formatNumber(static_cast<double>(*integer));
    if (const auto* number = std::get_if<double>(&raw))
        return culture.formatNumber(*number);
    if (const auto* dateTime = std::get_if<core::DateTime>(&raw))
        return defaultDateTimeText(*dateTime, documentModel);
    if (const DocumentModel* fragment = value.documentModel()) {
        const PieceTable& story = fragment->mainPieceTable();
        return visibleText(story, RunIndex(0), RunIndex(story.runCount() - 2));
    }
    return {};
}

std::optional<double> fieldValueAsNumber(const CalculatedFieldValue& value, const core::Culture& culture)
{
    const CalculatedFieldValue::RawValue& raw = value.rawValue();
    if (const auto* number = std::get_if<double>(&raw))
        return *number;
    if (const auto* integer = std::get_if<int64_t>(&raw))
        return static_cast<double>(*integer);
    if (const auto* text = std::get_if<std::u16string>(&raw); text && !text->empty())
        return culture.parseNumber(*text);
    return std::nullopt;
}

bool isResultFormattingKeyword(std::u16string_view keyword) noexcept
{
    const std::u16string upper = upperAscii(keyword);
    return upper == u"MERGEFORMAT" || upper == u"MERGEFORMATINET" || upper == u"CHARFORMAT";
}

} // namespace velmo::model

#include "model/fields/hyperlink_field.h"

#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/hyperlinks/hyperlink_uri_helper.h"
#include "model/piece_table.h"

namespace velmo::model {

bool HyperlinkField::isSwitchWithArgument(std::u16string_view key) const noexcept
{
    return key == u"\\l" || key == u"\\o" || key == u"\\t";
}

UpdateFieldOperationTypes HyperlinkField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return UpdateFieldOperationTypes::all();
}

HyperlinkInfo HyperlinkField::hyperlinkInfo() const
{
    const InstructionCollection& code = instructions();
    HyperlinkInfo info;
    info.navigateUri = HyperlinkUriHelper::convertFromHyperlinkUri(code.argumentText(0));
    info.anchor = code.stringValue(u"\\l").value_or(u"");
    info.target = code.stringValue(u"\\t").value_or(u"");
    info.toolTip = code.stringValue(u"\\o").value_or(u"");
    return info;
}

CalculatedFieldValue HyperlinkField::update(const FieldCalculationContext& context)
{
    CalculatedFieldValue value;
    if (!isCapabilityAllowed(context.documentModel().capabilities().hyperlinks)) {
        value.addOptions(FieldResultOptions::KeepOldResult);
        return value;
    }
    PieceTable& story = context.pieceTable;
    Field& field = context.field;
    const HyperlinkInfo info = hyperlinkInfo();
    if (!story.isHyperlinkField(field.index()))
        story.insertHyperlinkInfo(field.index(), info);
    else if (story.hyperlinkInfo(field.index()) != info)
        story.replaceHyperlinkInfo(field.index(), info);
    if (field.resultLength() == 0) {
        const std::u16string& text = info.navigateUri.empty() ? info.anchor : info.navigateUri;
        if (!text.empty())
            story.insertText(field.resultStartLogPosition(), text);
    }
    return getCalculatedValue(context);
}

CalculatedFieldValue HyperlinkField::getCalculatedValue(const FieldCalculationContext&)
{
    // The result text stays as it is: the link is the record, not the text.
    CalculatedFieldValue value;
    value.addOptions(FieldResultOptions::HyperlinkField);
    return value;
}

} // namespace velmo::model

#include "model/hyperlinks/hyperlink_instruction_builder.h"

#include "model/hyperlinks/hyperlink_uri_helper.h"

#include <utility>

namespace velmo::model {

std::u16string HyperlinkInstructionBuilder::fieldInstruction() const
{
    std::u16string result = u"HYPERLINK";
    const std::u16string address = HyperlinkUriHelper::convertToHyperlinkUri(info_.navigateUri);
    if (!address.empty())
        result += u" \"" + address + u"\"";
    // The tool tip's backslashes stay as typed; its quotes are escaped.
    const std::u16string toolTip = HyperlinkUriHelper::prepareHyperlinkTooltipQuotes(info_.toolTip);
    const std::pair<char16_t, const std::u16string*> switches[] = {{u'l', &info_.anchor}, {u'o', &toolTip}, {u't', &info_.target}};
    for (const auto& [name, value] : switches) {
        if (!value->empty())
            result += std::u16string(u" \\") + name + u" \"" + *value + u"\"";
    }
    return result;
}

} // namespace velmo::model

#include "model/hyperlinks/hyperlink_info.h"

namespace velmo::model {

std::u16string HyperlinkInfo::createUrl() const
{
    if (navigateUri.empty())
        return {};
    if (anchor.empty())
        return navigateUri;
    return navigateUri + u"#" + anchor;
}

std::u16string HyperlinkInfo::actualToolTip() const
{
    if (!toolTip.empty())
        return toolTip;
    if (navigateUri.empty() && !anchor.empty() && anchor.front() == u'_')
        return u"Current Document";
    const std::u16string text = navigateUri + u"#" + anchor;
    const size_t first = text.find_first_not_of(u'#');
    if (first == std::u16string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u'#') - first + 1);
}

} // namespace velmo::model

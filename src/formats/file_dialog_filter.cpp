#include "formats/file_dialog_filter.h"

#include <algorithm>

namespace velmo::formats {

std::u16string FileDialogFilter::render() const
{
    std::u16string patterns;
    for (const std::u16string& extension : extensions) {
        if (!patterns.empty())
            patterns += u"; ";
        patterns += u"*." + extension;
    }
    return description + u" (" + patterns + u")|" + patterns;
}

bool FileDialogFilter::hasExtension(std::u16string_view extension) const
{
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

std::u16string renderFilters(const std::vector<FileDialogFilter>& filters)
{
    std::u16string result;
    for (const FileDialogFilter& filter : filters) {
        if (!result.empty())
            result += u"|";
        result += filter.render();
    }
    return result;
}

} // namespace velmo::formats

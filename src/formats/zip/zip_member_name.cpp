#include "formats/zip/zip_member_name.h"

#include <algorithm>
#include <vector>

namespace velmo::formats {

namespace {

char asciiLower(char c) noexcept
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string normalizeMemberName(std::string_view name)
{
    std::string result(name);
    std::replace(result.begin(), result.end(), '\\', '/');
    if (!result.empty() && result.front() == '/')
        result.erase(0, 1);
    return result;
}

std::string resolveMemberName(std::string_view name)
{
    const std::string normalized = normalizeMemberName(name);
    std::vector<std::string_view> segments;
    std::string_view rest = normalized;
    while (true) {
        const size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        if (segment == ".." && !segments.empty() && segments.back() != "..")
            segments.pop_back();
        else
            segments.push_back(segment);
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    std::string result;
    result.reserve(normalized.size());
    for (size_t index = 0; index < segments.size(); ++index) {
        if (index > 0)
            result += '/';
        result += segments[index];
    }
    return result;
}

bool memberNamesEqual(std::string_view a, std::string_view b) noexcept
{
    return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace velmo::formats

#include "model/hyperlinks/hyperlink_uri_helper.h"

#include "core/unicode_text.h"

#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace velmo::model {

namespace {

/// Longer texts (in UTF-8 bytes) match no address kind. The regular-expression engine recurses
/// once per character, a few hundred bytes of stack each, and no address anyone types comes near
/// this.
constexpr size_t kMaxAddressLength = 2048;

// The address kinds, each matched against the whole text (UTF-8: no pattern looks at a byte
// above 0x7F, so multi-byte characters pass as the ordinary characters they are).
const std::regex& fileUriPattern()
{
    static const std::regex pattern(R"(file:[\\/]*(([A-Za-z]:[\\/]+)?[^:*?<>|]+))");
    return pattern; // 1: the path, 2: its drive root
}

const std::regex& urlPattern()
{
    static const std::regex pattern(R"(((http|https|ftp|news):[\\/]*)([a-zA-Z0-9.-]+(\.[a-zA-Z]{2,3})?(:\d{1,5})?([\\/]\S*)?))");
    return pattern; // 2: the scheme, 3: the rest
}

const std::regex& localPathPattern()
{
    static const std::regex pattern(R"([A-Za-z]:[\\/]+[^:*?<>|]*)");
    return pattern;
}

const std::regex& remotePathPattern()
{
    static const std::regex pattern(R"(\\{2,}([^:*?<>|]+))");
    return pattern; // 1: the path after the leading backslashes
}

const std::regex& mailPattern()
{
    static const std::regex pattern(R"(mailto:(\S+))");
    return pattern;
}

const std::regex& relativePathPattern()
{
    static const std::regex pattern(R"((?:\.{1,2}[\\/])*[^:*?<>|.\\/][^:*?<>|]*)");
    return pattern;
}

/// A whole-text match, never attempted on text longer than an address can be.
bool matches(const std::string& text, const std::regex& pattern, std::smatch* match = nullptr)
{
    if (text.size() > kMaxAddressLength)
        return false;
    std::smatch ignored;
    return std::regex_match(text, match ? *match : ignored, pattern);
}

bool isSeparator(char character) noexcept
{
    return character == '\\' || character == '/';
}

/// The parts between runs of slashes and backslashes; empty parts are dropped.
std::vector<std::string> splitPath(std::string_view path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < path.size()) {
        while (start < path.size() && isSeparator(path[start]))
            ++start;
        size_t end = start;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end;
    }
    return parts;
}

std::string joinPath(const std::vector<std::string>& parts)
{
    std::string result;
    for (size_t index = 0; index < parts.size(); ++index) {
        if (index > 0)
            result += '\\';
        result += parts[index];
    }
    return result;
}

/// Single backslashes between the parts; a bare drive keeps a backslash after it.
std::string normalizeLocalPath(std::string_view path)
{
    const std::vector<std::string> parts = splitPath(path);
    return parts.size() == 1 ? parts.front() + "\\" : joinPath(parts);
}

std::u16string replaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to)
{
    std::u16string result;
    size_t start = 0;
    for (size_t found = text.find(from); found != std::u16string_view::npos; found = text.find(from, start)) {
        result.append(text.substr(start, found - start)).append(to);
        start = found + from.size();
    }
    return result.append(text.substr(start));
}

/// Every run of backslashes made one forward slash.
std::string backslashRunsToSlashes(std::string_view text)
{
    std::string result;
    for (size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '\\') {
            result += text[index];
            continue;
        }
        result += '/';
        while (index + 1 < text.size() && text[index + 1] == '\\')
            ++index;
    }
    return result;
}

/// The normal form of an address of a known kind; none for anything else.
std::optional<std::string> normalize(const std::string& text)
{
    std::smatch match;
    if (matches(text, fileUriPattern(), &match)) {
        const std::string path = joinPath(splitPath(match.str(1)));
        return match[2].matched ? path : "\\\\" + path;
    }
    if (matches(text, urlPattern(), &match))
        return match.str(2) + "://" + backslashRunsToSlashes(match.str(3));
    if (matches(text, localPathPattern()))
        return normalizeLocalPath(text);
    if (matches(text, remotePathPattern(), &match))
        return "\\\\" + joinPath(splitPath(match.str(1)));
    if (matches(text, mailPattern(), &match))
        return "mailto:" + match.str(1);
    if (matches(text, relativePathPattern())) {
        std::vector<std::string> parts = splitPath(text);
        std::erase(parts, ".");
        return joinPath(parts);
    }
    return std::nullopt;
}

} // namespace

std::u16string HyperlinkUriHelper::convertToHyperlinkUri(std::u16string_view uri)
{
    return replaceAll(uri, u"\\", u"\\\\");
}

std::u16string HyperlinkUriHelper::convertFromHyperlinkUri(std::u16string_view uri)
{
    return replaceAll(uri, u"\\\\", u"\\");
}

std::u16string HyperlinkUriHelper::prepareHyperlinkTooltipQuotes(std::u16string_view toolTip)
{
    return replaceAll(toolTip, u"\"", u"\\\"");
}

std::u16string HyperlinkUriHelper::ensureUriIsValid(std::u16string_view uri)
{
    const std::optional<std::string> normalized = normalize(core::utf16ToUtf8(uri));
    return normalized ? core::utf8ToUtf16(*normalized) : std::u16string(uri);
}

bool HyperlinkUriHelper::isRelativePath(std::u16string_view uri)
{
    return matches(core::utf16ToUtf8(uri), relativePathPattern());
}

std::u16string HyperlinkUriHelper::convertRelativePathToAbsolute(std::u16string_view path, std::u16string_view baseFile)
{
    const std::string base = core::utf16ToUtf8(baseFile);
    if (base.find_first_not_of(" \t\r\n") == std::string::npos)
        return std::u16string(path);
    std::vector<std::string> parts = splitPath(base);
    if (!parts.empty())
        parts.pop_back(); // the file name
    for (std::string& part : splitPath(core::utf16ToUtf8(path)))
        parts.push_back(std::move(part));
    std::vector<std::string> resolved;
    for (std::string& part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(std::move(part));
    }
    // A base on a network share keeps its leading backslashes.
    const bool remote = matches(base, remotePathPattern());
    return core::utf8ToUtf16((remote ? "\\\\" : "") + normalizeLocalPath(joinPath(resolved)));
}

std::u16string HyperlinkUriHelper::convertToUrl(std::u16string_view uri)
{
    const std::string text = core::utf16ToUtf8(uri);
    std::smatch match;
    if (matches(text, localPathPattern()))
        return core::utf8ToUtf16("file:///" + backslashRunsToSlashes(text));
    if (matches(text, remotePathPattern(), &match))
        return core::utf8ToUtf16("file://" + backslashRunsToSlashes(match.str(1)));
    return std::u16string(uri);
}

} // namespace velmo::model

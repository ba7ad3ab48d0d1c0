#pragma once

#include <string>
#include <string_view>

namespace velmo::model {

/// Normal forms of the addresses users type for links, and the escaping of addresses and tips
/// in HYPERLINK field codes. Paths are written with backslashes.
class HyperlinkUriHelper {
public:
    /// Every backslash doubled, for the quoted address argument of a field code.
    [[nodiscard]] static std::u16string convertToHyperlinkUri(std::u16string_view uri);
    /// Every pair of backslashes made one: the address as a field code argument gives it.
    [[nodiscard]] static std::u16string convertFromHyperlinkUri(std::u16string_view uri);
    /// A tool tip ready for a quoted field code argument: a double quote becomes \".
    [[nodiscard]] static std::u16string prepareHyperlinkTooltipQuotes(std::u16string_view toolTip);

    /// The address in its normal form: file URIs become paths, web and FTP addresses get "//"
    /// and forward slashes, local, network and relative paths single backslashes; anything else
    /// (also any text longer than 2048 UTF-8 bytes) stays as it is.
    [[nodiscard]] static std::u16string ensureUriIsValid(std::u16string_view uri);
    [[nodiscard]] static bool isRelativePath(std::u16string_view uri);
    /// `path` taken relative to the folder of `baseFile`, ".." and "." resolved; unchanged when
    /// there is no base file.
    [[nodiscard]] static std::u16string convertRelativePathToAbsolute(std::u16string_view path, std::u16string_view baseFile);
    /// Local and network paths as "file:" URLs; anything else unchanged.
    [[nodiscard]] static std::u16string convertToUrl(std::u16string_view uri);
};

} // namespace velmo::model

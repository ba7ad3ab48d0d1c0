#pragma once

#include <string>
#include <string_view>

namespace velmo::platform {

/// Names of the clipboard formats the editor exchanges.
namespace clipboard_format {
inline constexpr std::string_view kRichText = "Rich Text Format";
inline constexpr std::string_view kHtml = "HTML Format";
inline constexpr std::string_view kUnicodeText = "UnicodeText";
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kOemText = "OEMText";
inline constexpr std::string_view kXmlSpreadsheet = "XML Spreadsheet";
inline constexpr std::string_view kSourceUrl = "msSourceUrl";
} // namespace clipboard_format

/// The system clipboard as the engine sees it: one item of data per format name. "UnicodeText"
/// holds text; the others hold bytes ("Text" in the ANSI code page, "OEMText" in the OEM one).
class IClipboard {
public:
    virtual ~IClipboard() = default;
    [[nodiscard]] virtual bool containsData(std::string_view format) const = 0;
    /// The bytes stored for a format; empty when there are none.
    [[nodiscard]] virtual std::string data(std::string_view format) const = 0;
    /// The text stored for "UnicodeText"; empty when there is none.
    [[nodiscard]] virtual std::u16string text(std::string_view format) const = 0;
    /// Replaces everything on the clipboard.
    virtual void clear() = 0;
    virtual void setData(std::string_view format, std::string bytes) = 0;
    virtual void setText(std::string_view format, std::u16string text) = 0;
};

} // namespace velmo::platform

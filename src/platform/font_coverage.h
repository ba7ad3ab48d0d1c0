#pragma once

#include <string>
#include <string_view>

namespace velmo::platform {

/// Which characters a font can show, and which font can stand in for it when it cannot.
class IFontCoverage {
public:
    virtual ~IFontCoverage() = default;
    [[nodiscard]] virtual bool containsCharacter(std::u16string_view fontName, char32_t character) const = 0;
    /// A font that shows `character` in place of `fontName`; empty when there is none.
    [[nodiscard]] virtual std::u16string substituteFont(std::u16string_view fontName, char32_t character) const = 0;
};

} // namespace velmo::platform

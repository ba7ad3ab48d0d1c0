#pragma once

#include <unordered_map>

namespace velmo::model {

class CharacterStyle;
class ParagraphStyle;

/// Pairs of a paragraph style and the character style that carries the same character formatting
/// for use on part of a paragraph.
class StyleLinkManager {
public:
    /// Links the two when neither is linked yet; fails for a deleted style.
    void createLink(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle);
    /// Fails with the invalid-value error naming "ParagraphStyle" when there is no such link.
    void deleteLink(ParagraphStyle& paragraphStyle);
    void deleteLink(CharacterStyle& characterStyle);
    [[nodiscard]] CharacterStyle* linkedCharacterStyle(const ParagraphStyle& paragraphStyle) const noexcept;
    [[nodiscard]] ParagraphStyle* linkedParagraphStyle(const CharacterStyle& characterStyle) const noexcept;
    void clear() noexcept;

    // Steps used by history items.
    void addLinkCore(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle);
    void removeLinkCore(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle);

private:
    std::unordered_map<const ParagraphStyle*, CharacterStyle*> characterByParagraph_;
    std::unordered_map<const CharacterStyle*, ParagraphStyle*> paragraphByCharacter_;
};

} // namespace velmo::model

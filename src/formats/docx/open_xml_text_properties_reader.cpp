// Run and paragraph property elements: "rPr", "pPr" and their parts.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_property_reader.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace velmo::formats {

namespace {

using model::AlphaColor;
using model::opaqueColor;

struct HighlightColor {
    std::string_view name;
    AlphaColor color;
};

constexpr std::array<HighlightColor, 16> kHighlightColors{{
    {"black", opaqueColor(0, 0, 0)},         {"blue", opaqueColor(0, 0, 255)},
    {"cyan", opaqueColor(0, 255, 255)},      {"green", opaqueColor(0, 255, 0)},
    {"magenta", opaqueColor(255, 0, 255)},   {"red", opaqueColor(255, 0, 0)},
    {"yellow", opaqueColor(255, 255, 0)},    {"white", opaqueColor(255, 255, 255)},
    {"darkBlue", opaqueColor(0, 0, 128)},    {"darkCyan", opaqueColor(0, 128, 128)},
    {"darkGreen", opaqueColor(0, 128, 0)},   {"darkMagenta", opaqueColor(128, 0, 128)},
    {"darkRed", opaqueColor(128, 0, 0)},     {"darkYellow", opaqueColor(128, 128, 0)},
    {"darkGray", opaqueColor(128, 128, 128)}, {"lightGray", opaqueColor(192, 192, 192)},
}};

/// Lengths read from documents are kept within a range the layout can work with.
constexpr int32_t kMaxLength = 31680 * 4; // four 22-inch pages

int32_t clampLength(int32_t value, int32_t minimum = -kMaxLength) noexcept
{
    return std::clamp(value, minimum, kMaxLength);
}

} // namespace

AlphaColor shadingResult(model::ShadingPattern pattern, AlphaColor fill, AlphaColor color) noexcept
{
    const int32_t share = shadingPatternShare(pattern);
    const bool fillIsWhiteOrNone = !model::isValidColor(fill) || (fill & 0xFFFFFF) == 0xFFFFFF;
    if (pattern != model::ShadingPattern::Clear && pattern != model::ShadingPattern::Nil && share > 0 && fillIsWhiteOrNone &&
        !model::isValidColor(color)) {
        const auto grey = static_cast<uint8_t>((1000 - share) * 255 / 1000);
        return opaqueColor(grey, grey, grey);
    }
    return pattern == model::ShadingPattern::Solid ? color : fill;
}

void OpenXmlPropertyReader::readShading(const XmlReader& reader, AlphaColor& background, model::ShadingPattern* pattern) const
{
    model::ShadingPattern value = model::ShadingPattern::Clear;
    if (const std::optional<std::string_view> word = OpenXmlAttributes::text(reader, "val")) {
        if (const std::optional<model::ShadingPattern> known = shadingPatternOf(trimBlanks(*word)))
            value = *known;
        else
            attributes_.invalidValue();
    }
    const AlphaColor fill = attributes_.color(reader, "fill").value_or(model::kEmptyColor);
    const AlphaColor color = attributes_.color(reader, "color").value_or(model::kEmptyColor);
    background = shadingResult(value, fill, color);
    if (pattern)
        *pattern = value;
}

void OpenXmlPropertyReader::readRunProperties(XmlReader& reader, model::CharacterFormattingBase& formatting, int32_t* characterStyleIndex) const
{
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        using Toggle = void (model::CharacterFormattingBase::*)(bool);
        static constexpr std::pair<std::string_view, Toggle> kToggles[] = {
            {"b", &model::CharacterFormattingBase::setFontBold},     {"i", &model::CharacterFormattingBase::setFontItalic},
            {"caps", &model::CharacterFormattingBase::setAllCaps},   {"vanish", &model::CharacterFormattingBase::setHidden},
            {"noProof", &model::CharacterFormattingBase::setNoProof},
        };
        for (const auto& [toggleName, setter] : kToggles) {
            if (name == toggleName) {
                if (const std::optional<bool> value = attributes_.toggle(reader))
                    (formatting.*setter)(*value);
                reader.skipSubtree();
                return;
            }
        }
        if (name == "strike" || name == "dstrike") {
            if (const std::optional<bool> value = attributes_.toggle(reader)) {
                const model::StrikeoutType on = name == "strike" ? model::StrikeoutType::Single : model::StrikeoutType::Double;
                formatting.setFontStrikeoutType(*value ? on : model::StrikeoutType::None);
            }
        } else if (name == "color") {
            if (const std::optional<AlphaColor> color = attributes_.color(reader, "val"))
                formatting.setForeColor(*color);
        } else if (name == "highlight") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or(""));
            const auto found = std::find_if(kHighlightColors.begin(), kHighlightColors.end(),
                                            [&](const HighlightColor& entry) { return entry.name == word; });
            if (found != kHighlightColors.end())
                formatting.setBackColor(found->color);
        } else if (name == "shd") {
            const std::string_view pattern = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("clear"));
            if ((pattern == "clear" || pattern == "nil") && !formatting.uses(model::UsedCharacterFormattingOption::UseBackColor)) {
                if (const std::optional<AlphaColor> fill = attributes_.color(reader, "fill"); fill && model::isValidColor(*fill))
                    formatting.setBackColor(*fill);
            }
        } else if (name == "u") {
            const std::optional<std::string_view> word = OpenXmlAttributes::text(reader, "val");
            if (!word) {
                formatting.setFontUnderlineType(model::UnderlineType::None);
            } else if (trimBlanks(*word) == "words") {
                formatting.setFontUnderlineType(model::UnderlineType::Single);
                formatting.setUnderlineWordsOnly(true);
            } else {
                formatting.setFontUnderlineType(valueOf(kUnderlineWords, trimBlanks(*word)).value_or(model::UnderlineType::Single));
            }
            if (const std::optional<AlphaColor> color = attributes_.color(reader, "color"))
                formatting.setUnderlineColor(*color);
        } else if (name == "sz") {
            if (const std::optional<int32_t> size = attributes_.integer(reader, "val"); size && *size >= 1)
                formatting.setDoubleFontSize(std::min(*size, 3276));
        } else if (name == "vertAlign") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or(""));
            if (word == "superscript")
                formatting.setScript(model::CharacterFormattingScript::Superscript);
            else if (word == "subscript")
                formatting.setScript(model::CharacterFormattingScript::Subscript);
            else if (word == "baseline")
                formatting.setScript(model::CharacterFormattingScript::Normal);
        } else if (name == "rFonts") {
            std::optional<std::string_view> font = OpenXmlAttributes::text(reader, "ascii");
            if (!font)
                font = OpenXmlAttributes::text(reader, "hAnsi");
            if (font && !font->empty())
                formatting.setFontName(core::utf8ToUtf16(*font));
        } else if (name == "rStyle") {
            if (characterStyleIndex) {
                const std::string_view id = OpenXmlAttributes::text(reader, "val").value_or("");
                *characterStyleIndex = OpenXmlStyleIds::find(styleIds_.character, id, *characterStyleIndex);
            }
        }
        reader.skipSubtree();
    });
}

model::BorderInfo OpenXmlPropertyReader::readBorder(const XmlReader& reader) const
{
    model::BorderInfo border;
    if (const std::optional<std::string_view> word = OpenXmlAttributes::text(reader, "val")) {
        const std::optional<model::BorderLineStyle> style = borderLineStyleOf(trimBlanks(*word));
        if (style)
            border.style = *style == model::BorderLineStyle::Nil ? model::BorderLineStyle::None : *style;
        else
            attributes_.invalidValue();
    }
    border.color = attributes_.color(reader, "color").value_or(model::kEmptyColor);
    border.frame = attributes_.onOff(reader, "frame", false);
    border.shadow = attributes_.onOff(reader, "shadow", false);
    border.offset = clampLength(attributes_.integer(reader, "space", 0) * 20, 0);
    border.width = clampLength(attributes_.integer(reader, "sz", 0) * 20 / 8, 0);
    return border;
}

void OpenXmlPropertyReader::readParagraphBorders(XmlReader& reader, model::ParagraphFormattingBase& formatting) const
{
    using Option = model::UsedParagraphFormattingOption;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        const model::BorderInfo border = readBorder(reader);
        if (name == "top")
            formatting.set(Option::UseTopBorder, [&](model::ParagraphFormattingInfo& info) { info.setTopBorder(border); });
        else if (name == "bottom")
            formatting.set(Option::UseBottomBorder, [&](model::ParagraphFormattingInfo& info) { info.setBottomBorder(border); });
        else if (name == "left" || name == "start")
            formatting.set(Option::UseLeftBorder, [&](model::ParagraphFormattingInfo& info) { info.setLeftBorder(border); });
        else if (name == "right" || name == "end")
            formatting.set(Option::UseRightBorder, [&](model::ParagraphFormattingInfo& info) { info.setRightBorder(border); });
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readTabs(XmlReader& reader, model::TabFormattingInfo& tabs) const
{
    // Word processors keep at most 64 tab stops a paragraph; more only cost time.
    constexpr int32_t kMaxTabs = 64;
    forEachChildElement(reader, [&] {
        if (reader.localName() == "tab" && tabs.count() < kMaxTabs) {
            const std::optional<int32_t> position = attributes_.integer(reader, "pos");
            if (position) {
                model::TabInfo tab;
                tab.position = clampLength(*position);
                const std::string_view alignment = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("left"));
                tab.deleted = alignment == "clear";
                tab.alignment = valueOf(kTabAlignmentWords, alignment == "start" ? "left" : alignment == "end" ? "right" : alignment)
                                    .value_or(model::TabAlignmentType::Left);
                tab.leader = valueOf(kTabLeaderWords, trimBlanks(OpenXmlAttributes::text(reader, "leader").value_or("none")))
                                 .value_or(model::TabLeaderType::None);
                tabs.add(tab);
            }
        }
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readParagraphProperties(XmlReader& reader, OpenXmlParagraphProperties& properties) const
{
    using Option = model::UsedParagraphFormattingOption;
    using Info = model::ParagraphFormattingInfo;
    model::ParagraphFormattingBase& formatting = properties.formatting;
    const auto toggle = [&](Option option, void (Info::*setter)(bool)) {
        if (const std::optional<bool> value = attributes_.toggle(reader))
            formatting.set(option, [&](Info& info) { (info.*setter)(*value); });
    };
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (name == "pStyle") {
            const std::string_view id = OpenXmlAttributes::text(reader, "val").value_or("");
            properties.styleIndex = OpenXmlStyleIds::find(styleIds_.paragraph, id, properties.styleIndex);
        } else if (name == "keepNext") {
            toggle(Option::UseKeepWithNext, &Info::setKeepWithNext);
        } else if (name == "keepLines") {
            toggle(Option::UseKeepLinesTogether, &Info::setKeepLinesTogether);
        } else if (name == "pageBreakBefore") {
            toggle(Option::UsePageBreakBefore, &Info::setPageBreakBefore);
        } else if (name == "widowControl") {
            toggle(Option::UseWidowOrphanControl, &Info::setWidowOrphanControl);
        } else if (name == "contextualSpacing") {
            toggle(Option::UseContextualSpacing, &Info::setContextualSpacing);
        } else if (name == "suppressAutoHyphens") {
            toggle(Option::UseSuppressHyphenation, &Info::setSuppressHyphenation);
        } else if (name == "suppressLineNumbers" || name == "supressLineNumbers") {
            toggle(Option::UseSuppressLineNumbers, &Info::setSuppressLineNumbers);
        } else if (name == "jc") {
            std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("left"));
            if (word == "start")
                word = "left";
            else if (word == "end")
                word = "right";
            else if (word == "distribute")
                word = "both";
            const model::ParagraphAlignment alignment = valueOf(kParagraphAlignmentWords, word).value_or(model::ParagraphAlignment::Left);
            formatting.set(Option::UseAlignment, [&](Info& info) { info.setAlignment(alignment); });
        } else if (name == "spacing") {
            if (const std::optional<int32_t> before = attributes_.integer(reader, "before"))
                formatting.set(Option::UseSpacingBefore, [&](Info& info) { info.setSpacingBefore(clampLength(*before, 0)); });
            if (const std::optional<int32_t> after = attributes_.integer(reader, "after"))
                formatting.set(Option::UseSpacingAfter, [&](Info& info) { info.setSpacingAfter(clampLength(*after, 0)); });
            if (OpenXmlAttributes::text(reader, "beforeAutospacing")) {
                const bool value = attributes_.onOff(reader, "beforeAutospacing", false);
                formatting.set(Option::UseBeforeAutoSpacing, [&](Info& info) { info.setBeforeAutoSpacing(value); });
            }
            if (OpenXmlAttributes::text(reader, "afterAutospacing")) {
                const bool value = attributes_.onOff(reader, "afterAutospacing", false);
                formatting.set(Option::UseAfterAutoSpacing, [&](Info& info) { info.setAfterAutoSpacing(value); });
            }
            if (const std::optional<int32_t> line = attributes_.integer(reader, "line")) {
                const std::string_view rule = trimBlanks(OpenXmlAttributes::text(reader, "lineRule").value_or("auto"));
                formatting.set(Option::UseLineSpacing, [&](Info& info) {
                    if (rule == "atLeast" || rule == "exact") {
                        info.setLineSpacingType(rule == "exact" ? model::ParagraphLineSpacing::Exactly : model::ParagraphLineSpacing::AtLeast);
                        info.setLineSpacing(static_cast<float>(clampLength(std::abs(*line), 0)));
                    } else if (*line == 240 || *line <= 0) {
                        info.setLineSpacingType(model::ParagraphLineSpacing::Single);
                        info.setLineSpacing(0.0f);
                    } else if (*line == 360) {
                        info.setLineSpacingType(model::ParagraphLineSpacing::Sesquialteral);
                        info.setLineSpacing(0.0f);
                    } else if (*line == 480) {
                        info.setLineSpacingType(model::ParagraphLineSpacing::Double);
                        info.setLineSpacing(0.0f);
                    } else {
                        info.setLineSpacingType(model::ParagraphLineSpacing::Multiple);
                        info.setLineSpacing(static_cast<float>(std::min(*line, 240 * 132)) / 240.0f);
                    }
                });
            }
        } else if (name == "ind") {
            std::optional<int32_t> left = attributes_.integer(reader, "left");
            if (!left)
                left = attributes_.integer(reader, "start");
            std::optional<int32_t> right = attributes_.integer(reader, "right");
            if (!right)
                right = attributes_.integer(reader, "end");
            if (left)
                formatting.set(Option::UseLeftIndent, [&](Info& info) { info.setLeftIndent(clampLength(*left)); });
            if (right)
                formatting.set(Option::UseRightIndent, [&](Info& info) { info.setRightIndent(clampLength(*right)); });
            const std::optional<int32_t> hanging = attributes_.integer(reader, "hanging");
            const std::optional<int32_t> firstLine = attributes_.integer(reader, "firstLine");
            if (hanging || firstLine) {
                const int32_t value = hanging ? *hanging : *firstLine;
                formatting.set(Option::UseFirstLineIndent, [&](Info& info) {
                    const bool isHanging = hanging ? value != 0 : value < 0;
                    info.setFirstLineIndentType(value == 0 ? model::ParagraphFirstLineIndent::None
                                                           : isHanging ? model::ParagraphFirstLineIndent::Hanging
                                                                       : model::ParagraphFirstLineIndent::Indented);
                    info.setFirstLineIndent(clampLength(std::abs(value == std::numeric_limits<int32_t>::min() ? 0 : value), 0));
                });
            }
        } else if (name == "outlineLvl") {
            const int32_t level = attributes_.integer(reader, "val", 9);
            formatting.set(Option::UseOutlineLevel, [&](Info& info) { info.setOutlineLevel(level >= 0 && level <= 8 ? level + 1 : 0); });
        } else if (name == "shd") {
            AlphaColor background = model::kEmptyColor;
            readShading(reader, background, nullptr);
            if (background != model::kEmptyColor)
                formatting.set(Option::UseBackColor, [&](Info& info) { info.setBackColor(background); });
        } else if (name == "framePr") {
            properties.frame = readFrameProperties(reader);
        } else if (name == "pBdr") {
            readParagraphBorders(reader, formatting);
            return;
        } else if (name == "tabs") {
            readTabs(reader, properties.tabs);
            return;
        } else if (name == "rPr") {
            readRunProperties(reader, properties.markFormatting, &properties.markStyleIndex);
            return;
        } else if (name == "numPr") {
            properties.numbering = readNumberingReference(reader);
            return;
        } else if (name == "sectPr") {
            properties.section = OpenXmlSectionProperties::defaults(cache_);
            readSectionProperties(reader, *properties.section);
            return;
        }
        reader.skipSubtree();
    });
}

} // namespace velmo::formats

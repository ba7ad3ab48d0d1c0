// "framePr": a paragraph placed in a frame, and drop capitals, both ways.
#include "formats/docx/open_xml_property_reader.h"
#include "formats/docx/open_xml_property_writer.h"
#include "formats/docx/open_xml_values.h"

#include <algorithm>
#include <string>

namespace velmo::formats {

namespace {

using Frame = model::ParagraphFrameFormattingInfo;
using O = model::UseParagraphFrameOption;

constexpr int32_t kMaxFrameLength = 31680 * 4; // four 22-inch pages

constexpr std::array<ValueWord<model::ParagraphFrameHorizontalRule>, 3> kHeightRuleWords{{
    {model::ParagraphFrameHorizontalRule::Auto, "auto"},
    {model::ParagraphFrameHorizontalRule::AtLeast, "atLeast"},
    {model::ParagraphFrameHorizontalRule::Exact, "exact"},
}};

constexpr std::array<ValueWord<model::ParagraphFrameTextWrapType>, 6> kWrapWords{{
    {model::ParagraphFrameTextWrapType::Auto, "auto"},
    {model::ParagraphFrameTextWrapType::Around, "around"},
    {model::ParagraphFrameTextWrapType::None, "none"},
    {model::ParagraphFrameTextWrapType::NotBeside, "notBeside"},
    {model::ParagraphFrameTextWrapType::Through, "through"},
    {model::ParagraphFrameTextWrapType::Tight, "tight"},
}};

constexpr std::array<ValueWord<model::ParagraphFrameVerticalPositionType>, 3> kFrameVerticalAnchorWords{{
    {model::ParagraphFrameVerticalPositionType::Margin, "margin"},
    {model::ParagraphFrameVerticalPositionType::Page, "page"},
    {model::ParagraphFrameVerticalPositionType::Paragraph, "text"},
}};

constexpr std::array<ValueWord<model::ParagraphFrameHorizontalPositionType>, 3> kFrameHorizontalAnchorWords{{
    {model::ParagraphFrameHorizontalPositionType::Margin, "margin"},
    {model::ParagraphFrameHorizontalPositionType::Page, "page"},
    {model::ParagraphFrameHorizontalPositionType::Column, "text"},
}};

constexpr std::array<ValueWord<model::ParagraphFrameHorizontalPositionAlignment>, 5> kFrameHorizontalAlignmentWords{{
    {model::ParagraphFrameHorizontalPositionAlignment::Left, "left"},
    {model::ParagraphFrameHorizontalPositionAlignment::Center, "center"},
    {model::ParagraphFrameHorizontalPositionAlignment::Right, "right"},
    {model::ParagraphFrameHorizontalPositionAlignment::Inside, "inside"},
    {model::ParagraphFrameHorizontalPositionAlignment::Outside, "outside"},
}};

constexpr std::array<ValueWord<model::ParagraphFrameVerticalPositionAlignment>, 6> kFrameVerticalAlignmentWords{{
    {model::ParagraphFrameVerticalPositionAlignment::Top, "top"},
    {model::ParagraphFrameVerticalPositionAlignment::Center, "center"},
    {model::ParagraphFrameVerticalPositionAlignment::Bottom, "bottom"},
    {model::ParagraphFrameVerticalPositionAlignment::Inline, "inline"},
    {model::ParagraphFrameVerticalPositionAlignment::Inside, "inside"},
    {model::ParagraphFrameVerticalPositionAlignment::Outside, "outside"},
}};

constexpr std::array<ValueWord<model::DropCapLocation>, 3> kDropCapWords{{
    {model::DropCapLocation::None, "none"},
    {model::DropCapLocation::Drop, "drop"},
    {model::DropCapLocation::Margin, "margin"},
}};

/// The integer lengths of a frame and the attribute that carries each.
struct FrameLength {
    int32_t Frame::*field;
    O option;
    std::string_view attribute;
    int32_t minimum;
};

constexpr std::array<FrameLength, 6> kFrameLengths{{
    {&Frame::width, O::UseWidth, "w", 0},
    {&Frame::height, O::UseHeight, "h", 0},
    {&Frame::x, O::UseX, "x", -kMaxFrameLength},
    {&Frame::y, O::UseY, "y", -kMaxFrameLength},
    {&Frame::horizontalPadding, O::UseHorizontalPadding, "hSpace", 0},
    {&Frame::verticalPadding, O::UseVerticalPadding, "vSpace", 0},
}};

/// Reads one enumerated attribute; a word the table lacks leaves the property as it is.
template <typename Enum, size_t N>
void readWord(const XmlReader& reader, std::string_view attribute, const std::array<ValueWord<Enum>, N>& words,
              model::ParagraphFrameFormatting& frame, Enum Frame::*field, O option)
{
    if (const std::optional<std::string_view> text = OpenXmlAttributes::text(reader, attribute)) {
        if (const std::optional<Enum> value = valueOf(words, trimBlanks(*text)))
            frame.set(field, *value, option);
    }
}

template <typename Enum, size_t N>
void writeWord(XmlWriter& writer, std::string_view attribute, const std::array<ValueWord<Enum>, N>& words,
               const model::ParagraphFrameFormatting& frame, Enum Frame::*field, O option, std::string_view fallback)
{
    if (!frame.uses(option))
        return;
    const std::string_view word = wordOf(words, frame.info().*field, fallback);
    if (!word.empty())
        writer.attribute("w:" + std::string(attribute), word);
}

} // namespace

model::ParagraphFrameFormatting OpenXmlPropertyReader::readFrameProperties(const XmlReader& reader) const
{
    model::ParagraphFrameFormatting frame;
    for (const FrameLength& length : kFrameLengths) {
        if (const std::optional<int32_t> value = attributes_.integer(reader, length.attribute))
            frame.set(length.field, std::clamp(*value, length.minimum, kMaxFrameLength), length.option);
    }
    if (frame.uses(O::UseHeight))
        frame.set(&Frame::horizontalRule, model::ParagraphFrameHorizontalRule::AtLeast, O::UseHorizontalRule);
    readWord(reader, "hRule", kHeightRuleWords, frame, &Frame::horizontalRule, O::UseHorizontalRule);
    readWord(reader, "wrap", kWrapWords, frame, &Frame::textWrapType, O::UseTextWrapType);
    readWord(reader, "vAnchor", kFrameVerticalAnchorWords, frame, &Frame::verticalPositionType, O::UseVerticalPositionType);
    readWord(reader, "hAnchor", kFrameHorizontalAnchorWords, frame, &Frame::horizontalPositionType, O::UseHorizontalPositionType);
    readWord(reader, "xAlign", kFrameHorizontalAlignmentWords, frame, &Frame::horizontalPositionAlignment, O::UseHorizontalPositionAlignment);
    readWord(reader, "yAlign", kFrameVerticalAlignmentWords, frame, &Frame::verticalPositionAlignment, O::UseVerticalPositionAlignment);
    readWord(reader, "dropCap", kDropCapWords, frame, &Frame::dropCap, O::UseDropCap);
    if (const std::optional<int32_t> lines = attributes_.integer(reader, "lines"))
        frame.set(&Frame::dropCapVerticalHeightInLines, std::clamp(*lines, 0, 10), O::UseDropCapVerticalHeightInLines);
    if (OpenXmlAttributes::text(reader, "anchorLock"))
        frame.set(&Frame::lockFrameAnchorToParagraph, attributes_.onOff(reader, "anchorLock", false), O::UseLockFrameAnchorToParagraph);
    return frame;
}

void OpenXmlPropertyWriter::writeFrameProperties(XmlWriter& writer, const model::ParagraphFrameFormatting& frame)
{
    writer.startElement("w:framePr");
    for (const FrameLength& length : kFrameLengths) {
        if (frame.uses(length.option))
            writer.attribute("w:" + std::string(length.attribute), frame.info().*length.field);
    }
    writeWord(writer, "hRule", kHeightRuleWords, frame, &Frame::horizontalRule, O::UseHorizontalRule, "auto");
    writeWord(writer, "wrap", kWrapWords, frame, &Frame::textWrapType, O::UseTextWrapType, "auto");
    writeWord(writer, "vAnchor", kFrameVerticalAnchorWords, frame, &Frame::verticalPositionType, O::UseVerticalPositionType, "text");
    writeWord(writer, "hAnchor", kFrameHorizontalAnchorWords, frame, &Frame::horizontalPositionType, O::UseHorizontalPositionType, "text");
    writeWord(writer, "xAlign", kFrameHorizontalAlignmentWords, frame, &Frame::horizontalPositionAlignment, O::UseHorizontalPositionAlignment, {});
    writeWord(writer, "yAlign", kFrameVerticalAlignmentWords, frame, &Frame::verticalPositionAlignment, O::UseVerticalPositionAlignment, {});
    writeWord(writer, "dropCap", kDropCapWords, frame, &Frame::dropCap, O::UseDropCap, "none");
    if (frame.uses(O::UseDropCapVerticalHeightInLines))
        writer.attribute("w:lines", frame.info().dropCapVerticalHeightInLines);
    if (frame.uses(O::UseLockFrameAnchorToParagraph))
        writer.attribute("w:anchorLock", frame.info().lockFrameAnchorToParagraph ? "1" : "0");
    writer.endElement();
}

} // namespace velmo::formats

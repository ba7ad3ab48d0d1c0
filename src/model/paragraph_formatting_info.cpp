#include "model/paragraph_formatting_info.h"

#include "core/editor_exception.h"

#include <bit>
#include <string>

namespace velmo::model {

namespace {

std::string formatFloat(float value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

void ParagraphFormattingInfo::setSpacingBefore(int32_t value)
{
    if (value < 0)
        throw core::EditorException::invalidValue(value, "SpacingBefore");
    spacingBefore_ = value;
}

void ParagraphFormattingInfo::setSpacingAfter(int32_t value)
{
    if (value < 0)
        throw core::EditorException::invalidValue(value, "SpacingAfter");
    spacingAfter_ = value;
}

void ParagraphFormattingInfo::setLineSpacing(float value)
{
    if (!(value >= 0.0f))
        throw core::EditorException::invalidValue(formatFloat(value), "LineSpacing");
    lineSpacing_ = value;
}

void ParagraphFormattingInfo::setFirstLineIndent(int32_t value)
{
    if (value < 0)
        throw core::EditorException::invalidValue(value, "FirstLineIndent");
    firstLineIndent_ = value;
}

void ParagraphFormattingInfo::setOutlineLevel(int32_t value)
{
    if (value < 0 || value > 9)
        throw core::EditorException::invalidValue(value, "OutlineLevel");
    setField(7, 0xF, static_cast<uint32_t>(value));
}

void ParagraphFormattingInfo::copyProperties(const ParagraphFormattingInfo& source, ParagraphPropertiesMask mask) noexcept
{
    using O = UsedParagraphFormattingOption;
    const auto has = [mask](O option) { return (mask & static_cast<uint32_t>(option)) != 0; };
    const auto copyBits = [&](O option, int shift, uint32_t bits) {
        if (has(option))
            setField(shift, bits, source.packed_ >> shift & bits);
    };
    copyBits(O::UseAlignment, 5, 0x3);
    copyBits(O::UseOutlineLevel, 7, 0xF);
    copyBits(O::UseSuppressHyphenation, 11, 1);
    copyBits(O::UseSuppressLineNumbers, 12, 1);
    copyBits(O::UseContextualSpacing, 13, 1);
    copyBits(O::UsePageBreakBefore, 14, 1);
    copyBits(O::UseBeforeAutoSpacing, 15, 1);
    copyBits(O::UseAfterAutoSpacing, 16, 1);
    copyBits(O::UseKeepWithNext, 17, 1);
    copyBits(O::UseKeepLinesTogether, 18, 1);
    copyBits(O::UseWidowOrphanControl, 19, 1);
    if (has(O::UseLineSpacing)) {
        setField(0, 0x7, source.packed_ & 0x7);
        lineSpacing_ = source.lineSpacing_;
    }
    if (has(O::UseFirstLineIndent)) {
        setField(3, 0x3, source.packed_ >> 3 & 0x3);
        firstLineIndent_ = source.firstLineIndent_;
    }
    if (has(O::UseLeftIndent))
        leftIndent_ = source.leftIndent_;
    if (has(O::UseRightIndent))
        rightIndent_ = source.rightIndent_;
    if (has(O::UseSpacingBefore))
        spacingBefore_ = source.spacingBefore_;
    if (has(O::UseSpacingAfter))
        spacingAfter_ = source.spacingAfter_;
    if (has(O::UseBackColor))
        backColor_ = source.backColor_;
    if (has(O::UseLeftBorder))
        leftBorder_ = source.leftBorder_;
    if (has(O::UseRightBorder))
        rightBorder_ = source.rightBorder_;
    if (has(O::UseTopBorder))
        topBorder_ = source.topBorder_;
    if (has(O::UseBottomBorder))
        bottomBorder_ = source.bottomBorder_;
}

ParagraphPropertiesMask ParagraphFormattingInfo::differingProperties(const ParagraphFormattingInfo& other) const noexcept
{
    using O = UsedParagraphFormattingOption;
    ParagraphPropertiesMask mask = 0;
    const auto differ = [&mask](bool different, O option) {
        if (different)
            mask |= static_cast<uint32_t>(option);
    };
    const auto bitsDiffer = [this, &other](int shift, uint32_t bits) { return (packed_ >> shift & bits) != (other.packed_ >> shift & bits); };
    differ(bitsDiffer(5, 0x3), O::UseAlignment);
    differ(leftIndent_ != other.leftIndent_, O::UseLeftIndent);
    differ(rightIndent_ != other.rightIndent_, O::UseRightIndent);
    differ(spacingBefore_ != other.spacingBefore_, O::UseSpacingBefore);
    differ(spacingAfter_ != other.spacingAfter_, O::UseSpacingAfter);
    differ(bitsDiffer(0, 0x7) || lineSpacing_ != other.lineSpacing_, O::UseLineSpacing);
    differ(bitsDiffer(3, 0x3) || firstLineIndent_ != other.firstLineIndent_, O::UseFirstLineIndent);
    differ(bitsDiffer(11, 1), O::UseSuppressHyphenation);
    differ(bitsDiffer(12, 1), O::UseSuppressLineNumbers);
    differ(bitsDiffer(13, 1), O::UseContextualSpacing);
    differ(bitsDiffer(14, 1), O::UsePageBreakBefore);
    differ(bitsDiffer(15, 1), O::UseBeforeAutoSpacing);
    differ(bitsDiffer(16, 1), O::UseAfterAutoSpacing);
    differ(bitsDiffer(17, 1), O::UseKeepWithNext);
    differ(bitsDiffer(18, 1), O::UseKeepLinesTogether);
    differ(bitsDiffer(19, 1), O::UseWidowOrphanControl);
    differ(bitsDiffer(7, 0xF), O::UseOutlineLevel);
    differ(backColor_ != other.backColor_, O::UseBackColor);
    differ(!(leftBorder_ == other.leftBorder_), O::UseLeftBorder);
    differ(!(rightBorder_ == other.rightBorder_), O::UseRightBorder);
    differ(!(topBorder_ == other.topBorder_), O::UseTopBorder);
    differ(!(bottomBorder_ == other.bottomBorder_), O::UseBottomBorder);
    return mask;
}

bool ParagraphFormattingInfo::operator==(const ParagraphFormattingInfo& other) const noexcept
{
    return packed_ == other.packed_ && leftIndent_ == other.leftIndent_ && rightIndent_ == other.rightIndent_ &&
           spacingBefore_ == other.spacingBefore_ && spacingAfter_ == other.spacingAfter_ &&
           firstLineIndent_ == other.firstLineIndent_ && lineSpacing_ == other.lineSpacing_ &&
           backColor_ == other.backColor_ && leftBorder_ == other.leftBorder_ && rightBorder_ == other.rightBorder_ &&
           topBorder_ == other.topBorder_ && bottomBorder_ == other.bottomBorder_;
}

size_t ParagraphFormattingInfo::hash() const noexcept
{
    const auto lengths = static_cast<size_t>(static_cast<uint32_t>(leftIndent_)) ^
                         static_cast<size_t>(static_cast<uint32_t>(rightIndent_)) << 7 ^
                         static_cast<size_t>(static_cast<uint32_t>(spacingBefore_)) << 14 ^
                         static_cast<size_t>(static_cast<uint32_t>(spacingAfter_)) << 21 ^
                         static_cast<size_t>(static_cast<uint32_t>(firstLineIndent_)) << 28;
    return packed_ ^ lengths ^ std::bit_cast<uint32_t>(lineSpacing_) ^ backColor_ ^ leftBorder_.hash() ^
           rightBorder_.hash() << 1 ^ topBorder_.hash() << 2 ^ bottomBorder_.hash() << 3;
}

ParagraphFormattingInfo ParagraphFormattingInfo::documentDefault()
{
    ParagraphFormattingInfo info;
    info.setSpacingAfter(200);
    info.setLineSpacingType(ParagraphLineSpacing::Multiple);
    info.setLineSpacing(1.15f);
    info.setWidowOrphanControl(true);
    return info;
}

} // namespace velmo::model

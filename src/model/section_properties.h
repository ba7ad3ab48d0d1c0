#pragma once

#include "model/numbering_format.h"
#include "model/paper_kind.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmo::model {

enum class SectionGutterAlignment : uint8_t { Left, Right, Top, Bottom };
enum class SectionStartType : uint8_t { NextPage, OddPage, EvenPage, Continuous, Column };
enum class TextDirection : uint8_t {
    LeftToRightTopToBottom,
    TopToBottomRightToLeft,
    TopToBottomLeftToRightRotated,
    BottomToTopLeftToRight,
    LeftToRightTopToBottomRotated,
    TopToBottomRightToLeftRotated,
};
enum class VerticalAlignment : uint8_t { Top, Both, Center, Bottom };
enum class LineNumberingRestart : uint8_t { NewPage, NewSection, Continuous };
enum class FootNotePosition : uint8_t { BottomOfPage, BelowText, EndOfDocument, EndOfSection };

/// Page margins in twips; the header and footer offsets are measured from the page edges.
struct MarginsInfo {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t headerOffset = 0;
    int32_t footerOffset = 0;
    int32_t gutter = 0;
    SectionGutterAlignment gutterAlignment = SectionGutterAlignment::Left;

    bool operator==(const MarginsInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
    /// Left 30 mm, right 15 mm, top and bottom 20 mm, header and footer 12.5 mm.
    [[nodiscard]] static MarginsInfo documentDefault() noexcept;
};

/// The laid-out page: width and height already follow the orientation.
struct PageInfo {
    int32_t width = 12240;
    int32_t height = 15840;
    bool landscape = false;
    PaperKind paperKind = PaperKind::Letter;

    bool operator==(const PageInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
    /// After a reader set the fields: fills a missing width or height from the paper kind and
    /// sets the kind that matches the portrait size (within 240 twips, else Custom).
    void validatePaperKind() noexcept;
};

struct GeneralSectionInfo {
    SectionStartType startType = SectionStartType::NextPage;
    bool differentFirstPage = false;
    int32_t firstPagePaperSource = 0;
    int32_t otherPagePaperSource = 0;
    bool onlyAllowEditingOfFormFields = false;
    TextDirection textDirection = TextDirection::LeftToRightTopToBottom;
    VerticalAlignment verticalTextAlignment = VerticalAlignment::Top;

    bool operator==(const GeneralSectionInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

struct PageNumberingInfo {
    NumberingFormat numberingFormat = NumberingFormat::Decimal;
    /// -1: numbering continues from the previous section.
    int32_t firstPageNumber = -1;
    bool continueNumbering = true;
    char16_t chapterSeparator = 0;
    int32_t chapterHeaderStyle = 0;

    /// Turning continuation off while no first number is given starts at 1.
    void setContinueNumbering(bool value) noexcept
    {
        continueNumbering = value;
        if (!value && firstPageNumber == -1)
            firstPageNumber = 1;
    }
    bool operator==(const PageNumberingInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

struct LineNumberingInfo {
    int32_t distance = 0;
    int32_t startingLineNumber = 1;
    /// 0: line numbering is off.
    int32_t step = 0;
    LineNumberingRestart numberingRestartType = LineNumberingRestart::NewPage;

    bool operator==(const LineNumberingInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

struct ColumnInfo {
    int32_t width = 0;
    int32_t space = 0;
    bool operator==(const ColumnInfo&) const = default;
};

struct ColumnsInfo {
    int32_t columnCount = 1;
    bool equalWidthColumns = true;
    int32_t space = 0;
    bool drawVerticalSeparator = false;
    /// Used when the widths are not equal.
    std::vector<ColumnInfo> columns;

    /// ColumnCount for equal columns, else the number of listed columns.
    [[nodiscard]] int32_t actualColumnCount() const noexcept
    {
        return equalWidthColumns ? columnCount : static_cast<int32_t>(columns.size());
    }
    bool operator==(const ColumnsInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
    /// One column with 12.5 mm space.
    [[nodiscard]] static ColumnsInfo documentDefault() noexcept;
};

struct FootNoteInfo {
    FootNotePosition position = FootNotePosition::BottomOfPage;
    NumberingFormat numberingFormat = NumberingFormat::Decimal;
    LineNumberingRestart numberingRestartType = LineNumberingRestart::Continuous;
    int32_t startingNumber = 1;
    std::u16string customMark;

    bool operator==(const FootNoteInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
    [[nodiscard]] static FootNoteInfo footNoteDefault() { return FootNoteInfo{}; }
    /// At the end of the document, in lower-case Roman numbers.
    [[nodiscard]] static FootNoteInfo endNoteDefault();
};

} // namespace velmo::model

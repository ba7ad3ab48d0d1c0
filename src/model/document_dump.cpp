#include "model/document_dump.h"

#include "core/unicode_text.h"
#include "model/content_type.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/layout_dependent_field_formatting.h"
#include "model/piece_table.h"
#include "model/document_styles.h"
#include "model/numbering/document_numbering.h"
#include "model/pictures/picture_dump.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tables/table.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace velmo::model {

namespace {

const char* formatName(DocumentFormat format)
{
    switch (format) {
    case DocumentFormat::Undefined: return "Undefined";
    case DocumentFormat::PlainText: return "PlainText";
    case DocumentFormat::Rtf: return "Rtf";
    case DocumentFormat::Html: return "Html";
    case DocumentFormat::OpenXml: return "OpenXml";
    case DocumentFormat::Doc: return "Doc";
    }
    return "";
}

const char* storyName(ContentTypeKind kind)
{
    switch (kind) {
    case ContentTypeKind::Main: return "main";
    case ContentTypeKind::Header: return "header";
    case ContentTypeKind::Footer: return "footer";
    case ContentTypeKind::FootNote: return "footnote";
    case ContentTypeKind::EndNote: return "endnote";
    case ContentTypeKind::TextBox: return "textbox";
    }
    return "";
}

/// Quoted UTF-8 with controls, quotes and backslashes escaped, so every dump line is one line.
std::string quoted(std::u16string_view text)
{
    std::string result = "\"";
    std::u16string plain;
    const auto flush = [&] {
        result += core::utf16ToUtf8(plain);
        plain.clear();
    };
    for (const char16_t character : text) {
        if (character >= 0x20 && character != u'"' && character != u'\\' && character != 0x7F) {
            plain.push_back(character);
            continue;
        }
        flush();
        char escaped[8];
        if (character == u'"' || character == u'\\')
            std::snprintf(escaped, sizeof escaped, "\\%c", static_cast<char>(character));
        else
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(character));
        result += escaped;
    }
    flush();
    result += "\"";
    return result;
}

const char* headerFooterTypeName(HeaderFooterType type)
{
    switch (type) {
    case HeaderFooterType::First: return "first";
    case HeaderFooterType::Odd: return "odd";
    case HeaderFooterType::Even: return "even";
    }
    return "";
}

/// "main", "header odd", "footnote"...: what the story is.
std::string storyLabel(const ContentTypeBase& contentType)
{
    std::string label = storyName(contentType.kind());
    if (contentType.isHeaderFooter())
        label += std::string(" ") + headerFooterTypeName(static_cast<const SectionHeaderFooterBase&>(contentType).type());
    return label;
}

std::string hexColor(AlphaColor color)
{
    char text[12];
    std::snprintf(text, sizeof text, "#%08X", color);
    return text;
}

/// The effective character formatting: font and size always, everything else when not default.
void dumpCharacterFormatting(std::string& out, const CharacterFormattingInfo& info)
{
    out += " font=" + quoted(info.fontName()) + " size=" + std::to_string(info.doubleFontSize());
    const auto flag = [&out](bool value, const char* name) {
        if (value)
            out += std::string(" ") + name;
    };
    flag(info.fontBold(), "bold");
    flag(info.fontItalic(), "italic");
    flag(info.allCaps(), "allcaps");
    flag(info.hidden(), "hidden");
    flag(info.noProof(), "noproof");
    flag(info.underlineWordsOnly(), "underline-words");
    flag(info.strikeoutWordsOnly(), "strikeout-words");
    if (info.fontUnderlineType() != UnderlineType::None)
        out += " underline=" + std::to_string(static_cast<int>(info.fontUnderlineType()));
    if (info.fontStrikeoutType() != StrikeoutType::None)
        out += " strikeout=" + std::to_string(static_cast<int>(info.fontStrikeoutType()));
    if (info.script() != CharacterFormattingScript::Normal)
        out += " script=" + std::to_string(static_cast<int>(info.script()));
    if (info.foreColor() != kEmptyColor)
        out += " color=" + hexColor(info.foreColor());
    if (info.backColor() != kTransparentColor)
        out += " back=" + hexColor(info.backColor());
    if (info.underlineColor() != kEmptyColor)
        out += " underline-color=" + hexColor(info.underlineColor());
    if (info.strikeoutColor() != kEmptyColor)
        out += " strikeout-color=" + hexColor(info.strikeoutColor());
}

std::string formatFloat(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

/// The effective paragraph formatting: alignment and spacing always, the rest when not default.
void dumpParagraphFormatting(std::string& out, const ParagraphFormattingInfo& info)
{
    static constexpr const char* kAlignments[] = {"left", "right", "center", "justify"};
    static constexpr const char* kLineSpacings[] = {"single", "1.5", "double", "multiple", "exactly", "atleast"};
    out += std::string(" align=") + kAlignments[static_cast<int>(info.alignment())];
    out += " spacing=" + std::to_string(info.spacingBefore()) + "/" + std::to_string(info.spacingAfter());
    out += std::string(" line=") + kLineSpacings[static_cast<int>(info.lineSpacingType())];
    if (info.lineSpacingType() >= ParagraphLineSpacing::Multiple)
        out += ":" + formatFloat(info.lineSpacing());
    if (info.leftIndent() != 0 || info.rightIndent() != 0)
        out += " indent=" + std::to_string(info.leftIndent()) + "/" + std::to_string(info.rightIndent());
    if (info.firstLineIndentType() != ParagraphFirstLineIndent::None)
        out += std::string(info.firstLineIndentType() == ParagraphFirstLineIndent::Hanging ? " hanging=" : " first-line=") +
               std::to_string(info.firstLineIndent());
    if (info.outlineLevel() != 0)
        out += " outline=" + std::to_string(info.outlineLevel());
    const auto flag = [&out](bool value, const char* name) {
        if (value)
            out += std::string(" ") + name;
    };
    flag(info.keepWithNext(), "keep-with-next");
    flag(info.keepLinesTogether(), "keep-lines");
    flag(info.pageBreakBefore(), "page-break-before");
    flag(!info.widowOrphanControl(), "no-widow-control");
    flag(info.contextualSpacing(), "contextual-spacing");
    flag(info.suppressHyphenation(), "no-hyphenation");
    flag(info.suppressLineNumbers(), "no-line-numbers");
    if (info.backColor() != kEmptyColor)
        out += " back=" + hexColor(info.backColor());
}

std::string widthText(const WidthUnitInfo& width)
{
    switch (width.type) {
    case WidthUnitType::Nil: return "nil";
    case WidthUnitType::Auto: return "auto";
    case WidthUnitType::FiftiethsOfPercent: return std::to_string(width.value) + "/5000";
    case WidthUnitType::ModelUnits: return std::to_string(width.value);
    }
    return "?";
}

void dumpTables(std::string& out, const PieceTable& pieceTable)
{
    static constexpr const char* kMerging[] = {"", " vmerge=continue", " vmerge=restart"};
    for (const auto& table : pieceTable.tableCellsManager().tables()) {
        out += "  table " + std::to_string(table->index()) + " level=" + std::to_string(table->nestedLevel()) +
               " style=" + std::to_string(table->styleIndex()) + " rows=" + std::to_string(table->rowCount()) +
               " paragraphs=" + std::to_string(table->startParagraphIndex().value()) + ".." +
               std::to_string(table->endParagraphIndex().value());
        const TablePropertiesInfo& properties = table->properties();
        if (properties.uses(TablePropertiesOptions::UsePreferredWidth))
            out += " width=" + widthText(properties.preferredWidth);
        out += "\n";
        table->forEachRow([&](const TableRow& row) {
            out += "    row " + std::to_string(row.indexInTable());
            if (row.gridBefore() != 0)
                out += " grid-before=" + std::to_string(row.gridBefore());
            if (row.gridAfter() != 0)
                out += " grid-after=" + std::to_string(row.gridAfter());
            for (int32_t index = 0; index < row.cellCount(); ++index) {
                const TableCell& cell = row.cell(index);
                const TableCellPropertiesInfo& cellProperties = cell.properties();
                out += " [" + std::to_string(cell.startParagraphIndex().value()) + ".." +
                       std::to_string(cell.endParagraphIndex().value());
                if (cellProperties.columnSpan != 1)
                    out += " span=" + std::to_string(cellProperties.columnSpan);
                out += kMerging[static_cast<int>(cellProperties.verticalMerging)];
                if (cellProperties.uses(TableCellPropertiesOptions::UsePreferredWidth))
                    out += " width=" + widthText(cellProperties.preferredWidth);
                out += "]";
            }
            out += "\n";
        });
    }
}

/// Bookmarks by position, then the hyperlink records by field index.
void dumpBookmarksAndHyperlinks(std::string& out, const PieceTable& pieceTable)
{
    const BookmarkCollection& bookmarks = pieceTable.bookmarkCollection();
    for (int32_t index = 0; index < bookmarks.count(); ++index) {
        const Bookmark& bookmark = bookmarks[index];
        out += "  bookmark " + std::to_string(index) + " " + quoted(bookmark.name()) + " " +
               std::to_string(bookmark.start().value()) + ".." + std::to_string(bookmark.end().value()) + "\n";
    }
    for (const auto& [fieldIndex, info] : pieceTable.hyperlinkInfos().items()) {
        out += "  hyperlink field=" + std::to_string(fieldIndex);
        const std::pair<const char*, const std::u16string*> parts[] = {
            {"uri", &info->navigateUri}, {"anchor", &info->anchor}, {"target", &info->target}, {"tooltip", &info->toolTip}};
        for (const auto& [name, value] : parts) {
            if (!value->empty())
                out += std::string(" ") + name + "=" + quoted(*value);
        }
        out += info->visited ? " visited\n" : "\n";
    }
}

void dumpFields(std::string& out, const PieceTable& pieceTable)
{
    const FieldCollection& fields = pieceTable.fields();
    for (int32_t index = 0; index < fields.count(); ++index) {
        const Field& field = fields[index];
        out += "  field " + std::to_string(index) + " runs=" + std::to_string(field.firstRunIndex().value()) + "/" +
               std::to_string(field.code().end.value()) + "/" + std::to_string(field.lastRunIndex().value());
        if (field.parent())
            out += " parent=" + std::to_string(field.parent()->index());
        if (field.isCodeView())
            out += " code-view";
        if (field.isLocked())
            out += " locked";
        if (field.disableUpdate())
            out += " update-disabled";
        out += "\n";
    }
}

void dumpStory(std::string& out, const PieceTable& pieceTable, size_t ordinal, PictureDumpContext& pictures)
{
    out += "story #" + std::to_string(ordinal) + " " + storyLabel(pieceTable.contentType()) + " paragraphs=" +
           std::to_string(pieceTable.paragraphCount()) + " length=" +
           std::to_string(pieceTable.documentEndLogPosition().value() + 1) + "\n";
    for (int32_t index = 0; index < pieceTable.paragraphCount(); ++index) {
        const Paragraph& paragraph = pieceTable.paragraph(ParagraphIndex(index));
        out += "  paragraph " + std::to_string(index) + " at=" + std::to_string(paragraph.logPosition().value()) +
               " length=" + std::to_string(paragraph.length()) + " style=" + std::to_string(paragraph.paragraphStyleIndex());
        dumpParagraphFormatting(out, pieceTable.mergedParagraphFormatting(paragraph));
        if (paragraph.isInList())
            out += " list=" + std::to_string(paragraph.numberingListIndex()) + "/" + std::to_string(paragraph.listLevelIndex()) +
                   " number=" + quoted(pieceTable.numberingListText(paragraph));
        out += "\n";
        for (RunIndex runIndex = paragraph.firstRunIndex(); runIndex <= paragraph.lastRunIndex(); ++runIndex) {
            const TextRunBase& run = pieceTable.run(runIndex);
            out += std::string("    ") + runKindName(run.kind());
            if (run.kind() == RunKind::Text || run.kind() == RunKind::FieldSymbol)
                out += " " + quoted(pieceTable.runText(runIndex));
            if (run.kind() == RunKind::LayoutDependentText) {
                if (const auto& formatting = static_cast<const LayoutDependentTextRun&>(run).fieldFormatting())
                    out += " field=" + core::utf16ToUtf8(formatting->fieldTypeName());
            }
            if (run.kind() == RunKind::FootNote || run.kind() == RunKind::EndNote)
                out += " note=" + std::to_string(static_cast<const FootNoteRunBase&>(run).noteIndex());
            appendPictureRunDump(out, run, pictures);
            dumpCharacterFormatting(out, pieceTable.mergedCharacterFormatting(runIndex));
            if (run.characterStyleIndex() != 0)
                out += " charstyle=" + std::to_string(run.characterStyleIndex());
            out += "\n";
        }
    }
    dumpTables(out, pieceTable);
    dumpBookmarksAndHyperlinks(out, pieceTable);
    dumpFields(out, pieceTable);
}

void dumpSection(std::string& out, const DocumentModel& documentModel, int32_t index)
{
    const Section& section = documentModel.section(SectionIndex(index));
    out += "section " + std::to_string(index) + " paragraphs=" + std::to_string(section.firstParagraphIndex().value()) +
           ".." + std::to_string(section.lastParagraphIndex().value());
    const PageInfo& page = section.page();
    out += " page=" + std::to_string(page.width) + "x" + std::to_string(page.height) + " kind=" +
           std::to_string(static_cast<int>(page.paperKind)) + (page.landscape ? " landscape" : "");
    const MarginsInfo& margins = section.margins();
    out += " margins=" + std::to_string(margins.left) + "/" + std::to_string(margins.right) + "/" + std::to_string(margins.top) +
           "/" + std::to_string(margins.bottom) + " header=" + std::to_string(margins.headerOffset) +
           " footer=" + std::to_string(margins.footerOffset);
    if (margins.gutter != 0)
        out += " gutter=" + std::to_string(margins.gutter);
    out += " columns=" + std::to_string(section.actualColumnCount());
    static constexpr const char* kStarts[] = {"next-page", "odd-page", "even-page", "continuous", "column"};
    out += std::string(" start=") + kStarts[static_cast<int>(section.generalSettings().startType)];
    if (section.generalSettings().differentFirstPage)
        out += " different-first-page";
    if (section.pageNumbering().firstPageNumber >= 0)
        out += " first-page-number=" + std::to_string(section.pageNumbering().firstPageNumber);
    if (section.lineNumbering().step != 0)
        out += " line-numbers=" + std::to_string(section.lineNumbering().step);
    // Headers and footers by their place in the story list below.
    const std::vector<PieceTable*> stories = documentModel.pieceTables(true);
    static constexpr const char* kTypes[] = {"first", "odd", "even"};
    for (const ContentTypeKind kind : {ContentTypeKind::Header, ContentTypeKind::Footer}) {
        for (const HeaderFooterType type : {HeaderFooterType::First, HeaderFooterType::Odd, HeaderFooterType::Even}) {
            const SectionHeaderFooterBase* story = section.headerFooter(kind, type);
            if (!story)
                continue;
            const auto found = std::find(stories.begin(), stories.end(), &story->pieceTable());
            out += std::string(" ") + storyName(kind) + "-" + kTypes[static_cast<int>(type)] + "=#" +
                   std::to_string(found - stories.begin());
        }
    }
    out += "\n";
}

void dumpStyles(std::string& out, const DocumentModel& documentModel)
{
    const DocumentStyles& styles = documentModel.styles();
    const auto describe = [&out](const StyleBase& style, int32_t index, const char* kind) {
        out += std::string(kind) + " style " + std::to_string(index) + " " + quoted(style.styleName());
        if (style.parent())
            out += " parent=" + quoted(style.parent()->styleName());
        if (style.deleted())
            out += " deleted";
    };
    for (int32_t index = 0; index < styles.paragraphStyles().count(); ++index) {
        const ParagraphStyle& style = styles.paragraphStyles()[index];
        describe(style, index, "paragraph");
        if (style.nextParagraphStyle())
            out += " next=" + quoted(style.nextParagraphStyle()->styleName());
        if (style.ownNumberingListIndex() != ParagraphStyle::kInheritNumbering)
            out += " list=" + std::to_string(style.ownNumberingListIndex()) + "/" + std::to_string(style.ownListLevelIndex());
        out += "\n   ";
        dumpParagraphFormatting(out, styles.mergedWithDefaultParagraphProperties(style));
        out += "\n   ";
        dumpCharacterFormatting(out, styles.mergedWithDefaultCharacterProperties(style));
        out += "\n";
    }
    for (int32_t index = 0; index < styles.characterStyles().count(); ++index) {
        const CharacterStyle& style = styles.characterStyles()[index];
        describe(style, index, "character");
        out += "\n   ";
        dumpCharacterFormatting(out, styles.mergedWithDefaultCharacterProperties(style));
        out += "\n";
    }
}

const char* numberingTypeName(NumberingType type)
{
    switch (type) {
    case NumberingType::MultiLevel: return "multilevel";
    case NumberingType::Simple: return "simple";
    case NumberingType::Bullet: return "bullet";
    }
    return "";
}

/// A level's counting and look: what differs from a new level's, template codes as a mere mark
/// (they are drawn at random).
void dumpListLevel(std::string& out, const DocumentModel& documentModel, const ListLevel& level)
{
    const ListLevelInfo& info = level.listLevelProperties;
    const ListLevelInfo defaults;
    out += " start=" + std::to_string(info.start) + " format=" + std::to_string(static_cast<int>(info.format)) +
           " text=" + quoted(info.displayFormatString);
    if (info.alignment != defaults.alignment)
        out += " align=" + std::to_string(static_cast<int>(info.alignment));
    if (info.separator != defaults.separator)
        out += " separator=" + quoted(std::u16string(1, info.separator));
    if (info.relativeRestartLevel != 0)
        out += " restart-after=" + std::to_string(info.relativeRestartLevel);
    const auto flag = [&out](bool value, const char* name) {
        if (value)
            out += std::string(" ") + name;
    };
    flag(info.convertPreviousLevelNumberingToDecimal, "legal");
    flag(info.suppressRestart, "no-restart");
    flag(info.templateCode != 0, "template");
    const ParagraphFormattingInfo& paragraph = documentModel.cache().paragraphFormattingCache()[level.paragraphPropertiesIndex].info();
    out += " indent=" + std::to_string(paragraph.leftIndent());
    if (paragraph.firstLineIndentType() != ParagraphFirstLineIndent::None)
        out += std::string(paragraph.firstLineIndentType() == ParagraphFirstLineIndent::Hanging ? " hanging=" : " first-line=") +
               std::to_string(paragraph.firstLineIndent());
    const CharacterFormattingBase& characters = documentModel.cache().characterFormattingCache()[level.characterPropertiesIndex];
    if (characters.uses(UsedCharacterFormattingOption::UseFontName))
        out += " font=" + quoted(characters.info().fontName());
    if (level.paragraphStyleIndex >= 0)
        out += " style=" + std::to_string(level.paragraphStyleIndex);
    out += "\n";
}

void dumpNumbering(std::string& out, const DocumentModel& documentModel)
{
    const DocumentNumbering& numbering = documentModel.numbering();
    for (int32_t index = 0; index < numbering.abstractNumberingListCount(); ++index) {
        const AbstractNumberingList& list = numbering.abstractNumberingList(index);
        out += "abstract list " + std::to_string(index) + " id=" + std::to_string(list.id()) + " " +
               numberingTypeName(list.numberingType()) + (list.deleted() ? " deleted" : "") + "\n";
        for (int32_t level = 0; level < kListLevelCount; ++level) {
            out += "  level " + std::to_string(level);
            dumpListLevel(out, documentModel, list.level(level));
        }
    }
    for (int32_t index = 0; index < numbering.numberingListCount(); ++index) {
        const NumberingList& list = numbering.numberingList(index);
        out += "list " + std::to_string(index) + " id=" + std::to_string(list.id()) + " abstract=" +
               std::to_string(list.abstractNumberingListIndex()) + " paragraphs=" + std::to_string(list.referringParagraphsCount());
        for (int32_t level = 0; level < kListLevelCount; ++level) {
            if (list.level(level).overrideStart)
                out += " level" + std::to_string(level) + "-starts-at=" + std::to_string(list.level(level).newStart);
        }
        out += "\n";
        for (int32_t level = 0; level < kListLevelCount; ++level) {
            if (const std::optional<ListLevel>& overrideLevel = list.level(level).overrideLevel) {
                out += "  own level " + std::to_string(level);
                dumpListLevel(out, documentModel, *overrideLevel);
            }
        }
    }
}

} // namespace

std::string dumpDocument(const DocumentModel& documentModel)
{
    std::string out = std::string("document format=") + formatName(documentModel.documentFormat()) + "\n";
    for (int32_t index = 0; index < documentModel.sectionCount(); ++index)
        dumpSection(out, documentModel, index);
    dumpStyles(out, documentModel);
    dumpNumbering(out, documentModel);
    PictureDumpContext pictures{documentModel.pieceTables(true), {}};
    for (size_t ordinal = 0; ordinal < pictures.stories.size(); ++ordinal)
        dumpStory(out, *pictures.stories[ordinal], ordinal, pictures);
    return out;
}

} // namespace velmo::model

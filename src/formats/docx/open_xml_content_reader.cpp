// The content of stories: paragraphs, runs, fields, hyperlinks, note references and tables.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_drawing_reader.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/docx/open_xml_story_builder.h"
#include "model/document_model.h"
#include "model/hyperlinks/hyperlink_instruction_builder.h"
#include "model/piece_table.h"
#include "model/runs.h"

namespace velmo::formats {

void OpenXmlImporter::readBlockContent(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    forEachChildElement(reader, [&] { readBlockElement(reader, story); });
}

void OpenXmlImporter::readBlockElement(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    if (isAlternateContent(reader)) {
        readAlternateContentFallback(reader, [&] { readBlockElement(reader, story); });
        return;
    }
    if (!isWordElement(reader)) {
        reader.skipSubtree();
        return;
    }
    const std::string_view name = reader.localName();
    if (readBookmarkMark(reader, story))
        return;
    if (name == "p") {
        readParagraph(reader, story);
    } else if (name == "tbl") {
        readTable(reader, story);
    } else if (name == "sectPr" && story.pieceTable().isMain()) {
        OpenXmlSectionProperties section = OpenXmlSectionProperties::defaults(documentModel_.cache());
        properties_.readSectionProperties(reader, section);
        sections_.push_back(std::move(section));
    } else if (name == "altChunk") {
        recordAlternativeFormatChunk(reader, story);
    } else if (!readWrappedContent(reader, {"customXml", "ins", "moveTo"}, [&] { readBlockElement(reader, story); })) {
        reader.skipSubtree();
    }
}

void OpenXmlImporter::readParagraph(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    OpenXmlParagraphProperties properties = emptyParagraphProperties();
    forEachChildElement(reader, [&] {
        if (reader.localName() == "pPr" && isWordElement(reader))
            properties_.readParagraphProperties(reader, properties);
        else
            readParagraphContent(reader, story);
    });
    model::DocumentCache& cache = documentModel_.cache();
    OpenXmlParagraphEnd end;
    applyParagraphNumbering(properties, end);
    end.styleIndex = properties.styleIndex;
    end.propertiesIndex = cache.paragraphFormattingCache().add(properties.formatting);
    end.tabsIndex = cache.tabFormattingInfoCache().add(properties.tabs);
    end.markPropertiesIndex = cache.characterFormattingCache().add(properties.markFormatting);
    end.markStyleIndex = properties.markStyleIndex;
    if (properties.frame)
        end.frameIndex = cache.pictureCaches().paragraphFrameFormattingCache.add(*properties.frame);
    end.endsSection = properties.section.has_value() && story.canEndSection();
    if (end.endsSection)
        sections_.push_back(std::move(*properties.section));
    story.endParagraph(end);
}

void OpenXmlImporter::readParagraphContent(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    if (isAlternateContent(reader)) {
        readAlternateContent(reader, isSupportedDrawingChoice, [&] { readParagraphContent(reader, story); });
        return;
    }
    if (!isWordElement(reader)) {
        reader.skipSubtree();
        return;
    }
    const std::string_view name = reader.localName();
    if (readBookmarkMark(reader, story))
        return;
    if (name == "r") {
        readRun(reader, story);
    } else if (name == "hyperlink") {
        readHyperlink(reader, story);
    } else if (name == "fldSimple") {
        readSimpleField(reader, story);
    } else if (name == "drawing" || name == "pict") {
        story.setCharacterFormatting(model::DocumentCache::kEmptyPropertiesIndex, 0);
        if (name == "drawing")
            drawings_->readDrawing(reader, story);
        else
            drawings_->readVml(reader, story);
    } else if (!readWrappedContent(reader, {"smartTag", "customXml", "ins", "moveTo", "dir", "bdo"},
                                   [&] { readParagraphContent(reader, story); })) {
        // Deleted text, comments and permissions are not read yet.
        reader.skipSubtree();
    }
}

void OpenXmlImporter::readRun(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    int32_t propertiesIndex = model::DocumentCache::kEmptyPropertiesIndex;
    int32_t styleIndex = 0;
    forEachChildElement(reader, [&] {
        if (reader.localName() == "rPr" && isWordElement(reader)) {
            model::CharacterFormattingBase formatting = documentModel_.cache().characterFormattingCache()[propertiesIndex];
            properties_.readRunProperties(reader, formatting, &styleIndex);
            propertiesIndex = documentModel_.cache().characterFormattingCache().add(formatting);
        } else {
            readRunContent(reader, story, propertiesIndex, styleIndex);
        }
    });
}

void OpenXmlImporter::insertRunText(OpenXmlStoryBuilder& story, std::u16string text)
{
    std::erase_if(text, [](char16_t& character) {
        if (character == u'\r' || character == u'\n')
            character = model::kLineBreak;
        return character < 0x20 && character != model::kTab && character != model::kLineBreak;
    });
    story.insertText(text);
}

void OpenXmlImporter::readRunContent(XmlReader& reader, OpenXmlStoryBuilder& story, int32_t propertiesIndex, int32_t styleIndex)
{
    if (isAlternateContent(reader)) {
        readAlternateContent(reader, isSupportedDrawingChoice, [&] { readRunContent(reader, story, propertiesIndex, styleIndex); });
        return;
    }
    if (!isWordElement(reader)) {
        reader.skipSubtree();
        return;
    }
    story.setCharacterFormatting(propertiesIndex, styleIndex);
    const std::string_view name = reader.localName();
    if (name == "t" || (name == "instrText" && story.isInFieldCode())) {
        std::u16string text;
        forEachChildNode(reader, [&] { reader.skipSubtree(); }, [&] { text += reader.textUtf16(); });
        insertRunText(story, std::move(text));
        return;
    }
    if (name == "tab") {
        story.insertText(std::u16string_view(&model::kTab, 1));
    } else if (name == "br") {
        const std::string_view type = trimBlanks(OpenXmlAttributes::text(reader, "type").value_or("textWrapping"));
        const char16_t character = type == "page" ? u'\f' : type == "column" ? u'\x0E' : model::kLineBreak;
        story.insertText(std::u16string_view(&character, 1));
    } else if (name == "cr") {
        story.insertText(std::u16string_view(&model::kLineBreak, 1));
    } else if (name == "noBreakHyphen") {
        story.insertText(std::u16string_view(&model::kNonBreakingHyphen, 1));
    } else if (name == "softHyphen") {
        story.insertText(std::u16string_view(&model::kOptionalHyphen, 1));
    } else if (name == "sym") {
        const std::optional<std::string_view> font = OpenXmlAttributes::text(reader, "font");
        const std::optional<uint32_t> code = attributes_.hexInteger(reader, "char");
        if (font && code && *code > 0x1F && *code <= 0xFFFF && (*code < 0xD800 || *code > 0xDFFF)) {
            model::DocumentCache& cache = documentModel_.cache();
            model::CharacterFormattingBase formatting = cache.characterFormattingCache()[propertiesIndex];
            formatting.setFontName(core::utf8ToUtf16(*font));
            story.setCharacterFormatting(cache.characterFormattingCache().add(formatting), styleIndex);
            const auto character = static_cast<char16_t>(*code);
            story.insertText(std::u16string_view(&character, 1));
            story.setCharacterFormatting(propertiesIndex, styleIndex);
        }
    } else if (name == "fldChar") {
        const std::string_view type = trimBlanks(OpenXmlAttributes::text(reader, "fldCharType").value_or(""));
        if (type == "begin")
            story.beginField();
        else if (type == "separate")
            story.separateField();
        else if (type == "end")
            story.endField();
    } else if (name == "ruby") {
        // The base text is the text; the phonetic guide above it is not read.
        forEachChildElement(reader, [&] {
            if (reader.localName() == "rubyBase")
                forEachChildElement(reader, [&] { readParagraphContent(reader, story); });
            else
                reader.skipSubtree();
        });
        return;
    } else if (name == "drawing") {
        drawings_->readDrawing(reader, story);
        return;
    } else if (name == "pict" || name == "object") {
        drawings_->readVml(reader, story);
        return;
    } else if (name == "footnoteReference") {
        readNoteReference(reader, story, model::RunKind::FootNote);
    } else if (name == "endnoteReference") {
        readNoteReference(reader, story, model::RunKind::EndNote);
    }
    // Note marks inside notes and the rest are not read yet.
    reader.skipSubtree();
}

void OpenXmlImporter::readNoteReference(XmlReader& reader, OpenXmlStoryBuilder& story, model::RunKind kind)
{
    // Notes are referred to from the main story only.
    if (!story.pieceTable().isMain())
        return;
    const std::optional<std::string_view> id = OpenXmlAttributes::text(reader, "id");
    if (!id)
        return;
    std::map<std::string, int32_t>& ids = kind == model::RunKind::FootNote ? footNoteIds_ : endNoteIds_;
    auto found = ids.find(std::string(*id));
    if (found == ids.end()) {
        documentModel_.createNote(kind);
        const int32_t index = (kind == model::RunKind::FootNote ? documentModel_.footNoteCount() : documentModel_.endNoteCount()) - 1;
        found = ids.emplace(std::string(*id), index).first;
    }
    story.insertNoteReference(kind, found->second);
}

void OpenXmlImporter::readHyperlink(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    model::HyperlinkInfo info;
    if (const std::optional<std::string_view> id = OpenXmlAttributes::relationId(reader)) {
        if (const OpenXmlRelation* relation = currentRelations_->findById(*id))
            info.navigateUri = core::utf8ToUtf16(relation->target);
    }
    const auto text = [&reader](std::string_view name) { return core::utf8ToUtf16(OpenXmlAttributes::text(reader, name).value_or("")); };
    info.anchor = text("anchor");
    info.target = text("tgtFrame");
    info.toolTip = text("tooltip");
    if ((info.navigateUri.empty() && info.anchor.empty()) || !isCapabilityAllowed(documentModel_.capabilities().hyperlinks)) {
        forEachChildElement(reader, [&] { readParagraphContent(reader, story); });
        return;
    }
    story.setCharacterFormatting(model::DocumentCache::kEmptyPropertiesIndex, 0);
    story.beginField();
    story.insertText(model::HyperlinkInstructionBuilder(info).fieldInstruction());
    story.separateField();
    forEachChildElement(reader, [&] { readParagraphContent(reader, story); });
    story.setCharacterFormatting(model::DocumentCache::kEmptyPropertiesIndex, 0);
    story.endField();
}

void OpenXmlImporter::readSimpleField(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    const std::string instruction(trimBlanks(OpenXmlAttributes::text(reader, "instr").value_or("")));
    if (instruction.empty()) {
        forEachChildElement(reader, [&] { readParagraphContent(reader, story); });
        return;
    }
    story.setCharacterFormatting(model::DocumentCache::kEmptyPropertiesIndex, 0);
    story.beginField();
    insertRunText(story, core::utf8ToUtf16(instruction));
    story.separateField();
    forEachChildElement(reader, [&] { readParagraphContent(reader, story); });
    story.setCharacterFormatting(model::DocumentCache::kEmptyPropertiesIndex, 0);
    story.endField();
}

void OpenXmlImporter::readTextBoxStory(XmlReader& reader, model::PieceTable& pieceTable)
{
    OpenXmlStoryBuilder builder(pieceTable);
    readBlockContent(reader, builder);
    builder.finish();
}

void OpenXmlImporter::readTable(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    OpenXmlTableProperties table;
    story.beginTable();
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "tblPr" && isWordElement(reader))
            properties_.readTableProperties(reader, table);
        else if (name == "tblGrid" && isWordElement(reader))
            properties_.readTableGrid(reader, table.grid);
        else
            readTableContent(reader, story, table);
    });
    const int32_t propertiesIndex = documentModel_.cache().tablePropertiesCache().add(table.properties);
    story.endTable(std::max(table.styleIndex, 0), propertiesIndex, table.grid);
}

void OpenXmlImporter::readTableContent(XmlReader& reader, OpenXmlStoryBuilder& story, OpenXmlTableProperties& table)
{
    if (!isWordElement(reader)) {
        reader.skipSubtree();
        return;
    }
    const std::string_view name = reader.localName();
    if (readBookmarkMark(reader, story))
        return;
    if (name == "tr") {
        readTableRow(reader, story);
    } else if (!readWrappedContent(reader, {"customXml", "sdtContent"}, [&] { readTableContent(reader, story, table); })) {
        reader.skipSubtree();
    }
}

void OpenXmlImporter::readTableRow(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    model::TableRowPropertiesInfo row;
    OpenXmlTableProperties exception;
    bool hasException = false;
    bool started = false;
    const auto startRow = [&] {
        if (started)
            return;
        started = true;
        model::DocumentCache& cache = documentModel_.cache();
        const int32_t exceptionIndex = hasException ? cache.tablePropertiesCache().add(exception.properties) : 0;
        story.beginRow(cache.tableRowPropertiesCache().add(row), exceptionIndex);
    };
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "trPr" && isWordElement(reader) && !started) {
            properties_.readRowProperties(reader, row);
        } else if (name == "tblPrEx" && isWordElement(reader) && !started) {
            properties_.readTableProperties(reader, exception);
            hasException = true;
        } else {
            readRowContent(reader, story, startRow);
        }
    });
    story.endRow();
}

void OpenXmlImporter::readRowContent(XmlReader& reader, OpenXmlStoryBuilder& story, const std::function<void()>& startRow)
{
    if (!isWordElement(reader)) {
        reader.skipSubtree();
        return;
    }
    const std::string_view name = reader.localName();
    if (readBookmarkMark(reader, story))
        return;
    if (name == "tc") {
        startRow();
        readTableCell(reader, story);
    } else if (!readWrappedContent(reader, {"customXml", "sdtContent"}, [&] { readRowContent(reader, story, startRow); })) {
        reader.skipSubtree();
    }
}

void OpenXmlImporter::readTableCell(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    model::TableCellPropertiesInfo cell;
    bool started = false;
    const auto startCell = [&] {
        if (!started)
            story.beginCell(cell);
        started = true;
    };
    forEachChildElement(reader, [&] {
        if (reader.localName() == "tcPr" && isWordElement(reader) && !started) {
            properties_.readCellProperties(reader, cell);
            return;
        }
        startCell();
        readBlockElement(reader, story);
    });
    startCell();
    story.endCell();
}

} // namespace velmo::formats

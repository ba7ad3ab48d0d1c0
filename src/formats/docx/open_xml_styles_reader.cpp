// The styles part: document defaults, paragraph, character, table and numbering styles.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_importer.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"

namespace velmo::formats {

namespace {

/// What one "style" element gives.
struct StyleRead {
    std::string id;
    std::string type;
    bool isDefault = false;
    std::u16string name;
    std::string basedOn;
    std::string next;
    bool hidden = false;
    bool semiHidden = false;
    bool primary = false;
    OpenXmlParagraphProperties paragraph;
    model::CharacterFormattingBase character;
    OpenXmlTableProperties table;
    model::TableRowPropertiesInfo row;
    model::TableCellPropertiesInfo cell;
};

/// The formatting of one part of a table style, as cache indices.
model::TableStyleFormatting tableStyleFormatting(model::DocumentCache& cache, const StyleRead& style)
{
    model::TableStyleFormatting formatting;
    formatting.tablePropertiesIndex = cache.tablePropertiesCache().add(style.table.properties);
    formatting.rowPropertiesIndex = cache.tableRowPropertiesCache().add(style.row);
    formatting.cellPropertiesIndex = cache.tableCellPropertiesCache().add(style.cell);
    formatting.paragraphPropertiesIndex = cache.paragraphFormattingCache().add(style.paragraph.formatting);
    formatting.characterPropertiesIndex = cache.characterFormattingCache().add(style.character);
    return formatting;
}

/// The index of the style to fill: the default one, one of the same name, or a new one.
template <typename Style>
int32_t styleSlot(model::DocumentModel& documentModel, model::StyleCollection<Style>& styles,
                  std::unordered_map<std::u16string, int32_t>& names, const StyleRead& read)
{
    if (read.isDefault)
        return 0;
    if (names.empty()) {
        for (int32_t index = styles.count() - 1; index >= 0; --index)
            names[styles[index].styleName()] = index;
    }
    const auto found = names.find(read.name);
    if (found != names.end())
        return found->second;
    const int32_t index = styles.append(std::make_unique<Style>(documentModel, read.name));
    names.emplace(read.name, index);
    return index;
}

} // namespace

void OpenXmlImporter::readDocumentDefaults(XmlReader& reader, model::CharacterFormattingBase& characterDefaults,
                                           model::ParagraphFormattingBase& paragraphDefaults)
{
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "rPrDefault") {
            forEachChildElement(reader, [&] {
                if (reader.localName() == "rPr")
                    properties_.readRunProperties(reader, characterDefaults, nullptr);
                else
                    reader.skipSubtree();
            });
        } else if (name == "pPrDefault") {
            forEachChildElement(reader, [&] {
                if (reader.localName() == "pPr") {
                    OpenXmlParagraphProperties properties;
                    properties.formatting = paragraphDefaults;
                    properties_.readParagraphProperties(reader, properties);
                    paragraphDefaults = properties.formatting;
                } else {
                    reader.skipSubtree();
                }
            });
        } else {
            reader.skipSubtree();
        }
    });
}

void OpenXmlImporter::readStyles(XmlReader& reader)
{
    // What a document gives no default for is what word processors assume: Times New Roman at
    // 10 points, no space after paragraphs, single lines. Only those are set, so that table
    // styles can still give the rest.
    model::CharacterFormattingBase characterDefaults = documentModel_.cache().characterFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
    characterDefaults.setFontName(u"Times New Roman");
    characterDefaults.setDoubleFontSize(20);
    model::ParagraphFormattingBase paragraphDefaults = documentModel_.cache().paragraphFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
    paragraphDefaults.set(model::UsedParagraphFormattingOption::UseSpacingAfter, [](model::ParagraphFormattingInfo& info) { info.setSpacingAfter(0); });
    paragraphDefaults.set(model::UsedParagraphFormattingOption::UseLineSpacing, [](model::ParagraphFormattingInfo& info) {
        info.setLineSpacingType(model::ParagraphLineSpacing::Single);
        info.setLineSpacing(0.0f);
    });

    std::vector<StyleLinks> links;
    forEachChildElement(reader, [&] {
        if (!isWordElement(reader))
            reader.skipSubtree();
        else if (reader.localName() == "docDefaults")
            readDocumentDefaults(reader, characterDefaults, paragraphDefaults);
        else if (reader.localName() == "style")
            readStyle(reader, links);
        else
            reader.skipSubtree();
    });
    resolveStyleLinks(links);

    // The model keeps its own document defaults: the file's reach the text through the styles
    // every paragraph style descends from.
    model::DocumentCache& cache = documentModel_.cache();
    auto& paragraphStyles = documentModel_.styles().paragraphStyles();
    for (int32_t index = 0; index < paragraphStyles.count(); ++index) {
        model::ParagraphStyle& style = paragraphStyles[index];
        if (style.parent())
            continue;
        model::CharacterFormattingBase character = characterDefaults;
        const model::CharacterFormattingBase& ownCharacter = cache.characterFormattingCache()[style.characterPropertiesIndex()];
        character.setProperties(ownCharacter.info(), ownCharacter.mask());
        style.setCharacterPropertiesIndexInitial(cache.characterFormattingCache().add(character));
        model::ParagraphFormattingBase paragraph = paragraphDefaults;
        const model::ParagraphFormattingBase& ownParagraph = cache.paragraphFormattingCache()[style.paragraphPropertiesIndex()];
        paragraph.setProperties(ownParagraph.info(), ownParagraph.mask());
        style.setParagraphPropertiesIndexInitial(cache.paragraphFormattingCache().add(paragraph));
    }
    documentModel_.resetFormattingCaches();
}

void OpenXmlImporter::readStyle(XmlReader& reader, std::vector<StyleLinks>& links)
{
    const model::DocumentCache& emptyCache = documentModel_.cache();
    const auto emptyStyle = [&] {
        StyleRead style;
        style.paragraph = emptyParagraphProperties();
        style.character = emptyCache.characterFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
        return style;
    };
    StyleRead read = emptyStyle();
    read.id = std::string(OpenXmlAttributes::text(reader, "styleId").value_or(""));
    read.type = std::string(trimBlanks(OpenXmlAttributes::text(reader, "type").value_or("paragraph")));
    read.isDefault = attributes_.onOff(reader, "default", false);
    std::vector<std::pair<model::ConditionalTableStyleFormattingType, StyleRead>> conditionalParts;
    const auto readParts = [&](StyleRead& target) {
        const std::string_view name = reader.localName();
        if (name == "pPr")
            properties_.readParagraphProperties(reader, target.paragraph);
        else if (name == "rPr")
            properties_.readRunProperties(reader, target.character, nullptr);
        else if (name == "tblPr")
            properties_.readTableProperties(reader, target.table);
        else if (name == "trPr")
            properties_.readRowProperties(reader, target.row);
        else if (name == "tcPr")
            properties_.readCellProperties(reader, target.cell);
        else
            return false;
        return true;
    };
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (readParts(read))
            return;
        if (name == "name")
            read.name = core::utf8ToUtf16(OpenXmlAttributes::text(reader, "val").value_or(""));
        else if (name == "basedOn")
            read.basedOn = std::string(OpenXmlAttributes::text(reader, "val").value_or(""));
        else if (name == "next")
            read.next = std::string(OpenXmlAttributes::text(reader, "val").value_or(""));
        else if (name == "hidden")
            read.hidden = attributes_.onOff(reader, "val", true);
        else if (name == "semiHidden")
            read.semiHidden = attributes_.onOff(reader, "val", true);
        else if (name == "qFormat")
            read.primary = attributes_.onOff(reader, "val", true);
        else if (name == "tblStylePr") {
            const std::string_view type = trimBlanks(OpenXmlAttributes::text(reader, "type").value_or(""));
            const std::optional<model::ConditionalTableStyleFormattingType> part = valueOf(kConditionalStyleWords, type);
            StyleRead partRead = emptyStyle();
            forEachChildElement(reader, [&] {
                if (!isWordElement(reader) || !readParts(partRead))
                    reader.skipSubtree();
            });
            if (part)
                conditionalParts.emplace_back(*part, std::move(partRead));
            return;
        }
        reader.skipSubtree();
    });
    if (read.id.empty() || stylesRead_ >= kMaxStyles)
        return;
    ++stylesRead_;
    if (read.name.empty())
        read.name = core::utf8ToUtf16(read.id);

    model::DocumentCache& cache = documentModel_.cache();
    model::DocumentStyles& styles = documentModel_.styles();
    model::StyleBase* style = nullptr;
    StyleLinks link{model::StyleType::ParagraphStyle, 0, read.basedOn, read.next};
    if (read.type == "paragraph") {
        const int32_t index = styleSlot(documentModel_, styles.paragraphStyles(), paragraphStyleNames_, read);
        model::ParagraphStyle& paragraphStyle = styles.paragraphStyles()[index];
        paragraphStyle.setCharacterPropertiesIndexInitial(cache.characterFormattingCache().add(read.character));
        paragraphStyle.setParagraphPropertiesIndexInitial(cache.paragraphFormattingCache().add(read.paragraph.formatting));
        const int32_t tabsIndex = cache.tabFormattingInfoCache().add(read.paragraph.tabs);
        if (tabsIndex != paragraphStyle.tabsIndex())
            paragraphStyle.setTabsIndex(tabsIndex);
        if (read.paragraph.frame)
            paragraphStyle.setFrameFormattingIndex(cache.pictureCaches().paragraphFrameFormattingCache.add(*read.paragraph.frame));
        styleIds_.paragraph[read.id] = index;
        if (read.paragraph.numbering)
            paragraphStyleNumbering_.emplace_back(index, *read.paragraph.numbering);
        link.index = index;
        style = &paragraphStyle;
    } else if (read.type == "character") {
        const int32_t index = styleSlot(documentModel_, styles.characterStyles(), characterStyleNames_, read);
        model::CharacterStyle& characterStyle = styles.characterStyles()[index];
        characterStyle.setCharacterPropertiesIndexInitial(cache.characterFormattingCache().add(read.character));
        styleIds_.character[read.id] = index;
        link = {model::StyleType::CharacterStyle, index, read.basedOn, {}};
        style = &characterStyle;
    } else if (read.type == "table") {
        const int32_t index = styleSlot(documentModel_, styles.tableStyles(), tableStyleNames_, read);
        model::TableStyle& tableStyle = styles.tableStyles()[index];
        tableStyle.formattingCore() = tableStyleFormatting(cache, read);
        for (const auto& [part, partRead] : conditionalParts)
            tableStyle.formattingCore(part) = tableStyleFormatting(cache, partRead);
        styleIds_.table[read.id] = index;
        link = {model::StyleType::TableStyle, index, read.basedOn, {}};
        style = &tableStyle;
    } else if (read.type == "numbering") {
        // A numbering style stands for the list its "numPr" names; lists linked to it find it by id.
        auto& numberingStyles = documentModel_.numbering().numberingListStyles();
        const int32_t index = numberingStyles.append(std::make_unique<model::NumberingListStyle>(documentModel_, read.name));
        styleIds_.numbering[read.id] = index;
        if (read.paragraph.numbering && read.paragraph.numbering->numberingId)
            numberingStyleNumberingIds_.emplace_back(index, *read.paragraph.numbering->numberingId);
        link = {model::StyleType::NumberingListStyle, index, {}, {}};
        style = &numberingStyles[index];
    } else {
        return; // table cell styles are not read yet
    }
    style->setHidden(read.hidden);
    style->setSemihidden(read.semiHidden);
    style->setPrimary(read.primary);
    links.push_back(std::move(link));
}

void OpenXmlImporter::resolveStyleLinks(const std::vector<StyleLinks>& links)
{
    model::DocumentStyles& styles = documentModel_.styles();
    for (const StyleLinks& link : links) {
        switch (link.type) {
        case model::StyleType::ParagraphStyle: {
            model::ParagraphStyle& style = styles.paragraphStyles()[link.index];
            const int32_t parent = OpenXmlStyleIds::find(styleIds_.paragraph, link.basedOn, -1);
            if (parent >= 0 && parent != link.index)
                style.setParent(&styles.paragraphStyles()[parent]);
            const int32_t next = OpenXmlStyleIds::find(styleIds_.paragraph, link.next, -1);
            if (next >= 0)
                style.setNextParagraphStyle(&styles.paragraphStyles()[next]);
            break;
        }
        case model::StyleType::CharacterStyle: {
            const int32_t parent = OpenXmlStyleIds::find(styleIds_.character, link.basedOn, -1);
            if (parent >= 0 && parent != link.index)
                styles.characterStyles()[link.index].setParent(&styles.characterStyles()[parent]);
            break;
        }
        case model::StyleType::TableStyle: {
            const int32_t parent = OpenXmlStyleIds::find(styleIds_.table, link.basedOn, -1);
            if (parent >= 0 && parent != link.index)
                styles.tableStyles()[link.index].setParent(&styles.tableStyles()[parent]);
            break;
        }
        case model::StyleType::NumberingListStyle: break;
        case model::StyleType::TableCellStyle: break;
        }
    }
}

} // namespace velmo::formats

#include "model/document_styles.h"

#include "core/editor_exception.h"
#include "model/character_properties.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/merged_character_properties.h"
#include "model/numbering/numbering_list_copier.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/tab_properties.h"

#include <array>

namespace velmo::model {

namespace {

template <typename Style>
int32_t addStyle(DocumentModel& document, StyleCollection<Style>& collection, std::unique_ptr<Style> style)
{
    if (style->parent() && collection.indexOf(style->parent()) < 0)
        throw core::EditorException::invalidValue("a style outside the document", "Parent");
    Style* const added = style.get();
    // The style lives in this holder while its addition is undone.
    auto holder = std::make_shared<std::unique_ptr<Style>>(std::move(style));
    BatchUpdateScope batch(document);
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        document.mainPieceTable(), [&collection, holder] { collection.append(std::move(*holder)); },
        [&collection, holder] { *holder = collection.removeLast(); }));
    return collection.indexOf(added);
}

/// Sets a style flag as an undoable step.
void recordDeleted(DocumentModel& document, StyleBase& style, bool deleted)
{
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        document.mainPieceTable(), [&style, deleted] { style.setDeletedCore(deleted); },
        [&style, deleted] { style.setDeletedCore(!deleted); }));
}

struct HeadingLook {
    int32_t doubleFontSize; // 0: not set
    bool bold;
    bool italic;
    AlphaColor color;
};

constexpr std::array<HeadingLook, 9> kHeadingLooks = {
    HeadingLook{28, true, false, opaqueColor(54, 95, 145)},  HeadingLook{26, true, false, opaqueColor(79, 129, 189)},
    HeadingLook{0, true, false, opaqueColor(79, 129, 189)},  HeadingLook{0, true, true, opaqueColor(79, 129, 189)},
    HeadingLook{0, false, false, opaqueColor(36, 63, 96)},   HeadingLook{0, false, true, opaqueColor(36, 63, 96)},
    HeadingLook{0, false, true, opaqueColor(64, 64, 64)},    HeadingLook{20, false, false, opaqueColor(64, 64, 64)},
    HeadingLook{20, false, true, opaqueColor(64, 64, 64)},
};

std::u16string numbered(std::u16string_view prefix, int32_t level, std::u16string_view suffix = {})
{
    const std::string digits = std::to_string(level);
    return std::u16string(prefix) + std::u16string(digits.begin(), digits.end()) + std::u16string(suffix);
}

} // namespace

DocumentStyles::DocumentStyles(DocumentModel& documentModel) : documentModel_(documentModel)
{
    createBuiltInStyles();
}

void DocumentStyles::createBuiltInStyles()
{
    links_.clear();
    characterStyles_.clear();
    paragraphStyles_.clear();
    paragraphStyles_.append(std::make_unique<ParagraphStyle>(documentModel_, u"Normal"));

    auto defaultFont = std::make_unique<CharacterStyle>(documentModel_, u"Default Paragraph Font");
    defaultFont->setSemihidden(true);
    CharacterStyle& defaultFontStyle = *defaultFont;
    characterStyles_.append(std::move(defaultFont));
    auto lineNumber = std::make_unique<CharacterStyle>(documentModel_, u"Line Number");
    lineNumber->setParentCore(&defaultFontStyle);
    lineNumber->setSemihidden(true);
    characterStyles_.append(std::move(lineNumber));
    auto hyperlink = std::make_unique<CharacterStyle>(documentModel_, u"Hyperlink");
    auto& cache = documentModel_.cache().characterFormattingCache();
    CharacterFormattingBase look = cache[DocumentCache::kEmptyPropertiesIndex];
    look.setForeColor(opaqueColor(0, 0, 255));
    look.setFontUnderlineType(UnderlineType::Single);
    hyperlink->setCharacterPropertiesIndexInitial(cache.add(look));
    characterStyles_.append(std::move(hyperlink));
    createBuiltInTableStyles();
}

void DocumentStyles::createBuiltInTableStyles()
{
    tableStyles_.clear();
    tableCellStyles_.clear();
    auto& tables = documentModel_.cache().tablePropertiesCache();
    // Cell margins of 108 twips left and right, none above and below.
    TablePropertiesInfo normal;
    constexpr int32_t kCellMargin = 108;
    normal.cellMargins = {{WidthUnitType::ModelUnits, kCellMargin}, {WidthUnitType::ModelUnits, kCellMargin},
                          {WidthUnitType::ModelUnits, 0}, {WidthUnitType::ModelUnits, 0}};
    for (const auto option : {TablePropertiesOptions::UseLeftMargin, TablePropertiesOptions::UseRightMargin,
                              TablePropertiesOptions::UseTopMargin, TablePropertiesOptions::UseBottomMargin})
        normal.use(option);
    auto normalTable = std::make_unique<TableStyle>(documentModel_, u"Normal Table");
    normalTable->formattingCore().tablePropertiesIndex = tables.add(normal);
    TableStyle& normalStyle = *normalTable;
    tableStyles_.append(std::move(normalTable));

    TablePropertiesInfo simple = normal;
    simple.mask = 0;
    simple.use(TablePropertiesOptions::UseLeftMargin);
    simple.use(TablePropertiesOptions::UseRightMargin);
    constexpr int32_t kSimpleBorderWidth = 10;
    for (BorderInfo& border : simple.borders) {
        border.style = BorderLineStyle::Single;
        border.width = kSimpleBorderWidth;
    }
    simple.use(TablePropertiesOptions::UseBorders);
    auto tableSimple = std::make_unique<TableStyle>(documentModel_, u"Table Simple 1");
    tableSimple->setParentCore(&normalStyle);
    tableSimple->formattingCore().tablePropertiesIndex = tables.add(simple);
    tableStyles_.append(std::move(tableSimple));
}

int32_t DocumentStyles::addCharacterStyle(std::unique_ptr<CharacterStyle> style)
{
    return addStyle(documentModel_, characterStyles_, std::move(style));
}

int32_t DocumentStyles::addParagraphStyle(std::unique_ptr<ParagraphStyle> style)
{
    return addStyle(documentModel_, paragraphStyles_, std::move(style));
}

void DocumentStyles::deleteCharacterStyle(CharacterStyle& style)
{
    const int32_t index = characterStyles_.indexOf(&style);
    if (index <= 0 || style.deleted())
        return;
    BatchUpdateScope batch(documentModel_);
    for (int32_t child = 0; child < characterStyles_.count(); ++child) {
        CharacterStyle& candidate = characterStyles_[child];
        if (candidate.parent() != &style)
            continue;
        CharacterProperties(candidate).merge(CharacterProperties(style));
        candidate.setParent(style.parent());
    }
    for (PieceTable* story : documentModel_.pieceTables(true)) {
        for (int32_t run = 0; run < story->runCount(); ++run) {
            if (story->run(RunIndex(run)).characterStyleIndex() == index)
                story->setCharacterStyleIndex(RunIndex(run), StyleCollection<CharacterStyle>::kDefaultItemIndex);
        }
    }
    recordDeleted(documentModel_, style, true);
}

void DocumentStyles::deleteParagraphStyle(ParagraphStyle& style)
{
    const int32_t index = paragraphStyles_.indexOf(&style);
    if (index <= 0 || style.deleted())
        return;
    BatchUpdateScope batch(documentModel_);
    for (int32_t other = 0; other < paragraphStyles_.count(); ++other) {
        ParagraphStyle& candidate = paragraphStyles_[other];
        if (candidate.parent() == &style) {
            ParagraphProperties(candidate).merge(ParagraphProperties(style));
            CharacterProperties(candidate).merge(CharacterProperties(style));
            candidate.setParent(style.parent());
        }
        if (candidate.nextParagraphStyle() == &style)
            candidate.setNextParagraphStyle(nullptr);
    }
    for (PieceTable* story : documentModel_.pieceTables(true)) {
        for (int32_t paragraph = 0; paragraph < story->paragraphCount(); ++paragraph) {
            if (story->paragraph(ParagraphIndex(paragraph)).paragraphStyleIndex() == index)
                story->setParagraphStyleIndex(ParagraphIndex(paragraph), StyleCollection<ParagraphStyle>::kDefaultItemIndex);
        }
    }
    recordDeleted(documentModel_, style, true);
}

CharacterFormattingInfo DocumentStyles::mergedWithDefaultCharacterProperties(const CharacterStyle& style) const
{
    const auto& cache = documentModel_.cache().characterFormattingCache();
    MergedCharacterProperties merged(cache[style.characterPropertiesIndex()]);
    for (const CharacterStyle* parent = style.parentStyle(); parent; parent = parent->parentStyle())
        merged.merge(cache[parent->characterPropertiesIndex()]);
    merged.merge(cache[DocumentCache::kDefaultPropertiesIndex]);
    return merged.info();
}

CharacterFormattingInfo DocumentStyles::mergedWithDefaultCharacterProperties(const ParagraphStyle& style) const
{
    const auto& cache = documentModel_.cache().characterFormattingCache();
    MergedCharacterProperties merged(cache[style.characterPropertiesIndex()]);
    for (const ParagraphStyle* parent = style.parentStyle(); parent; parent = parent->parentStyle())
        merged.merge(cache[parent->characterPropertiesIndex()]);
    merged.merge(cache[DocumentCache::kDefaultPropertiesIndex]);
    return merged.info();
}

ParagraphFormattingInfo DocumentStyles::mergedWithDefaultParagraphProperties(const ParagraphStyle& style) const
{
    const auto& cache = documentModel_.cache().paragraphFormattingCache();
    MergedParagraphProperties merged(cache[style.paragraphPropertiesIndex()]);
    for (const ParagraphStyle* parent = style.parentStyle(); parent; parent = parent->parentStyle())
        merged.merge(cache[parent->paragraphPropertiesIndex()]);
    merged.merge(cache[DocumentCache::kDefaultPropertiesIndex]);
    return merged.info();
}

int32_t DocumentStyles::copyCharacterStyleFrom(const CharacterStyle& source)
{
    if (const int32_t existing = characterStyles_.styleIndexByName(source.styleName()); existing >= 0)
        return existing;
    BatchUpdateScope batch(documentModel_);
    const DocumentModel& sourceDocument = source.documentModel();
    auto copy = std::make_unique<CharacterStyle>(documentModel_, source.styleName());
    if (const CharacterStyle* parent = source.parentStyle())
        copy->setParentCore(&characterStyles_[copyCharacterStyleFrom(*parent)]);
    auto& cache = documentModel_.cache().characterFormattingCache();
    copy->setCharacterPropertiesIndexInitial(cache.add(sourceDocument.cache().characterFormattingCache()[source.characterPropertiesIndex()]));
    CharacterStyle& target = *copy;
    const int32_t index = addCharacterStyle(std::move(copy));
    // Other defaults may give the copy another look: set what differs.
    const CharacterFormattingInfo wanted = sourceDocument.styles().mergedWithDefaultCharacterProperties(source);
    const CharacterPropertiesMask differing = mergedWithDefaultCharacterProperties(target).differingProperties(wanted);
    if (differing != 0)
        CharacterProperties(target).change([&](CharacterFormattingBase& f) { f.setProperties(wanted, differing); },
                                           CharacterPropertiesTraits::kAllChangeActions);
    return index;
}

int32_t DocumentStyles::copyParagraphStyleFrom(const ParagraphStyle& source, NumberingListCopier* lists)
{
    if (const int32_t existing = paragraphStyles_.styleIndexByName(source.styleName()); existing >= 0)
        return existing;
    BatchUpdateScope batch(documentModel_);
    const DocumentModel& sourceDocument = source.documentModel();
    auto copy = std::make_unique<ParagraphStyle>(documentModel_, source.styleName());
    if (const ParagraphStyle* parent = source.parentStyle())
        copy->setParentCore(&paragraphStyles_[copyParagraphStyleFrom(*parent, lists)]);
    copy->setCharacterPropertiesIndexInitial(documentModel_.cache().characterFormattingCache().add(
        sourceDocument.cache().characterFormattingCache()[source.characterPropertiesIndex()]));
    copy->setParagraphPropertiesIndexInitial(documentModel_.cache().paragraphFormattingCache().add(
        sourceDocument.cache().paragraphFormattingCache()[source.paragraphPropertiesIndex()]));
    copy->setAutoUpdate(source.autoUpdate());
    ParagraphStyle& target = *copy;
    const int32_t index = addParagraphStyle(std::move(copy));
    TabProperties(target).setInfo(sourceDocument.cache().tabFormattingInfoCache()[source.tabsIndex()]);
    target.setListLevelIndex(source.ownListLevelIndex());
    const int32_t ownList = source.ownNumberingListIndex();
    if (ownList < 0 || lists)
        target.setNumberingListIndex(ownList < 0 ? ownList : lists->targetNumberingListIndex(ownList));
    if (const ParagraphStyle* next = source.nextParagraphStyle())
        target.setNextParagraphStyle(&paragraphStyles_[copyParagraphStyleFrom(*next, lists)]);
    const CharacterFormattingInfo wantedCharacters = sourceDocument.styles().mergedWithDefaultCharacterProperties(source);
    const CharacterPropertiesMask differingCharacters =
        mergedWithDefaultCharacterProperties(target).differingProperties(wantedCharacters);
    if (differingCharacters != 0)
        CharacterProperties(target).change([&](CharacterFormattingBase& f) { f.setProperties(wantedCharacters, differingCharacters); },
                                           CharacterPropertiesTraits::kAllChangeActions);
    const ParagraphFormattingInfo wantedParagraphs = sourceDocument.styles().mergedWithDefaultParagraphProperties(source);
    const ParagraphPropertiesMask differingParagraphs =
        mergedWithDefaultParagraphProperties(target).differingProperties(wantedParagraphs);
    if (differingParagraphs != 0)
        ParagraphProperties(target).change([&](ParagraphFormattingBase& f) { f.setProperties(wantedParagraphs, differingParagraphs); },
                                           ParagraphPropertiesTraits::kAllChangeActions);
    return index;
}

int32_t DocumentStyles::headingParagraphStyle(int32_t level)
{
    const std::u16string name = numbered(u"Heading ", level);
    if (const int32_t existing = paragraphStyles_.styleIndexByName(name); existing >= 0)
        return existing;
    BatchUpdateScope batch(documentModel_);
    ParagraphStyle& normal = paragraphStyles_.defaultItem();
    auto heading = std::make_unique<ParagraphStyle>(documentModel_, name);
    heading->setParentCore(&normal);
    ParagraphStyle& headingStyle = *heading;

    auto& paragraphCache = documentModel_.cache().paragraphFormattingCache();
    ParagraphFormattingBase spacing = paragraphCache[DocumentCache::kEmptyPropertiesIndex];
    if (level >= 1 && level <= 9)
        spacing.set(UsedParagraphFormattingOption::UseOutlineLevel, [level](auto& info) { info.setOutlineLevel(level); });
    spacing.set(UsedParagraphFormattingOption::UseSpacingAfter, [](auto& info) { info.setSpacingAfter(0); });
    spacing.set(UsedParagraphFormattingOption::UseSpacingBefore, [level](auto& info) { info.setSpacingBefore(level == 1 ? 480 : 200); });
    heading->setParagraphPropertiesIndexInitial(paragraphCache.add(spacing));

    auto& characterCache = documentModel_.cache().characterFormattingCache();
    CharacterFormattingBase look = characterCache[DocumentCache::kEmptyPropertiesIndex];
    if (level >= 1 && level <= 9) {
        const HeadingLook& row = kHeadingLooks[static_cast<size_t>(level - 1)];
        if (row.doubleFontSize > 0)
            look.setDoubleFontSize(row.doubleFontSize);
        look.setFontBold(row.bold);
        look.setFontItalic(row.italic);
        look.setForeColor(row.color);
    }
    heading->setCharacterPropertiesIndexInitial(characterCache.add(look));
    const int32_t index = addParagraphStyle(std::move(heading));
    headingStyle.setNextParagraphStyle(&normal);

    const std::u16string characterName = numbered(u"Heading ", level, u" Char");
    int32_t characterIndex = characterStyles_.styleIndexByName(characterName);
    if (characterIndex < 0) {
        auto character = std::make_unique<CharacterStyle>(documentModel_, characterName);
        character->setParentCore(&characterStyles_.defaultItem());
        character->setHidden(true);
        characterIndex = addCharacterStyle(std::move(character));
    }
    CharacterStyle& characterStyle = characterStyles_[characterIndex];
    if (!links_.linkedCharacterStyle(headingStyle) && !links_.linkedParagraphStyle(characterStyle))
        links_.createLink(headingStyle, characterStyle);
    return index;
}

int32_t DocumentStyles::tocStyle(int32_t level) const
{
    return paragraphStyles_.styleIndexByName(numbered(u"TOC ", level), true);
}

int32_t DocumentStyles::createTocStyle(int32_t level)
{
    auto toc = std::make_unique<ParagraphStyle>(documentModel_, numbered(u"TOC ", level));
    toc->setParentCore(&paragraphStyles_.defaultItem());
    auto& cache = documentModel_.cache().paragraphFormattingCache();
    ParagraphFormattingBase look = cache[DocumentCache::kEmptyPropertiesIndex];
    look.set(UsedParagraphFormattingOption::UseOutlineLevel, [](auto& info) { info.setOutlineLevel(0); });
    look.set(UsedParagraphFormattingOption::UseSpacingAfter, [](auto& info) { info.setSpacingAfter(100); });
    look.set(UsedParagraphFormattingOption::UseLeftIndent, [level](auto& info) { info.setLeftIndent((level - 1) * 221); });
    toc->setParagraphPropertiesIndexInitial(cache.add(look));
    return addParagraphStyle(std::move(toc));
}

} // namespace velmo::model

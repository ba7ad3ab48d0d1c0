#include "model/numbering/default_numbering_list_helper.h"

#include "model/document_model.h"
#include "model/document_model_unit_converter.h"
#include "model/numbering/abstract_numbering_list.h"
#include "model/numbering/document_numbering.h"

#include <array>
#include <memory>
#include <string>

namespace velmo::model {

namespace {

constexpr int32_t kSimpleLevelIndentStep = 150; // documents (1/300 inch) per level
// Multilevel left indents, in documents; each level's first line hangs back to i x 360 twips.
constexpr std::array<int32_t, kListLevelCount> kMultiLevelLeftIndents = {75, 165, 255, 360, 465, 570, 675, 780, 900};
constexpr int32_t kMultiLevelTextStep = 360; // twips

int32_t indentProperties(DocumentModel& document, int32_t leftIndent, int32_t hanging)
{
    ParagraphFormattingBase properties;
    properties.set(UsedParagraphFormattingOption::UseLeftIndent, [leftIndent](auto& info) { info.setLeftIndent(leftIndent); });
    properties.set(UsedParagraphFormattingOption::UseFirstLineIndent, [hanging](auto& info) {
        info.setFirstLineIndentType(ParagraphFirstLineIndent::Hanging);
        info.setFirstLineIndent(hanging);
    });
    return document.cache().paragraphFormattingCache().add(properties);
}

/// "%i:s.": the level shows its own number only.
std::u16string ownNumberFormat(int32_t level)
{
    return u"%" + std::u16string(1, static_cast<char16_t>(u'0' + level)) + u":s.";
}

} // namespace

void DefaultNumberingListHelper::insertNumberingLists(DocumentModel& document, int32_t defaultTabWidth)
{
    BatchUpdateScope batch(document);
    DocumentNumbering& numbering = document.numbering();
    const std::array<int32_t, 3> abstractLists = {insertDefaultSimpleNumberingList(document, defaultTabWidth),
                                                  insertDefaultBulletNumberingList(document, defaultTabWidth),
                                                  insertDefaultMultiLevelNumberingList(document)};
    for (const int32_t abstractIndex : abstractLists) {
        auto list = std::make_unique<NumberingList>(abstractIndex);
        list->setId(numbering.generateNewNumberingListId());
        (void)numbering.addNumberingListUsingHistory(std::move(list));
    }
}

AbstractNumberingList DefaultNumberingListHelper::createSingleLevelList(DocumentModel& document, int32_t defaultTabWidth)
{
    AbstractNumberingList list;
    std::set<int32_t> taken;
    for (int32_t index = 0; index < kListLevelCount; ++index) {
        ListLevel& level = list.level(index);
        const int32_t leftIndent = DocumentModelUnitConverter::documentsToModelUnits((index + 1) * kSimpleLevelIndentStep);
        level.paragraphPropertiesIndex = indentProperties(document, leftIndent, defaultTabWidth / 2);
        level.listLevelProperties.templateCode = freshTemplateCode(document, taken);
    }
    return list;
}

int32_t DefaultNumberingListHelper::insertDefaultSimpleNumberingList(DocumentModel& document, int32_t defaultTabWidth)
{
    AbstractNumberingList list = createSingleLevelList(document, defaultTabWidth);
    for (int32_t index = 0; index < kListLevelCount; ++index) {
        ListLevelInfo& info = list.level(index).listLevelProperties;
        info.displayFormatString = ownNumberFormat(index);
        info.format = NumberingFormat::Decimal;
    }
    list.setId(document.numbering().generateNewAbstractNumberingListId());
    return document.numbering().addAbstractNumberingListUsingHistory(std::make_unique<AbstractNumberingList>(list));
}

int32_t DefaultNumberingListHelper::insertDefaultBulletNumberingList(DocumentModel& document, int32_t defaultTabWidth)
{
    AbstractNumberingList list = createSingleLevelList(document, defaultTabWidth);
    CharacterFormattingBase symbolFont;
    symbolFont.setFontName(u"Symbol");
    const int32_t symbolFontIndex = document.cache().characterFormattingCache().add(symbolFont);
    for (int32_t index = 0; index < kListLevelCount; ++index) {
        ListLevel& level = list.level(index);
        level.characterPropertiesIndex = symbolFontIndex;
        level.listLevelProperties.displayFormatString = index % 2 == 0 ? u"\u00B7" : u"o";
        level.listLevelProperties.format = NumberingFormat::Bullet;
    }
    list.setId(document.numbering().generateNewAbstractNumberingListId());
    return document.numbering().addAbstractNumberingListUsingHistory(std::make_unique<AbstractNumberingList>(list));
}

int32_t DefaultNumberingListHelper::insertDefaultMultiLevelNumberingList(DocumentModel& document)
{
    AbstractNumberingList list;
    std::u16string displayFormat;
    for (int32_t index = 0; index < kListLevelCount; ++index) {
        ListLevel& level = list.level(index);
        const int32_t leftIndent =
            DocumentModelUnitConverter::documentsToModelUnits(kMultiLevelLeftIndents[static_cast<size_t>(index)]);
        level.paragraphPropertiesIndex = indentProperties(document, leftIndent, leftIndent - index * kMultiLevelTextStep);
        displayFormat += ownNumberFormat(index);
        level.listLevelProperties.displayFormatString = displayFormat;
        level.listLevelProperties.format = NumberingFormat::Decimal;
    }
    list.setId(document.numbering().generateNewAbstractNumberingListId());
    return document.numbering().addAbstractNumberingListUsingHistory(std::make_unique<AbstractNumberingList>(list));
}

int32_t DefaultNumberingListHelper::freshTemplateCode(const DocumentModel& document, std::set<int32_t>& taken)
{
    const DocumentNumbering& numbering = document.numbering();
    for (int32_t index = 0; index < numbering.abstractNumberingListCount(); ++index) {
        for (const ListLevel& level : numbering.abstractNumberingList(index).levels())
            taken.insert(level.listLevelProperties.templateCode);
    }
    std::uniform_int_distribution<int32_t> codes(256, 2147483646);
    int32_t code = codes(random_);
    while (taken.count(code) != 0)
        code = codes(random_);
    taken.insert(code);
    return code;
}

} // namespace velmo::model

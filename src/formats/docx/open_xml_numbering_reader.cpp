// The numbering part: abstract lists with their levels, list instances with their overrides, and
// the lists that paragraphs and styles name in their "numPr".
#include "core/unicode_text.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/docx/open_xml_numbering_values.h"
#include "formats/docx/open_xml_story_builder.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

namespace velmo::formats {

namespace {

using model::kListLevelCount;

/// Abstract lists and list instances read at most, each: documents hold a few hundred.
constexpr size_t kMaxNumberingLists = 32'767;
/// Level texts are short ("%1.%2."); longer ones are cut so that every number text stays small.
constexpr size_t kMaxLevelTextLength = 256;
/// Legacy spaces and indents beyond four 22-inch pages are cut to that.
constexpr int32_t kMaxLegacyLength = 31680 * 4;

using LevelArray = std::array<std::optional<model::ListLevel>, kListLevelCount>;

/// What one "abstractNum" gives.
struct AbstractNumberingListRead {
    int32_t abstractNumberingId = 0;
    std::optional<uint32_t> nsid;
    std::optional<uint32_t> templateCode;
    std::string styleLink;
    std::string numberingStyleLink;
    LevelArray levels;
};

/// What one "num" gives.
struct NumberingListRead {
    int32_t numberingId = 0;
    std::optional<int32_t> abstractNumberingId;
    std::array<std::optional<int32_t>, kListLevelCount> startOverrides;
    LevelArray levelOverrides;
};

struct NumberingPartRead {
    std::vector<AbstractNumberingListRead> abstractLists;
    std::vector<NumberingListRead> lists;
};

/// Reads the elements of the numbering part into plain records; the lists are made from them
/// once the whole part is known.
class NumberingPartReader {
public:
    NumberingPartReader(const OpenXmlAttributes& attributes, const OpenXmlPropertyReader& properties, const OpenXmlStyleIds& styleIds,
                        model::DocumentCache& cache, OpenXmlParagraphProperties emptyParagraph) noexcept
        : attributes_(attributes), properties_(properties), styleIds_(styleIds), cache_(cache), emptyParagraph_(std::move(emptyParagraph))
    {
    }

    [[nodiscard]] NumberingPartRead read(XmlReader& reader) const
    {
        NumberingPartRead part;
        forEachChildElement(reader, [&] {
            const std::string_view name = reader.localName();
            if (!isWordElement(reader)) {
                reader.skipSubtree();
            } else if (name == "abstractNum" && part.abstractLists.size() < kMaxNumberingLists) {
                if (std::optional<AbstractNumberingListRead> list = readAbstractList(reader))
                    part.abstractLists.push_back(std::move(*list));
            } else if (name == "num" && part.lists.size() < kMaxNumberingLists) {
                if (std::optional<NumberingListRead> list = readList(reader))
                    part.lists.push_back(std::move(*list));
            } else {
                reader.skipSubtree();
            }
        });
        return part;
    }

private:
    [[nodiscard]] std::optional<int32_t> levelIndexOf(const XmlReader& reader) const
    {
        const int32_t index = attributes_.integer(reader, "ilvl", 0);
        return model::isListLevelIndexValid(index) ? std::optional<int32_t>(index) : std::nullopt;
    }

    [[nodiscard]] std::string valueText(const XmlReader& reader) const
    {
        return std::string(trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("")));
    }

    [[nodiscard]] std::optional<AbstractNumberingListRead> readAbstractList(XmlReader& reader) const
    {
        const std::optional<int32_t> id = attributes_.integer(reader, "abstractNumId");
        AbstractNumberingListRead list;
        forEachChildElement(reader, [&] {
            const std::string_view name = reader.localName();
            if (!isWordElement(reader)) {
                reader.skipSubtree();
                return;
            }
            if (name == "lvl") {
                const std::optional<int32_t> index = levelIndexOf(reader);
                model::ListLevel level = readLevel(reader, index.value_or(0));
                // The first definition of a level counts.
                if (index && !list.levels[static_cast<size_t>(*index)])
                    list.levels[static_cast<size_t>(*index)] = std::move(level);
                return;
            }
            if (name == "nsid")
                list.nsid = attributes_.hexInteger(reader, "val");
            else if (name == "tmpl")
                list.templateCode = attributes_.hexInteger(reader, "val");
            else if (name == "styleLink")
                list.styleLink = valueText(reader);
            else if (name == "numStyleLink")
                list.numberingStyleLink = valueText(reader);
            reader.skipSubtree();
        });
        if (!id)
            return std::nullopt;
        list.abstractNumberingId = *id;
        return list;
    }

    [[nodiscard]] std::optional<NumberingListRead> readList(XmlReader& reader) const
    {
        const std::optional<int32_t> id = attributes_.integer(reader, "numId");
        NumberingListRead list;
        forEachChildElement(reader, [&] {
            const std::string_view name = reader.localName();
            if (name == "abstractNumId" && isWordElement(reader)) {
                list.abstractNumberingId = attributes_.integer(reader, "val");
            } else if (name == "lvlOverride" && isWordElement(reader)) {
                const std::optional<int32_t> index = levelIndexOf(reader);
                forEachChildElement(reader, [&] {
                    if (!index || !isWordElement(reader)) {
                        reader.skipSubtree();
                    } else if (reader.localName() == "startOverride") {
                        list.startOverrides[static_cast<size_t>(*index)] = std::max(attributes_.integer(reader, "val", 0), 0);
                        reader.skipSubtree();
                    } else if (reader.localName() == "lvl") {
                        list.levelOverrides[static_cast<size_t>(*index)] = readLevel(reader, *index);
                    } else {
                        reader.skipSubtree();
                    }
                });
                return;
            }
            reader.skipSubtree();
        });
        // numId 0 stands for "no list" in paragraphs and cannot name one.
        if (!id || *id <= 0)
            return std::nullopt;
        list.numberingId = *id;
        return list;
    }

    /// A "lvl" element; `index` is the level it defines.
    [[nodiscard]] model::ListLevel readLevel(XmlReader& reader, int32_t index) const
    {
        model::ListLevel level;
        model::ListLevelInfo& info = level.listLevelProperties;
        // What a level leaves out is zero or empty, not the model's defaults for new lists.
        info.start = 0;
        info.displayFormatString.clear();
        if (const std::optional<uint32_t> code = attributes_.hexInteger(reader, "tplc"))
            info.templateCode = static_cast<int32_t>(*code);
        forEachChildElement(reader, [&] {
            const std::string_view name = reader.localName();
            if (!isWordElement(reader)) {
                reader.skipSubtree();
                return;
            }
            if (name == "pPr") {
                OpenXmlParagraphProperties paragraph = emptyParagraph_;
                properties_.readParagraphProperties(reader, paragraph);
                level.paragraphPropertiesIndex = cache_.paragraphFormattingCache().add(paragraph.formatting);
                level.tabsIndex = cache_.tabFormattingInfoCache().add(paragraph.tabs);
                return;
            }
            if (name == "rPr") {
                model::CharacterFormattingBase character = cache_.characterFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
                properties_.readRunProperties(reader, character, nullptr);
                level.characterPropertiesIndex = cache_.characterFormattingCache().add(character);
                return;
            }
            readLevelValue(reader, index, level);
            reader.skipSubtree();
        });
        return level;
    }

    /// One of the value elements of a "lvl".
    void readLevelValue(const XmlReader& reader, int32_t index, model::ListLevel& level) const
    {
        model::ListLevelInfo& info = level.listLevelProperties;
        const std::string_view name = reader.localName();
        if (name == "start") {
            info.start = std::max(attributes_.integer(reader, "val", 0), 0);
        } else if (name == "numFmt") {
            info.format = numberingFormatOf(valueText(reader)).value_or(model::NumberingFormat::Decimal);
        } else if (name == "lvlRestart") {
            // 0: never restarts; n: restarts after level n (counted from 1) advanced, which must
            // be a level above this one.
            const std::optional<int32_t> value = attributes_.integer(reader, "val");
            if (value && *value == 0) {
                info.suppressRestart = true;
            } else if (value && *value > 0) {
                const int32_t after = std::min(*value, kListLevelCount);
                if (after <= index)
                    info.relativeRestartLevel = index - after;
            }
        } else if (name == "pStyle") {
            level.paragraphStyleIndex = OpenXmlStyleIds::find(styleIds_.paragraph, valueText(reader), -1);
        } else if (name == "isLgl") {
            if (const std::optional<bool> value = attributes_.toggle(reader))
                info.convertPreviousLevelNumberingToDecimal = *value;
        } else if (name == "suff") {
            info.separator = valueOf(kListSeparatorWords, valueText(reader)).value_or(u'\t');
        } else if (name == "lvlText") {
            std::u16string text = core::utf8ToUtf16(OpenXmlAttributes::text(reader, "val").value_or(""));
            if (text.size() > kMaxLevelTextLength)
                text.resize(kMaxLevelTextLength);
            info.displayFormatString = displayFormatFromLevelText(text);
        } else if (name == "legacy") {
            info.legacy = attributes_.onOff(reader, "legacy", false);
            info.legacySpace = std::clamp(attributes_.integer(reader, "legacySpace", 0), 0, kMaxLegacyLength);
            info.legacyIndent = std::clamp(attributes_.integer(reader, "legacyIndent", 0), -kMaxLegacyLength, kMaxLegacyLength);
        } else if (name == "lvlJc") {
            info.alignment = valueOf(kListNumberAlignmentWords, valueText(reader)).value_or(model::ListNumberAlignment::Left);
        }
    }

    const OpenXmlAttributes& attributes_;
    const OpenXmlPropertyReader& properties_;
    const OpenXmlStyleIds& styleIds_;
    model::DocumentCache& cache_;
    OpenXmlParagraphProperties emptyParagraph_;
};

/// The list id a "nsid" stands for: its value as a signed 32-bit number, without the sign.
int32_t absoluteId(uint32_t nsid) noexcept
{
    const auto value = static_cast<int64_t>(static_cast<int32_t>(nsid));
    return static_cast<int32_t>(std::min<int64_t>(std::llabs(value), INT32_MAX));
}

/// Lists linked to a numbering style ("numStyleLink") take their levels from the list that style
/// names; a chain of such links is followed a few steps, a loop gives up.
void takeLevelsOfLinkedStyles(std::vector<std::unique_ptr<model::AbstractNumberingList>>& lists,
                              const std::unordered_map<int32_t, int32_t>& styleNumberingIds,
                              const std::unordered_map<int32_t, size_t>& abstractOfNumberingId)
{
    for (size_t index = 0; index < lists.size(); ++index) {
        size_t source = index;
        for (int32_t step = 0; step < kListLevelCount; ++step) {
            const int32_t style = lists[source]->numberingStyleReferenceIndex();
            const auto numberingId = styleNumberingIds.find(style);
            if (style < 0 || numberingId == styleNumberingIds.end())
                break;
            const auto next = abstractOfNumberingId.find(numberingId->second);
            if (next == abstractOfNumberingId.end() || next->second == index)
                break;
            source = next->second;
        }
        if (source == index)
            continue;
        for (int32_t level = 0; level < kListLevelCount; ++level)
            lists[index]->setLevel(level, lists[source]->level(level));
    }
}

/// Makes the lists of the part in the document and returns the list index of each "numId".
std::unordered_map<int32_t, int32_t> createLists(model::DocumentNumbering& numbering, const NumberingPartRead& part,
                                                 const OpenXmlStyleIds& styleIds,
                                                 const std::unordered_map<int32_t, int32_t>& styleNumberingIds)
{
    std::vector<std::unique_ptr<model::AbstractNumberingList>> abstractLists;
    std::vector<bool> hasId;
    std::unordered_map<int32_t, size_t> abstractIndices; // "abstractNumId" to index, the first one counting
    for (const AbstractNumberingListRead& read : part.abstractLists) {
        if (!abstractIndices.emplace(read.abstractNumberingId, abstractLists.size()).second)
            continue;
        auto& list = abstractLists.emplace_back(std::make_unique<model::AbstractNumberingList>());
        for (int32_t level = 0; level < kListLevelCount; ++level) {
            if (read.levels[static_cast<size_t>(level)])
                list->setLevel(level, *read.levels[static_cast<size_t>(level)]);
        }
        if (read.nsid)
            list->setId(absoluteId(*read.nsid));
        if (read.templateCode)
            list->setTemplateCode(static_cast<int32_t>(*read.templateCode));
        list->setStyleLinkIndex(OpenXmlStyleIds::find(styleIds.numbering, read.styleLink, -1));
        list->setNumberingStyleReferenceIndex(OpenXmlStyleIds::find(styleIds.numbering, read.numberingStyleLink, -1));
        hasId.push_back(read.nsid.has_value());
    }

    std::unordered_map<int32_t, size_t> abstractOfNumberingId;
    for (const NumberingListRead& read : part.lists) {
        const auto found = read.abstractNumberingId ? abstractIndices.find(*read.abstractNumberingId) : abstractIndices.end();
        if (found != abstractIndices.end())
            abstractOfNumberingId.emplace(read.numberingId, found->second);
    }
    takeLevelsOfLinkedStyles(abstractLists, styleNumberingIds, abstractOfNumberingId);

    std::vector<std::unique_ptr<model::NumberingList>> lists;
    std::unordered_map<int32_t, int32_t> listIndices;
    for (const NumberingListRead& read : part.lists) {
        const auto abstract = abstractOfNumberingId.find(read.numberingId);
        if (abstract == abstractOfNumberingId.end() || listIndices.contains(read.numberingId))
            continue;
        auto& list = lists.emplace_back(std::make_unique<model::NumberingList>(static_cast<int32_t>(abstract->second)));
        // Writers number lists by position, so ids by position read back the same.
        list->setId(static_cast<int32_t>(lists.size()));
        for (int32_t level = 0; level < kListLevelCount; ++level) {
            model::NumberingListReferenceLevel& reference = list->level(level);
            if (const std::optional<int32_t> start = read.startOverrides[static_cast<size_t>(level)]) {
                reference.overrideStart = true;
                reference.newStart = *start;
            }
            // A redefined level keeps counting with the other instances of the abstract list.
            reference.overrideLevel = read.levelOverrides[static_cast<size_t>(level)];
        }
        listIndices.emplace(read.numberingId, static_cast<int32_t>(lists.size() - 1));
    }

    // Lists without an id of their own get ids above all others.
    int32_t nextId = 0;
    for (size_t index = 0; index < abstractLists.size(); ++index) {
        if (hasId[index])
            nextId = std::max(nextId, abstractLists[index]->id());
    }
    for (size_t index = 0; index < abstractLists.size(); ++index) {
        if (!hasId[index])
            abstractLists[index]->setId(nextId < INT32_MAX ? ++nextId : INT32_MAX);
    }
    for (std::unique_ptr<model::AbstractNumberingList>& list : abstractLists)
        numbering.appendAbstractNumberingListCore(std::move(list));
    for (std::unique_ptr<model::NumberingList>& list : lists)
        numbering.appendNumberingListCore(std::move(list));
    return listIndices;
}

} // namespace

OpenXmlNumberingReference OpenXmlPropertyReader::readNumberingReference(XmlReader& reader) const
{
    OpenXmlNumberingReference reference;
    forEachChildElement(reader, [&] {
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (reader.localName() == "ilvl") {
            if (const std::optional<int32_t> level = attributes_.integer(reader, "val"))
                reference.levelIndex = std::clamp(*level, 0, model::kListLevelCount - 1);
        } else if (reader.localName() == "numId") {
            reference.numberingId = attributes_.integer(reader, "val");
        }
        reader.skipSubtree();
    });
    return reference;
}

void OpenXmlImporter::importNumbering()
{
    NumberingPartRead part;
    if (const std::optional<std::string> name = findRelatedPart("numbering", "numbering.xml")) {
        std::vector<uint8_t> storage;
        if (std::unique_ptr<XmlReader> reader = openPart(*name, "numbering", storage)) {
            const NumberingPartReader partReader(attributes_, properties_, styleIds_, documentModel_.cache(), emptyParagraphProperties());
            part = partReader.read(*reader);
        }
    }
    model::DocumentNumbering& numbering = documentModel_.numbering();
    std::unordered_map<int32_t, int32_t> styleNumberingIds(numberingStyleNumberingIds_.begin(), numberingStyleNumberingIds_.end());
    numberingListIndices_ = createLists(numbering, part, styleIds_, styleNumberingIds);

    // Styles were read before the lists they name.
    const auto listIndexOf = [&](int32_t numberingId) -> std::optional<int32_t> {
        if (numberingId == 0)
            return model::kNumberingListIndexNoNumbering;
        const auto found = numberingListIndices_.find(numberingId);
        return found == numberingListIndices_.end() ? std::nullopt : std::optional<int32_t>(found->second);
    };
    for (const auto& [styleIndex, numberingId] : numberingStyleNumberingIds_) {
        if (const std::optional<int32_t> list = listIndexOf(numberingId); list && *list >= 0)
            numbering.numberingListStyles()[styleIndex].setNumberingListIndex(*list);
    }
    for (const auto& [styleIndex, reference] : paragraphStyleNumbering_) {
        model::ParagraphStyle& style = documentModel_.styles().paragraphStyles()[styleIndex];
        if (reference.numberingId) {
            if (const std::optional<int32_t> list = listIndexOf(*reference.numberingId))
                style.setNumberingListIndex(*list);
        }
        if (reference.levelIndex)
            style.setListLevelIndex(*reference.levelIndex);
    }
}

void OpenXmlImporter::applyParagraphNumbering(OpenXmlParagraphProperties& properties, OpenXmlParagraphEnd& end) const
{
    if (!properties.numbering)
        return;
    const OpenXmlNumberingReference& reference = *properties.numbering;
    const model::DocumentNumbering& numbering = documentModel_.numbering();
    const auto& styles = documentModel_.styles().paragraphStyles();
    const int32_t styleList = styles.isIndexValid(properties.styleIndex) ? styles[properties.styleIndex].numberingListIndex()
                                                                         : model::kNumberingListIndexNotSet;
    if (!reference.numberingId) {
        // A level alone moves the paragraph within the list its style gives.
        if (reference.levelIndex && numbering.isValidNumberingListIndex(styleList)) {
            end.numberingListIndex = styleList;
            end.listLevelIndex = *reference.levelIndex;
        }
        return;
    }
    if (*reference.numberingId == 0) {
        if (!numbering.isValidNumberingListIndex(styleList))
            return;
        // The indents the style's list gave go with it, unless the paragraph sets its own.
        end.numberingListIndex = model::kNumberingListIndexNoNumbering;
        using Option = model::UsedParagraphFormattingOption;
        model::ParagraphFormattingBase& formatting = properties.formatting;
        if (!formatting.uses(Option::UseLeftIndent))
            formatting.set(Option::UseLeftIndent, [](model::ParagraphFormattingInfo& info) { info.setLeftIndent(0); });
        if (!formatting.uses(Option::UseFirstLineIndent)) {
            formatting.set(Option::UseFirstLineIndent, [](model::ParagraphFormattingInfo& info) {
                info.setFirstLineIndentType(model::ParagraphFirstLineIndent::None);
                info.setFirstLineIndent(0);
            });
        }
        return;
    }
    const auto found = numberingListIndices_.find(*reference.numberingId);
    if (found == numberingListIndices_.end())
        return;
    end.numberingListIndex = found->second;
    end.listLevelIndex = reference.levelIndex.value_or(0);
}

} // namespace velmo::formats

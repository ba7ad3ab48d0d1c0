#include "formats/docx/open_xml_package.h"

#include "core/hex_digit.h"
#include "formats/docx/open_xml_values.h"
#include "formats/xml/xml_reader.h"

namespace velmo::formats {

namespace {

/// "%20" and the like become the bytes they stand for; a malformed escape stays as it is.
std::string decodePercentEscapes(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '%' && index + 2 < text.size()) {
            const int high = core::hexDigitValue(text[index + 1]);
            const int low = core::hexDigitValue(text[index + 2]);
            if (high >= 0 && low >= 0) {
                result.push_back(static_cast<char>(high * 16 + low));
                index += 2;
                continue;
            }
        }
        result.push_back(text[index]);
    }
    return result;
}

std::string_view lastWord(std::string_view type) noexcept
{
    const size_t slash = type.find_last_of('/');
    return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

} // namespace

const OpenXmlRelation* OpenXmlRelationCollection::findById(std::string_view id) const noexcept
{
    for (const OpenXmlRelation& relation : relations_) {
        if (relation.id == id)
            return &relation;
    }
    return nullptr;
}

const OpenXmlRelation* OpenXmlRelationCollection::findByType(std::string_view typeWord) const noexcept
{
    for (const OpenXmlRelation& relation : relations_) {
        if (lastWord(relation.type) == typeWord)
            return &relation;
    }
    return nullptr;
}

std::optional<std::vector<uint8_t>> OpenXmlPackage::readPart(std::string_view name) const
{
    const ZIPFileEntry* entry = zip_.find(name);
    if (!entry || entry->isDirectory)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    zip_.extract(*entry, bytes);
    return bytes;
}

OpenXmlRelationCollection OpenXmlPackage::readRelations(std::string_view partName) const
{
    std::string relationsName;
    if (partName.empty()) {
        relationsName = "_rels/.rels";
    } else {
        const std::string_view folder = folderOf(partName);
        const std::string_view fileName = folder.empty() ? partName : partName.substr(folder.size() + 1);
        relationsName = (folder.empty() ? std::string() : std::string(folder) + "/") + "_rels/" + std::string(fileName) + ".rels";
    }
    OpenXmlRelationCollection relations;
    const std::optional<std::vector<uint8_t>> bytes = readPart(relationsName);
    if (!bytes)
        return relations;
    // A part that is not well-formed raises the XML reader's error, also before its root: the
    // parser may find an error at the end of a small part first.
    XmlReader reader{std::span<const uint8_t>(*bytes)};
    if (!reader.readToElement(kPackageRelationshipsNamespace, "Relationships"))
        return relations;
    const int32_t rootDepth = reader.depth();
    while (reader.read()) {
        if (reader.kind() == XmlNodeKind::EndElement && reader.depth() == rootDepth)
            break;
        if (reader.kind() != XmlNodeKind::StartElement || reader.depth() != rootDepth + 1 || reader.localName() != "Relationship")
            continue;
        OpenXmlRelation relation;
        relation.id = reader.attribute("", "Id").value_or("");
        relation.type = reader.attribute("", "Type").value_or("");
        relation.target = reader.attribute("", "Target").value_or("");
        relation.targetMode = reader.attribute("", "TargetMode").value_or("");
        if (!relation.id.empty() && !relation.type.empty() && !relation.target.empty())
            relations.add(std::move(relation));
    }
    return relations;
}

std::string_view OpenXmlPackage::folderOf(std::string_view partName) noexcept
{
    const size_t slash = partName.find_last_of('/');
    return slash == std::string_view::npos ? std::string_view() : partName.substr(0, slash);
}

std::string OpenXmlPackage::resolveTarget(const OpenXmlRelation* relation, std::string_view folder, std::string_view defaultFileName)
{
    std::string target = relation ? decodePercentEscapes(relation->target) : std::string(defaultFileName);
    for (char& character : target) {
        if (character == '\\')
            character = '/';
    }
    if (!target.empty() && target.front() == '/')
        return target.substr(1);
    if (folder.empty())
        return target;
    return std::string(folder) + "/" + target;
}

} // namespace velmo::formats

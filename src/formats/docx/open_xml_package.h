#pragma once

#include "formats/zip/zip_stream_reader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// One relationship of a package part.
struct OpenXmlRelation {
    std::string id;
    std::string type;
    std::string target;
    std::string targetMode; // empty when absent
    [[nodiscard]] bool isExternal() const noexcept { return targetMode == "External"; }
};

/// The relationships of one part, in document order. Lookups return the first match.
class OpenXmlRelationCollection {
public:
    void add(OpenXmlRelation relation) { relations_.push_back(std::move(relation)); }
    [[nodiscard]] const std::vector<OpenXmlRelation>& relations() const noexcept { return relations_; }
    [[nodiscard]] const OpenXmlRelation* findById(std::string_view id) const noexcept;
    /// By the last word of the type ("styles" matches ".../relationships/styles" in either the
    /// transitional or the strict vocabulary).
    [[nodiscard]] const OpenXmlRelation* findByType(std::string_view typeWord) const noexcept;

private:
    std::vector<OpenXmlRelation> relations_;
};

/// A word-processing package over the bytes of a ZIP file: finds parts by name (ignoring case,
/// resolving "..") and reads relationship parts. Parts are inflated when asked for.
class OpenXmlPackage {
public:
    /// `bytes` must outlive the package.
    explicit OpenXmlPackage(std::span<const uint8_t> bytes) : zip_(bytes) {}

    [[nodiscard]] bool hasPart(std::string_view name) const { return zip_.find(name) != nullptr; }
    /// The part's bytes; none when the package has no such part. Damaged data raises the
    /// container's errors.
    [[nodiscard]] std::optional<std::vector<uint8_t>> readPart(std::string_view name) const;
    /// The relationships of a part ("word/document.xml" reads "word/_rels/document.xml.rels"; ""
    /// reads the package's own "_rels/.rels"). A missing part, or one with another root, gives
    /// none; XML that is not well-formed raises the XML reader's error.
    [[nodiscard]] OpenXmlRelationCollection readRelations(std::string_view partName) const;

    /// The folder of a part name: "word" for "word/document.xml", "" for "document.xml".
    [[nodiscard]] static std::string_view folderOf(std::string_view partName) noexcept;
    /// The part a relation leads to, from the folder of the part that holds the relation: an
    /// absolute target as it is, else the folder and the target (percent escapes decoded);
    /// without a relation the folder and `defaultFileName`.
    [[nodiscard]] static std::string resolveTarget(const OpenXmlRelation* relation, std::string_view folder,
                                                   std::string_view defaultFileName);

private:
    ZIPStreamReader zip_;
};

} // namespace velmo::formats

// Every DOCX package of the shared corpus through the ZIP reader, and every XML part of it
// through the XML reader: each opens, or fails with the engine's own error.
#include "core/editor_exception.h"
#include "core/file_io.h"
#include "formats/xml/xml_reader.h"
#include "formats/zip/zip_stream_reader.h"

#include "support/corpus_packages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace velmo::formats {
namespace {

/// Reads every node of the part.
void readXml(std::span<const uint8_t> bytes)
{
    XmlReader reader(bytes);
    while (reader.read()) {
    }
}

/// Extracts every member and parses the XML ones; returns the first error, or "" when all went well.
std::string readPackage(const std::filesystem::path& path)
{
    std::string member;
    try {
        const std::vector<uint8_t> bytes = core::readFile(path.string());
        const ZIPStreamReader reader(bytes);
        if (reader.files().empty())
            return "no members";
        for (const ZIPFileEntry& entry : reader.files()) {
            member = entry.name;
            std::vector<uint8_t> content;
            reader.extract(entry, content);
            const std::string name = velmo::testing::lowerCaseAscii(entry.name);
            if (name.ends_with(".xml") || name.ends_with(".rels"))
                readXml(content);
        }
    } catch (const core::EditorException& error) {
        EXPECT_STRNE(error.what(), "") << path;
        return member + ": " + error.what();
    }
    return {};
}

TEST(ZipCorpusTest, EveryPackageAndPartOpensOrFailsCleanly)
{
    const std::vector<std::filesystem::path> packages = velmo::testing::corpusPackages({".docx", ".docm", ".dotx"});
    if (packages.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    size_t failures = 0;
    for (const std::filesystem::path& path : packages) {
        const std::string error = readPackage(path);
        if (error.empty())
            continue;
        ++failures;
        // Apache POI's test data holds deliberately damaged, encrypted and hostile files; the
        // other collections are ordinary documents that must read in full.
        const std::string relative = path.lexically_relative(VELMO_SHARED_DIR).generic_string();
        EXPECT_TRUE(relative.starts_with("corpus/apache-poi/")) << relative << ": " << error;
        std::cout << "  " << path.lexically_relative(VELMO_SHARED_DIR).string() << " -> " << error << "\n";
    }
    std::cout << packages.size() - failures << " of " << packages.size() << " packages read in full\n";
}

} // namespace
} // namespace velmo::formats

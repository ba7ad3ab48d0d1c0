#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmo::testing {

/// Compares `actual` with the golden file tests/<relativePath>. With UPDATE_GOLDEN=1 in the
/// environment the file is rewritten instead, and the change is reviewed in the commit.
inline void expectMatchesGolden(const std::string& actual, const std::string& relativePath)
{
    const std::filesystem::path path = std::filesystem::path(VELMO_TESTS_DIR) / relativePath;
    if (const char* update = std::getenv("UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing golden file " << path << " (run with UPDATE_GOLDEN=1 to create it)";
    std::ostringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(actual, expected.str()) << "differs from " << path;
}

} // namespace velmo::testing

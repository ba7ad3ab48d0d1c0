#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::testing {

/// `text` with ASCII letters in lower case.
inline std::string lowerCaseAscii(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// The files of the shared corpus whose extension (any letter case) is one of `extensions`,
/// sorted; empty when the corpus is absent. Needs VELMO_SHARED_DIR from the test target.
inline std::vector<std::filesystem::path> corpusPackages(std::initializer_list<std::string_view> extensions)
{
    std::vector<std::filesystem::path> packages;
    const std::filesystem::path corpus = std::filesystem::path(VELMO_SHARED_DIR) / "corpus";
    if (!std::filesystem::is_directory(corpus))
        return packages;
    for (const auto& item : std::filesystem::recursive_directory_iterator(corpus)) {
        const std::string extension = lowerCaseAscii(item.path().extension().string());
        if (item.is_regular_file() && std::ranges::find(extensions, extension) != extensions.end())
            packages.push_back(item.path());
    }
    std::ranges::sort(packages);
    return packages;
}

} // namespace velmo::testing

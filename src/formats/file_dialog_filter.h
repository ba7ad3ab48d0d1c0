#pragma once

#include <string>
#include <vector>

namespace velmo::formats {

/// One entry of a file dialog's type list: a description and extensions without dots.
struct FileDialogFilter {
    std::u16string description;
    std::vector<std::u16string> extensions;

    /// "Description (*.a; *.b)|*.a; *.b".
    [[nodiscard]] std::u16string render() const;
    [[nodiscard]] bool hasExtension(std::u16string_view extension) const;
};

/// The filters joined by "|"; empty for no filters.
[[nodiscard]] std::u16string renderFilters(const std::vector<FileDialogFilter>& filters);

} // namespace velmo::formats

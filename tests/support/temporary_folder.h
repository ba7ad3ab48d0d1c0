#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

namespace velmo::testing {

/// A fresh folder for one test, removed with everything in it when the test ends.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& purpose)
        : path_(std::filesystem::temp_directory_path() / ("velmo-" + purpose + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }
    /// The path of a file inside the folder.
    [[nodiscard]] std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace velmo::testing

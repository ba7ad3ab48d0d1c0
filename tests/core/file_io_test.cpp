#include "core/file_io.h"

#include "core/editor_exception.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace velmo::core {
namespace {

namespace fs = std::filesystem;

TEST(FileIoTest, AtomicWriteReplacesTheTargetAndKeepsItsPermissions)
{
    const velmo::testing::TemporaryFolder temporary("file-io");
    const fs::path& folder = temporary.path();
    const std::string target = temporary.file("file.bin");
    writeFileAtomically(target, {1, 2, 3});
    ::chmod(target.c_str(), 0600);
    writeFileAtomically(target, {4, 5});
    EXPECT_EQ(readFile(target), (std::vector<uint8_t>{4, 5}));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "no temporary file is left";
    EXPECT_THROW(writeFileAtomically((folder / "missing" / "x").string(), {1}), EditorException);
    EXPECT_THROW((void)readFile(folder.string()), EditorException) << "a folder is not a file";
}

} // namespace
} // namespace velmo::core

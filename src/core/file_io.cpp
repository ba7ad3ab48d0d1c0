#include "core/file_io.h"

#include "core/editor_exception.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmo::core {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw EditorException("'" + path + "': " + reason);
}

/// Closes a descriptor when the scope ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) noexcept : descriptor_(descriptor) {}
    ~FileDescriptor()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const noexcept { return descriptor_; }
    int release() noexcept { return std::exchange(descriptor_, -1); }

private:
    int descriptor_;
};

} // namespace

std::vector<uint8_t> readFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        fail(path, std::strerror(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        fail(path, std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        fail(path, "is a folder, not a file");
    if (status.st_size > kMaxFileSize)
        fail(path, "the file is too large");
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(status.st_size));
    uint8_t block[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), block, sizeof block);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            fail(path, std::strerror(errno));
        }
        if (count == 0)
            break;
        if (static_cast<int64_t>(bytes.size()) + count > kMaxFileSize)
            fail(path, "the file is too large");
        bytes.insert(bytes.end(), block, block + count);
    }
    return bytes;
}

void writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        fail(path, std::strerror(errno));
    const auto removeTemporary = [&] { ::unlink(temporary.c_str()); };
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            removeTemporary();
            fail(path, std::strerror(error));
        }
        written += static_cast<size_t>(count);
    }
    // Keep the permissions of a file being replaced; a new file gets the usual default.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        ::fchmod(file.get(), existing.st_mode & 07777);
    else
        ::fchmod(file.get(), 0644);
    if (::fsync(file.get()) != 0 || ::close(file.release()) != 0) {
        const int error = errno;
        removeTemporary();
        fail(path, std::strerror(error));
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        removeTemporary();
        fail(path, std::strerror(error));
    }
}

} // namespace velmo::core

#include "core/file_io.h"
#include "platform/streams/local_uri_stream_service.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace velmo::platform {
namespace {

std::optional<std::string> dataText(std::string_view uri)
{
    const std::optional<std::vector<uint8_t>> bytes = decodeDataUri(uri);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

TEST(DataUriTest, DecodesBase64AndPercentEscapes)
{
    struct Case {
        const char* uri;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"data:image/png;base64,aGVsbG8=", "hello"},
        {"DATA:;BASE64,aGVs\r\nbG8=", "hello"},
        {"data:text/plain,a%20b%2C", "a b,"},
        {"data:,", ""},
        {"data:image/png;base64,aGVsbG8", std::nullopt}, // padding missing
        {"data:image/png;base64,a*b=", std::nullopt},
        {"data:text/plain,100%", std::nullopt},
        {"data:text/plain,%zz", std::nullopt},
        {"data:no comma", std::nullopt},
        {"http://example.com/,x", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uri);
        EXPECT_EQ(dataText(c.uri), c.expected);
    }
}

TEST(FileUriTest, TakesOnlyLocalPaths)
{
    struct Case {
        const char* uri;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"file:///home/user/a.png", "/home/user/a.png"},
        {"file://localhost/tmp/b%20c.png", "/tmp/b c.png"},
        {"FILE://LOCALHOST/x", "/x"},
        {"file:/tmp/d.png?x#y", "/tmp/d.png"},
        {"file://server/share/a.png", std::nullopt},
        {"file:relative.png", std::nullopt},
        {"file:///bad%00name", std::nullopt},
        {"https://example.com/a.png", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uri);
        EXPECT_EQ(filePathOfUri(c.uri), c.path);
    }
}

TEST(LocalUriStreamServiceTest, ServesFilesAndDataButNothingElse)
{
    testing::TemporaryFolder folder("uri-streams");
    const std::string path = folder.file("some file.bin");
    core::writeFileAtomically(path, {1, 2, 3});
    const LocalUriStreamService service;
    const std::atomic<bool> notCancelled{false};
    const std::u16string fileUri = u"file://" + std::u16string(path.begin(), path.end());
    std::u16string escaped;
    for (const char16_t character : fileUri)
        escaped += character == u' ' ? std::u16string(u"%20") : std::u16string(1, character);
    EXPECT_EQ(service.open(escaped, notCancelled), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(service.open(u"data:,xy", notCancelled), (std::vector<uint8_t>{'x', 'y'}));
    EXPECT_EQ(service.open(u"https://example.com/a.png", notCancelled), std::nullopt);
    EXPECT_EQ(service.open(u"file:///no/such/file", notCancelled), std::nullopt);
    const std::string folderPath = folder.path().string();
    EXPECT_EQ(service.open(u"file://" + std::u16string(folderPath.begin(), folderPath.end()), notCancelled), std::nullopt); // a folder
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(service.open(u"data:,xy", cancelled), std::nullopt);
}

} // namespace
} // namespace velmo::platform

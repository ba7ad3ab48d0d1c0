#include "formats/zip/zip_stream_reader.h"

#include "formats/zip/zip_errors.h"
#include "zip_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace velmo::formats {
namespace {

using testing::asText;
using testing::buildZip;
using testing::patchU16;
using testing::patchU32;
using testing::RawMember;
using testing::ZipLayout;
using ::testing::HasSubstr;

std::string extracted(const ZIPStreamReader& reader, const ZIPFileEntry& entry)
{
    std::vector<uint8_t> target;
    reader.extract(entry, target);
    return asText(target);
}

TEST(ZIPStreamReaderTest, ReadsStoredDeflatedAndDataDescriptorMembersInDirectoryOrder)
{
    const std::string large(200000, 'q');
    const std::vector<uint8_t> package = buildZip({
        {.name = "stored.txt", .content = "as is", .method = 0},
        {.name = "deflated.txt", .content = large},
        {.name = "streamed.txt", .content = "written with a data descriptor", .dataDescriptor = true},
        {.name = "empty.txt", .content = ""},
        {.name = "folder/", .content = "", .method = 0, .externalAttributes = 0x10},
    });
    const ZIPStreamReader reader(package);
    ASSERT_EQ(reader.files().size(), 5u);
    EXPECT_EQ(reader.files()[0].name, "stored.txt");
    EXPECT_EQ(extracted(reader, reader.files()[0]), "as is");
    EXPECT_EQ(extracted(reader, reader.files()[1]), large);
    EXPECT_LT(reader.files()[1].packedSize, 1000u);
    EXPECT_EQ(reader.files()[2].originalSize, 30u) << "sizes come from the central directory";
    EXPECT_EQ(extracted(reader, reader.files()[2]), "written with a data descriptor");
    EXPECT_EQ(extracted(reader, reader.files()[3]), "");
    EXPECT_FALSE(reader.files()[3].isDirectory);
    EXPECT_TRUE(reader.files()[4].isDirectory);
}

TEST(ZIPStreamReaderTest, AnEmptyDeflatedMemberMayHaveNoDataAtAll)
{
    ZipLayout layout;
    std::vector<uint8_t> package = buildZip({{.name = "empty.xml", .content = "", .method = 0}}, &layout);
    patchU16(package, layout.localMethod(0), 8);
    const ZIPStreamReader reader(package);
    EXPECT_EQ(extracted(reader, reader.files()[0]), "");
}

TEST(ZIPStreamReaderTest, FindsMembersByNormalisedNameIgnoringAsciiCase)
{
    const std::vector<uint8_t> package = buildZip({
        {.name = "word/document.xml", .content = "main"},
        {.name = "word\\styles.xml", .content = "styles"},
        {.name = "/customXml/item1.xml", .content = "item"},
        {.name = "[Content_Types].xml", .content = "types"},
    });
    const ZIPStreamReader reader(package);
    EXPECT_EQ(reader.files()[1].name, "word/styles.xml");
    EXPECT_EQ(reader.files()[2].name, "customXml/item1.xml");

    struct Case {
        const char* requested;
        std::optional<std::string> content;
    };
    const Case cases[] = {
        {"word/document.xml", "main"},
        {"WORD/Document.XML", "main"},
        {"word\\document.xml", "main"},
        {"/word/document.xml", "main"},
        {"word/media/../document.xml", "main"},
        {"word/a/b/../../document.xml", "main"},
        {"word/styles.xml", "styles"},
        {"customXml/item1.xml", "item"},
        {"[content_types].xml", "types"},
        {"document.xml", std::nullopt},
        {"word/document.xm", std::nullopt},
        {"../word/document.xml", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        std::vector<uint8_t> target = {'x'};
        EXPECT_EQ(reader.exists(c.requested), c.content.has_value());
        EXPECT_EQ(reader.extract(c.requested, target), c.content.has_value());
        EXPECT_EQ(asText(target), "x" + c.content.value_or(""));
    }
}

TEST(ZIPStreamReaderTest, BytesThatAreNoPackageListNoMembers)
{
    for (const std::string_view bytes : {std::string_view(""), std::string_view("hello"), std::string_view("PK"),
                                         std::string_view("PK\x05\x06", 4)}) {
        SCOPED_TRACE(bytes);
        const ZIPStreamReader reader(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        EXPECT_TRUE(reader.files().empty());
    }
}

TEST(ZIPStreamReaderTest, FindsTheEndRecordBehindTheLongestComment)
{
    ZipLayout layout;
    std::vector<uint8_t> package = buildZip({{.name = "a.txt", .content = "a"}}, &layout);
    patchU16(package, layout.endRecord + 20, 0xFFFF);
    package.resize(package.size() + 0xFFFF, 'c');
    const ZIPStreamReader reader(package);
    ASSERT_EQ(reader.files().size(), 1u);
    EXPECT_EQ(extracted(reader, reader.files()[0]), "a");
}

/// A damaged package: the reader refuses it on opening or on extracting, never crashes.
struct HostileCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&, const ZipLayout&)> damage;
    const char* message;
};

void expectRefused(const HostileCase& c, const std::vector<RawMember>& members)
{
    SCOPED_TRACE(c.name);
    ZipLayout layout;
    std::vector<uint8_t> package = buildZip(members, &layout);
    c.damage(package, layout);
    try {
        const ZIPStreamReader reader(package);
        for (const ZIPFileEntry& entry : reader.files()) {
            std::vector<uint8_t> target = {'k', 'e', 'p', 't'};
            try {
                reader.extract(entry, target);
            } catch (const core::EditorException&) {
                EXPECT_EQ(asText(target), "kept") << "a failed extraction leaves the target as it was";
                throw;
            }
        }
        ADD_FAILURE() << "accepted";
    } catch (const PackedStreamReaderError& error) {
        EXPECT_THAT(error.what(), HasSubstr(c.message));
    }
}

TEST(ZIPStreamReaderTest, DamagedDirectoriesAreRefused)
{
    const std::vector<RawMember> members = {
        {.name = "a.txt", .content = "same content"},
        {.name = "b.txt", .content = "same content"},
        {.name = "c.txt", .content = "stored", .method = 0},
    };
    const HostileCase cases[] = {
        {"end record beyond the last 65,557 bytes",
         [](auto& zip, auto&) { zip.resize(zip.size() + 70000, 0); }, "end of central directory record is missing"},
        {"directory offset past the end record",
         [](auto& zip, auto& layout) { patchU32(zip, layout.directoryOffset(), 0x7FFFFFF0); }, "outside the package"},
        {"more members than the directory holds",
         [](auto& zip, auto& layout) { patchU16(zip, layout.entryCount(), 0xFFFF); }, "lists more members than it holds"},
        {"bad central signature", [](auto& zip, auto& layout) { zip[layout.centralHeaders[1]] = 'X'; },
         "bad central directory header"},
        {"central header cut by the end record",
         [](auto& zip, auto& layout) { patchU16(zip, layout.centralHeaders[2] + 28, 0x4000); }, "bad central directory header"},
        {"local header offset past the directory",
         [](auto& zip, auto& layout) { patchU32(zip, layout.centralLocalOffset(0), 0x10000000); }, "bad local header"},
        {"bad local signature", [](auto& zip, auto& layout) { zip[layout.localHeaders[1]] = 'X'; }, "bad local header"},
        {"local and central sizes disagree",
         [](auto& zip, auto& layout) { patchU32(zip, layout.localOriginalSize(0), 13); }, "sizes of 'a.txt' disagree"},
        {"data running into the directory",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localPackedSize(2), 5000);
             patchU32(zip, layout.centralPackedSize(2), 5000);
         },
         "data of 'c.txt' runs past its end"},
        {"stored member with two sizes",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localOriginalSize(2), 7);
             patchU32(zip, layout.centralOriginalSize(2), 7);
         },
         "stored member 'c.txt' has two sizes"},
        {"member declaring more than 1 GiB",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localOriginalSize(0), 0x7FFFFFFF);
             patchU32(zip, layout.centralOriginalSize(0), 0x7FFFFFFF);
         },
         "ZIP package too large: 'a.txt'"},
        {"members declaring more than 1 GiB together",
         [](auto& zip, auto& layout) {
             for (size_t member : {0, 1}) {
                 patchU32(zip, layout.localOriginalSize(member), 0x30000000);
                 patchU32(zip, layout.centralOriginalSize(member), 0x30000000);
             }
         },
         "its members unpack to more than 1 GiB"},
        {"ZIP64 sizes",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localOriginalSize(0), 0xFFFFFFFF);
             patchU32(zip, layout.centralOriginalSize(0), 0xFFFFFFFF);
         },
         "ZIP64 packages are not supported"},
        {"two directory entries sharing one member's data",
         [](auto& zip, auto& layout) { patchU32(zip, layout.centralLocalOffset(1), 0); }, "members 'a.txt' and 'a.txt' overlap"},
    };
    for (const HostileCase& c : cases)
        expectRefused(c, members);
}

TEST(ZIPStreamReaderTest, DamagedMemberDataIsRefusedOnExtraction)
{
    const std::string bomb(1 << 20, 'x');
    const std::vector<RawMember> members = {
        {.name = "a.txt", .content = bomb},
        {.name = "d.txt", .content = "descriptor", .dataDescriptor = true},
    };
    const HostileCase cases[] = {
        {"CRC mismatch", [](auto& zip, auto& layout) { zip[layout.localCrc(0)] ^= 1; }, "a.txt is corrupted."},
        {"CRC mismatch of a member with a data descriptor", [](auto& zip, auto& layout) { zip[layout.centralHeaders[1] + 16] ^= 1; },
         "d.txt is corrupted."},
        {"invalid deflate data", [](auto& zip, auto& layout) { zip[layout.localHeaders[0] + 35] = 0xFF; },
         "'a.txt' cannot be inflated"},
        {"deflate data cut short",
         [](auto& zip, auto& layout) {
             const uint32_t packed = zip[layout.localPackedSize(0)] | (zip[layout.localPackedSize(0) + 1] << 8);
             patchU32(zip, layout.localPackedSize(0), packed - 3);
             patchU32(zip, layout.centralPackedSize(0), packed - 3);
         },
         "data of 'a.txt' ends early"},
        {"a bomb declared small",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localOriginalSize(0), 10);
             patchU32(zip, layout.centralOriginalSize(0), 10);
         },
         "'a.txt' unpacks to more than its declared 10 bytes"},
        {"declared larger than it inflates",
         [](auto& zip, auto& layout) {
             patchU32(zip, layout.localOriginalSize(0), (1 << 20) + 5);
             patchU32(zip, layout.centralOriginalSize(0), (1 << 20) + 5);
         },
         "'a.txt' unpacks to 1048576 bytes, not its declared 1048581"},
        {"deflated member with a size and no data",
         [](auto& zip, auto& layout) { patchU32(zip, layout.centralPackedSize(1), 0); },
         "'d.txt' has no data"},
        {"encrypted member", [](auto& zip, auto& layout) { zip[layout.localFlags(0)] |= 1; }, "'a.txt' is encrypted"},
    };
    for (const HostileCase& c : cases)
        expectRefused(c, members);
}

TEST(ZIPStreamReaderTest, AnUnknownCompressionMethodIsItsOwnError)
{
    ZipLayout layout;
    std::vector<uint8_t> package = buildZip({{.name = "a.bin", .content = "data"}}, &layout);
    patchU16(package, layout.localMethod(0), 12);
    const ZIPStreamReader reader(package);
    std::vector<uint8_t> target;
    EXPECT_THROW(reader.extract(reader.files()[0], target), ZIPUnsupportedCompressionMethodError);
}

TEST(ZIPStreamReaderTest, EveryTruncationIsRefusedOnOpening)
{
    const std::vector<uint8_t> package = buildZip({{.name = "a.txt", .content = "alpha"}, {.name = "b.txt", .content = "beta", .method = 0}});
    for (size_t length = 4; length < package.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(ZIPStreamReader(std::span(package).first(length)), PackedStreamReaderError);
    }
}

TEST(ZIPStreamReaderTest, EveryDamagedByteReadsOrFailsCleanly)
{
    const std::vector<uint8_t> package = buildZip(
        {{.name = "a.txt", .content = "alpha alpha alpha"}, {.name = "b.txt", .content = "beta", .method = 0},
         {.name = "c.txt", .content = "gamma", .dataDescriptor = true}});
    for (size_t offset = 0; offset < package.size(); ++offset) {
        for (const uint8_t mask : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> damaged = package;
            damaged[offset] ^= mask;
            try {
                const ZIPStreamReader reader(damaged);
                for (const ZIPFileEntry& entry : reader.files()) {
                    std::vector<uint8_t> target;
                    reader.extract(entry, target);
                    EXPECT_EQ(target.size(), entry.originalSize);
                }
            } catch (const core::EditorException& error) {
                EXPECT_STRNE(error.what(), "");
            }
        }
    }
}

} // namespace
} // namespace velmo::formats

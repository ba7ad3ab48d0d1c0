#include "formats/zip/zip_stream_writer.h"

#include "core/editor_exception.h"
#include "formats/zip/compressed_stream.h"
#include "formats/zip/zip_stream_reader.h"
#include "support/temporary_folder.h"
#include "zip_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace velmo::formats {
namespace {

using testing::asText;

std::vector<uint8_t> randomBytes(size_t size)
{
    std::mt19937 generator(7);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(generator());
    return bytes;
}

std::string repeatedXml(size_t paragraphs)
{
    std::string xml;
    for (size_t index = 0; index < paragraphs; ++index)
        xml += "<w:p><w:r><w:t>Paragraph " + std::to_string(index) + "</w:t></w:r></w:p>";
    return xml;
}

/// A package with the kinds of member the writer makes.
std::vector<uint8_t> samplePackage(uint32_t dosDateTime = kEarliestDosDateTime)
{
    ZIPStreamWriter writer(dosDateTime);
    writer.addFile("[Content_Types].xml", std::string_view("<Types/>"));
    writer.addFile("\\word\\document.xml", std::string_view(repeatedXml(2000)));
    writer.addDirectory("word/media");
    writer.addFile("word/media/image1.bin", randomBytes(100000));
    writer.addFile("word/empty.xml", std::string_view());
    writer.addFile("word/n\xC3\xA1zev.xml", std::string_view("<x/>"));
    return writer.finish();
}

TEST(ZIPStreamWriterTest, MembersReadBackInTheOrderAdded)
{
    const std::vector<uint8_t> package = samplePackage();
    const ZIPStreamReader reader(package);
    ASSERT_EQ(reader.files().size(), 6u);
    struct Expected {
        const char* name;
        std::string content;
        bool isDirectory;
    };
    const std::vector<uint8_t> image = randomBytes(100000);
    const Expected expected[] = {
        {"[Content_Types].xml", "<Types/>", false},
        {"word/document.xml", repeatedXml(2000), false},
        {"word/media/", "", true},
        {"word/media/image1.bin", asText(image), false},
        {"word/empty.xml", "", false},
        {"word/n\xC3\xA1zev.xml", "<x/>", false},
    };
    for (size_t index = 0; index < std::size(expected); ++index) {
        SCOPED_TRACE(expected[index].name);
        const ZIPFileEntry& entry = reader.files()[index];
        EXPECT_EQ(entry.name, expected[index].name);
        EXPECT_EQ(entry.isDirectory, expected[index].isDirectory);
        EXPECT_EQ(entry.dosDateTime, kEarliestDosDateTime);
        std::vector<uint8_t> content;
        reader.extract(entry, content);
        EXPECT_EQ(asText(content), expected[index].content);
    }
    EXPECT_LT(reader.files()[1].packedSize * 10, reader.files()[1].originalSize) << "XML deflates well";
    EXPECT_EQ(reader.files()[4].method, 8);
    EXPECT_EQ(reader.files()[4].packedSize, 2u) << "an empty member is a complete, empty deflate stream";
    EXPECT_EQ(reader.files()[5].flags, 0x0800) << "a name beyond ASCII is marked as UTF-8";
}

TEST(ZIPStreamWriterTest, OutputDependsOnlyOnContentAndTime)
{
    EXPECT_EQ(samplePackage(), samplePackage());
    const std::vector<uint8_t> stamped = samplePackage(0x5A211234);
    EXPECT_NE(stamped, samplePackage());
    EXPECT_EQ(stamped.size(), samplePackage().size());
    const ZIPStreamReader reader(stamped);
    EXPECT_EQ(reader.files()[0].dosDateTime, 0x5A211234u);
}

TEST(ZIPStreamWriterTest, PassesAnIndependentArchiveTest)
{
    if (!std::filesystem::exists("/usr/bin/unzip"))
        GTEST_SKIP() << "unzip is not installed";
    const velmo::testing::TemporaryFolder folder("zip-writer");
    const std::string path = folder.file("sample.zip");
    const std::vector<uint8_t> package = samplePackage(currentDosDateTime());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
    EXPECT_EQ(std::system(("/usr/bin/unzip -tq '" + path + "' > /dev/null").c_str()), 0);
}

TEST(ZIPStreamWriterTest, CompressedStreamIsUsedWithoutCompressingAgain)
{
    const std::string xml = repeatedXml(500);
    CompressedStream stream;
    for (size_t offset = 0; offset < xml.size(); offset += 777)
        stream.write(std::string_view(xml).substr(offset, 777));
    ZIPStreamWriter writer;
    writer.addFile("part.xml", stream);
    EXPECT_TRUE(stream.isFlushed());
    EXPECT_EQ(stream.originalSize(), xml.size());
    EXPECT_EQ(stream.crc32(), testing::crcOf(xml));
    EXPECT_THROW(stream.write(std::string_view("more")), core::EditorException);

    const std::vector<uint8_t> package = writer.finish();
    const ZIPStreamReader reader(package);
    ASSERT_EQ(reader.files().size(), 1u);
    EXPECT_EQ(reader.files()[0].packedSize, stream.packedData().size());
    std::vector<uint8_t> content;
    reader.extract(reader.files()[0], content);
    EXPECT_EQ(asText(content), xml);
}

TEST(ZIPStreamWriterTest, NamesThatCannotBeReadBackAreRefused)
{
    ZIPStreamWriter writer;
    writer.addFile("word/document.xml", std::string_view("a"));
    EXPECT_THROW(writer.addFile("Word/Document.xml", std::string_view("b")), core::EditorException);
    EXPECT_THROW(writer.addFile("\\word\\document.xml", std::string_view("b")), core::EditorException);
    EXPECT_THROW(writer.addFile("", std::string_view("b")), core::EditorException);
    EXPECT_THROW(writer.addFile(std::string(70000, 'n'), std::string_view("b")), core::EditorException);
    const std::vector<uint8_t> package = writer.finish();
    EXPECT_EQ(ZIPStreamReader(package).files().size(), 1u) << "a refused member leaves nothing behind";
}

TEST(ZIPStreamWriterTest, CurrentDosDateTimeIsAValidDate)
{
    const uint32_t stamp = currentDosDateTime();
    const uint32_t date = stamp >> 16;
    EXPECT_GE(date >> 9, 44u) << "2024 or later";
    EXPECT_GE((date >> 5) & 0xF, 1u);
    EXPECT_LE((date >> 5) & 0xF, 12u);
    EXPECT_GE(date & 0x1F, 1u);
    EXPECT_LT((stamp & 0xFFFF) >> 11, 24u);
}

} // namespace
} // namespace velmo::formats

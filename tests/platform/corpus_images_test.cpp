// Runs the codec over every file in the folder VELMO_IMAGE_DIR names (for instance the word/media/
// members of a set of DOCX files) and prints what each gives. Skipped when the variable is not set.
#include "core/file_io.h"
#include "platform/image_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

namespace velmo::platform {
namespace {

using velmo::testing::errorOf;
using velmo::testing::imageCodec;

TEST(CorpusImagesTest, EveryFileReadsOrFailsWithAClearError)
{
    const char* folder = std::getenv("VELMO_IMAGE_DIR");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "set VELMO_IMAGE_DIR to a folder of picture files";

    int decoded = 0;
    int sized = 0;
    int unknown = 0;
    std::map<std::string, int> failures;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        const std::vector<uint8_t> bytes = core::readFile(path);
        const OfficeImageFormat format = imageCodec().detectFormat(bytes);
        if (format == OfficeImageFormat::None) {
            ++unknown;
            std::cout << "unknown  " << path << "\n";
            continue;
        }
        ImageInfo info;
        std::string error = errorOf([&] { return info = imageCodec().readInfo(bytes); });
        if (error == "(no error)" && !isMetafileFormat(format))
            error = errorOf([&] { return imageCodec().decode(bytes); });
        EXPECT_EQ(error.find("(not an EditorException)"), std::string::npos) << path << ": " << error;
        if (error != "(no error)") {
            ++failures[error];
            std::cout << "failed   " << path << ": " << error << "\n";
            continue;
        }
        ++(isMetafileFormat(format) ? sized : decoded);
        std::cout << (isMetafileFormat(format) ? "sized    " : "decoded  ") << info.sizeInPixels.width << " x "
                  << info.sizeInPixels.height << " px, " << info.resolution.horizontal << " x "
                  << info.resolution.vertical << " DPI";
        if (isMetafileFormat(format))
            std::cout << ", " << info.metafileSizeInHundredthsOfMillimeter.width << " x "
                      << info.metafileSizeInHundredthsOfMillimeter.height << " hundredths of a mm";
        std::cout << "  " << path << "\n";
    }
    int failed = 0;
    for (const auto& [message, count] : failures)
        failed += count;
    std::cout << decoded << " decoded, " << sized << " metafiles sized, " << failed << " failed, " << unknown
              << " not pictures\n";
    for (const auto& [message, count] : failures)
        std::cout << "  " << count << " x " << message << "\n";
}

} // namespace
} // namespace velmo::platform

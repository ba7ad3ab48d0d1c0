// Every picture inside the DOCX packages of the shared corpus through the model's image loading: each
// one is read, or kept as a stand-in that says clearly why it could not be.
#include "core/editor_exception.h"
#include "core/file_io.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "picture_test_support.h"

#include "support/corpus_packages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

namespace velmo::model {
namespace {

struct Counts {
    int packages = 0;
    int unreadablePackages = 0;
    int pictures = 0;
    int raster = 0;
    int metafiles = 0;
    int unreadable = 0;
    std::map<std::string, int> errors;
};

void loadPictures(const std::filesystem::path& path, Counts& counts)
{
    ++counts.packages;
    std::vector<uint8_t> package;
    try {
        package = core::readFile(path.string());
        const formats::ZIPStreamReader reader(package);
        for (const formats::ZIPFileEntry& entry : reader.files()) {
            const std::string name = velmo::testing::lowerCaseAscii(entry.name);
            if (!name.starts_with("word/media/") || name.ends_with("/"))
                continue; // not a picture, or a folder entry
            std::vector<uint8_t> bytes;
            reader.extract(entry, bytes);
            DocumentModel document(nullptr, &testCodec());
            const auto reference = document.images().createImage(bytes);
            const OfficeImage& image = reference->image();
            ++counts.pictures;
            if (!image.loadError().empty()) {
                ++counts.unreadable;
                ++counts.errors[image.loadError()];
                std::cout << "unreadable " << path.filename().string() << " " << entry.name << ": " << image.loadError() << "\n";
                continue;
            }
            ++(image.isMetafile() ? counts.metafiles : counts.raster);
            EXPECT_GE(image.sizeInTwips().width, 1);
            EXPECT_GE(image.sizeInTwips().height, 1);
        }
    } catch (const core::EditorException& error) {
        ++counts.unreadablePackages; // the ZIP reader's own corpus test covers these
        std::cout << "package " << path.filename().string() << ": " << error.what() << "\n";
    }
}

TEST(CorpusPicturesTest, EveryPictureLoadsOrBecomesAStandInWithAClearError)
{
    const std::vector<std::filesystem::path> packages = velmo::testing::corpusPackages({".docx"});
    if (packages.empty())
        GTEST_SKIP() << "no shared corpus at " << VELMO_SHARED_DIR;
    Counts counts;
    for (const std::filesystem::path& path : packages)
        loadPictures(path, counts);
    std::cout << counts.packages << " packages (" << counts.unreadablePackages << " unreadable), " << counts.pictures
              << " pictures: " << counts.raster << " raster, " << counts.metafiles << " metafiles, " << counts.unreadable
              << " unreadable\n";
    for (const auto& [message, count] : counts.errors) {
        std::cout << "  " << count << " x " << message << "\n";
        EXPECT_FALSE(message.empty());
    }
    EXPECT_GT(counts.pictures, 0);
}

} // namespace
} // namespace velmo::model

#include "commands/paste_command.h"

#include "formats/document_formats_registry.h"
#include "formats/document_model_importer.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/model_integrity_checker.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/picture_editing.h"
#include "model/selection.h"
#include "platform/codecs/standard_image_codec.h"
#include "platform/memory_clipboard.h"

#include <gtest/gtest.h>

namespace velmo::commands {
namespace {

namespace format = platform::clipboard_format;
using model::DocumentFormat;

const platform::StandardImageCodec kCodec;

/// A stand-in rich-text reader: the clipboard data are the bytes of a picture, which becomes a
/// floating picture, alone in its fragment, as a copied floating picture arrives.
class FloatingPictureImporter final : public formats::DocumentModelImporter {
public:
    using DocumentModelImporter::DocumentModelImporter;
    void importContent(std::span<const uint8_t> bytes) override
    {
        documentModel_.beginSetContent();
        const auto picture = documentModel_.images().createImage(bytes);
        (void)model::insertFloatingPicture(documentModel_.mainPieceTable(), DocumentLogPosition(0), *picture);
        documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument);
    }
};

class FloatingPictureFormat final : public formats::IImportFileFormat {
public:
    [[nodiscard]] DocumentFormat format() const noexcept override { return DocumentFormat::Rtf; }
    [[nodiscard]] formats::FileDialogFilter filter() const override { return {u"Fake", {u"fake"}}; }
    [[nodiscard]] std::unique_ptr<formats::DocumentModelImporter> createImporter(
        model::DocumentModel& documentModel, const formats::DocumentImporterOptions&) const override
    {
        return std::make_unique<FloatingPictureImporter>(documentModel);
    }
    [[nodiscard]] int32_t rate(std::span<const uint8_t>, std::u16string_view) const override { return 0; }
};

class PasteFloatingObjectTest : public ::testing::Test {
protected:
    PasteFloatingObjectTest()
    {
        formats::DocumentFormatsRegistry::unregisterImportFormat(DocumentFormat::Rtf);
        formats::DocumentFormatsRegistry::registerImportFormat(std::make_unique<FloatingPictureFormat>());
        platform::RgbaImage pixels{4, 2, std::vector<uint8_t>(4 * 2 * 4, 0x80), {}};
        const std::vector<uint8_t> png = kCodec.encodePng(pixels);
        clipboard_.setData(format::kRichText, std::string(png.begin(), png.end()));
        document_.mainPieceTable().insertPlainText(DocumentLogPosition(0), u"first\rsecond");
        document_.history().clear();
    }
    ~PasteFloatingObjectTest() override { formats::DocumentFormatsRegistry::unregisterImportFormat(DocumentFormat::Rtf); }

    void pasteAt(int32_t position)
    {
        document_.selection().collapse(DocumentLogPosition(position));
        PieceTablePasteCommand(document_, clipboard_, model::CopyPasteOptions{}).execute();
        EXPECT_TRUE(model::findIntegrityProblems(document_).empty());
    }
    std::vector<model::FloatingObjectAnchorRun*> anchors() { return model::floatingObjectList(document_.mainPieceTable()); }

    model::DocumentModel document_{nullptr, &kCodec};
    platform::MemoryClipboard clipboard_;
};

TEST_F(PasteFloatingObjectTest, PastingOnePictureTwiceCascadesTheSecondInFront)
{
    pasteAt(9);
    pasteAt(8);
    pasteAt(12);
    const std::vector<model::FloatingObjectAnchorRun*> pasted = anchors();
    ASSERT_EQ(pasted.size(), 3u);
    // All anchored at the start of the second paragraph, each 1/6 inch (240 twips) further and in front.
    EXPECT_EQ(document_.mainPieceTable().storyText(), u"first\r\b\b\bsecond\r");
    for (size_t index = 0; index < pasted.size(); ++index) {
        const int32_t step = static_cast<int32_t>(index) * 240;
        EXPECT_EQ(pasted[index]->floatingObjectInfo().offset, (model::Point{step, step})) << index;
        EXPECT_EQ(pasted[index]->floatingObjectInfo().zOrder, 251658240 + static_cast<int32_t>(index)) << index;
    }
    document_.history().undo();
    EXPECT_EQ(anchors().size(), 2u);
}

TEST_F(PasteFloatingObjectTest, ObjectsElsewhereDoNotMoveThePastedOne)
{
    pasteAt(0);
    pasteAt(7);
    const std::vector<model::FloatingObjectAnchorRun*> pasted = anchors();
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0]->floatingObjectInfo().offset, (model::Point{0, 0}));
    EXPECT_EQ(pasted[1]->floatingObjectInfo().offset, (model::Point{0, 0}));
    EXPECT_EQ(document_.mainPieceTable().storyText(), u"\bfirst\r\bsecond\r");
}

} // namespace
} // namespace velmo::commands

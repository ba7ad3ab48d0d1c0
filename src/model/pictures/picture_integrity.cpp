#include "model/pictures/picture_integrity.h"

#include "model/content_type.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"

#include <algorithm>

namespace velmo::model {

namespace {

void checkImage(const PieceTable& pieceTable, const OfficeImageReference& image, const std::string& name,
                std::vector<std::string>& problems)
{
    const ImageCache& cache = pieceTable.documentModel().images().imageCache();
    if (&image.owner() != &cache || !cache.contains(&image.image()))
        problems.push_back(name + " shows a picture that is not in the document's cache");
}

void checkInlinePicture(const PieceTable& pieceTable, const InlinePictureRun& run, const std::string& name,
                        std::vector<std::string>& problems)
{
    if (!run.isInStory())
        problems.push_back(name + " does not know it is in its story");
    if (!pieceTable.documentModel().cache().pictureCaches().inlinePictureInfoCache.isIndexValid(run.pictureInfoIndex()))
        problems.push_back(name + " has no valid picture properties");
    if (const PictureFloatingObjectContent* content = run.content()) {
        if (&content->run() != &run)
            problems.push_back(name + " has a picture that belongs to another run");
        checkImage(pieceTable, content->image(), name, problems);
    }
}

void checkAnchor(const PieceTable& pieceTable, const FloatingObjectAnchorRun& run, const std::string& name,
                 std::vector<std::string>& problems)
{
    if (!run.isInStory())
        problems.push_back(name + " does not know it is in its story");
    if (pieceTable.contentType().isTextBox())
        problems.push_back(name + " anchors a floating object inside a text box");
    const PictureFormattingCaches& caches = pieceTable.documentModel().cache().pictureCaches();
    if (!caches.floatingObjectFormattingCache.isIndexValid(run.floatingObject().propertiesIndex()) ||
        !caches.shapeFormattingCache.isIndexValid(run.floatingObject().shapeIndex()))
        problems.push_back(name + " has no valid floating object records");
    const CustomObjectContent& content = run.content();
    if (content.kind() == ObjectContentKind::Picture) {
        const auto& picture = static_cast<const PictureFloatingObjectContent&>(content);
        if (&picture.run() != &run)
            problems.push_back(name + " has a picture that belongs to another run");
        checkImage(pieceTable, picture.image(), name, problems);
    }
    if (content.kind() == ObjectContentKind::TextBox) {
        const TextBoxContentType& textBox = static_cast<const TextBoxFloatingObjectContent&>(content).textBox();
        if (textBox.anchorRun() != &run)
            problems.push_back(name + " shows a text box that does not know its anchor");
        if (std::ranges::count(pieceTable.textBoxes(), &textBox) != 1)
            problems.push_back(name + " shows a text box missing from the story's list");
    }
}

} // namespace

std::vector<std::string> findPictureProblems(const PieceTable& pieceTable)
{
    std::vector<std::string> problems;
    size_t textBoxAnchors = 0;
    for (int32_t index = 0; index < pieceTable.runCount(); ++index) {
        const TextRunBase& run = pieceTable.run(RunIndex(index));
        const std::string name = "run " + std::to_string(index);
        if (run.kind() == RunKind::InlinePicture)
            checkInlinePicture(pieceTable, static_cast<const InlinePictureRun&>(run), name, problems);
        if (run.kind() != RunKind::FloatingObjectAnchor)
            continue;
        const auto& anchor = static_cast<const FloatingObjectAnchorRun&>(run);
        checkAnchor(pieceTable, anchor, name, problems);
        if (anchor.content().kind() == ObjectContentKind::TextBox)
            ++textBoxAnchors;
    }
    if (pieceTable.textBoxes().size() != textBoxAnchors)
        problems.push_back("the story lists " + std::to_string(pieceTable.textBoxes().size()) + " text boxes but anchors " +
                           std::to_string(textBoxAnchors));
    return problems;
}

} // namespace velmo::model

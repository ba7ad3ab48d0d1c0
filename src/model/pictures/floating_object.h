#pragma once

#include "model/pictures/custom_object_content.h"
#include "model/pictures/floating_object_formatting.h"
#include "model/pictures/shape_formatting.h"

#include <functional>
#include <memory>

namespace velmo::model {

class FloatingObjectAnchorRun;

/// What an anchor run places on the page: its position and wrapping (properties), its outline and
/// fill (shape) and what it shows (content). Property, shape and content changes are undoable steps.
class FloatingObject {
public:
    /// Empty content, default properties and shape.
    explicit FloatingObject(FloatingObjectAnchorRun& run);
    ~FloatingObject();
    FloatingObject(const FloatingObject&) = delete;
    FloatingObject& operator=(const FloatingObject&) = delete;

    [[nodiscard]] FloatingObjectAnchorRun& run() const noexcept { return *run_; }

    [[nodiscard]] const FloatingObjectFormatting& properties() const;
    [[nodiscard]] const FloatingObjectInfo& info() const { return properties().info(); }
    [[nodiscard]] int32_t propertiesIndex() const noexcept { return propertiesIndex_; }
    /// Changes any number of properties as one undoable step.
    void changeProperties(const std::function<void(FloatingObjectFormatting&)>& change);
    void setZOrder(int32_t zOrder);
    void setOffset(Point offset);
    void setActualSize(Size size);

    [[nodiscard]] const ShapeFormatting& shape() const;
    [[nodiscard]] int32_t shapeIndex() const noexcept { return shapeIndex_; }
    void changeShape(const std::function<void(ShapeFormatting&)>& change);

    [[nodiscard]] CustomObjectContent& content() const noexcept { return *content_; }
    /// Replaces the content as an undoable step; a text box content becomes one of the story's text
    /// boxes while the anchor is in it.
    void setContent(std::unique_ptr<CustomObjectContent> content);
    /// Takes the properties, shape and a copy of the content of `source` (possibly of another document).
    void copyFrom(const FloatingObject& source);

    // Used by the anchor run and by the content change step.
    /// The anchor entered its story: a text box learns its anchor.
    void attach();
    /// The anchor is about to leave its story.
    void detach();
    /// Takes the records of `source` (same document) and `content`, without history: for a run being made.
    void initializeFrom(const FloatingObject& source, std::unique_ptr<CustomObjectContent> content);
    /// Swaps the content with `other` (the step that sets and restores contents).
    void swapContent(std::unique_ptr<CustomObjectContent>& other);

private:
    FloatingObjectAnchorRun* run_; // owns this object
    int32_t propertiesIndex_ = 0;
    int32_t shapeIndex_ = 0;
    std::unique_ptr<CustomObjectContent> content_; // never null
};

} // namespace velmo::model

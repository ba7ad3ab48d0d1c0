#pragma once

#include "model/document_model_change_actions.h"
#include "model/pictures/geometry.h"

namespace velmo::model {

class TextBoxFloatingObjectContent;
class TextRunBase;

/// What a picture content sees of the run that shows it: an inline picture run or a floating-object
/// anchor run.
class IPictureContainerRun {
public:
    virtual ~IPictureContainerRun() = default;
    [[nodiscard]] virtual TextRunBase& containerRun() noexcept = 0;
    /// Whether the run is in its story now (not kept aside by the undo history).
    [[nodiscard]] virtual bool isInStory() const noexcept = 0;
    [[nodiscard]] virtual float scaleX() const = 0;
    [[nodiscard]] virtual float scaleY() const = 0;
    /// The size the picture is shown at, in model units.
    [[nodiscard]] virtual Size actualSize() const = 0;
    /// Changes the shown size as an undoable step. For an inline picture whose image is still being
    /// fetched, the size is also kept as the one to take once it arrives.
    virtual void setActualSize(Size size) = 0;
    /// Changes only the numbers behind the shown size (an inline picture's scales).
    virtual void setActualSizeInternal(Size size) = 0;
    /// What the layout must redo when the picture changed.
    [[nodiscard]] virtual DocumentModelChangeActions batchUpdateChangeActions() const = 0;
};

} // namespace velmo::model

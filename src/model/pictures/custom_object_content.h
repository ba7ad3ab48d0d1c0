#pragma once

#include "model/pictures/geometry.h"

#include <memory>

namespace velmo::model {

class DocumentModel;
class IPictureContainerRun;

/// What a picture run or a floating object shows: nothing, a picture, or a text box.
enum class ObjectContentKind : uint8_t { Empty, Picture, TextBox };

/// The base of everything a picture or floating-object run shows, with its unscaled size.
class CustomObjectContent {
public:
    virtual ~CustomObjectContent() = default;
    CustomObjectContent(const CustomObjectContent&) = delete;
    CustomObjectContent& operator=(const CustomObjectContent&) = delete;

    [[nodiscard]] virtual ObjectContentKind kind() const noexcept = 0;
    /// The unscaled size in model units.
    [[nodiscard]] Size originalSize() const noexcept { return originalSize_; }
    /// Throws the invalid-value error, naming "OriginalSize", for a side of 0 or less.
    void setOriginalSize(Size size);
    /// The same content for `run`, a run of `targetDocument` (which may be another document).
    [[nodiscard]] virtual std::unique_ptr<CustomObjectContent> clone(IPictureContainerRun& run,
                                                                     DocumentModel& targetDocument) const = 0;

protected:
    explicit CustomObjectContent(Size originalSize) noexcept : originalSize_(originalSize) {}

private:
    Size originalSize_;
};

/// A floating object that shows nothing (what a new anchor starts with).
class EmptyFloatingObjectContent final : public CustomObjectContent {
public:
    EmptyFloatingObjectContent() noexcept : CustomObjectContent(Size{}) {}
    [[nodiscard]] ObjectContentKind kind() const noexcept override { return ObjectContentKind::Empty; }
    [[nodiscard]] std::unique_ptr<CustomObjectContent> clone(IPictureContainerRun&, DocumentModel&) const override
    {
        return std::make_unique<EmptyFloatingObjectContent>();
    }
};

} // namespace velmo::model

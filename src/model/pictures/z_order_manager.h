#pragma once

#include "model/pictures/floating_object_formatting.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

class DocumentModel;
class FloatingObject;

/// The stacking order of the floating objects of one story. Each operation takes the story's objects
/// sorted by z-order ascending (floatingObjectList()) and the index of the selected one, and changes
/// z-orders as undoable steps; an index the operation does not apply to changes nothing.
class ZOrderManager {
public:
    static void bringToFront(const std::vector<FloatingObject*>& list, int32_t index);
    /// Above the next object only: when the two above it are numbered one apart, it first trades
    /// places with the next one.
    static void bringForward(const std::vector<FloatingObject*>& list, int32_t index);
    static void sendBackward(const std::vector<FloatingObject*>& list, int32_t index);
    /// Below every object; when there is no room below the lowest number, the objects below it move up.
    static void sendToBack(const std::vector<FloatingObject*>& list, int32_t index);
    /// Numbers the objects afresh (after a document was read): the objects in front of the text 0 or
    /// 1, 2, 3... in their order; the objects behind the text, then those in front with a negative
    /// number, 1, 2, 3..., all of them then behind the text.
    static void normalize(const std::vector<FloatingObject*>& list);
};

/// Normalizes the z-orders of the floating objects of every story of the document.
void normalizeZOrder(DocumentModel& documentModel);

/// The text-layer and wrapping choices of the Wrap Text menu.
enum class FloatingObjectTextWrapPreset : uint8_t { BehindText, InFrontOfText, Square, Tight, Through, TopAndBottom };

void applyTextWrapPreset(FloatingObject& floatingObject, FloatingObjectTextWrapPreset preset);
/// Whether the object is set the way the preset sets it.
[[nodiscard]] bool isTextWrapPresetActive(const FloatingObject& floatingObject, FloatingObjectTextWrapPreset preset);
/// One of the nine Position choices: aligned in the margins on both axes.
void applyPositionPreset(FloatingObject& floatingObject, ShapeHorizontalAlignment horizontal, ShapeVerticalAlignment vertical);

} // namespace velmo::model

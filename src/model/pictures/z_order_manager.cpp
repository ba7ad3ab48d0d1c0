#include "model/pictures/z_order_manager.h"

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/picture_editing.h"

#include <algorithm>
#include <cstdlib>

namespace velmo::model {

namespace {

std::vector<int32_t> zOrdersOf(const std::vector<FloatingObject*>& list)
{
    std::vector<int32_t> result;
    result.reserve(list.size());
    for (const FloatingObject* floatingObject : list)
        result.push_back(floatingObject->info().zOrder);
    return result;
}

/// Stores the z-orders that changed, as one undoable step.
void storeZOrders(const std::vector<FloatingObject*>& list, const std::vector<int32_t>& zOrders)
{
    BatchUpdateScope batch(list.front()->run().pieceTable().documentModel());
    for (size_t index = 0; index < list.size(); ++index) {
        if (list[index]->info().zOrder != zOrders[index] || !list[index]->properties().uses(UseFloatingObjectOption::UseZOrder))
            list[index]->setZOrder(zOrders[index]);
    }
}

/// Raises the objects after `from` by one until one already lies above its predecessor.
void incrementPass(std::vector<int32_t>& z, int32_t from, int32_t to)
{
    for (int32_t k = from + 1; k < to; ++k) {
        if (z[static_cast<size_t>(k)] > z[static_cast<size_t>(k - 1)])
            return;
        ++z[static_cast<size_t>(k)];
    }
}

/// Gives the objects, in order, consecutive numbers from `first` (an object already numbered as
/// the previous one keeps that number).
void renumber(std::vector<std::pair<FloatingObject*, int32_t>>& objects, int32_t first)
{
    int32_t number = first;
    for (size_t index = 0; index < objects.size(); ++index) {
        int32_t& z = objects[index].second;
        if (index == 0)
            number = first == 0 ? (z == 0 ? 0 : 1) : first;
        else if (z != number)
            ++number;
        z = number;
    }
}

} // namespace

void ZOrderManager::bringToFront(const std::vector<FloatingObject*>& list, int32_t index)
{
    const int32_t last = static_cast<int32_t>(list.size()) - 1;
    if (index < 0 || index >= last)
        return;
    std::vector<int32_t> z = zOrdersOf(list);
    z[static_cast<size_t>(index)] = z[static_cast<size_t>(last)] + 1;
    storeZOrders(list, z);
}

void ZOrderManager::bringForward(const std::vector<FloatingObject*>& list, int32_t index)
{
    const int32_t last = static_cast<int32_t>(list.size()) - 1;
    if (index < 0 || index >= last)
        return;
    std::vector<int32_t> z = zOrdersOf(list);
    const auto i = static_cast<size_t>(index);
    if (index + 2 <= last && z[i + 2] - z[i + 1] == 1)
        std::swap(z[i], z[i + 1]);
    z[i] = z[i + 1] + 1;
    storeZOrders(list, z);
}

void ZOrderManager::sendBackward(const std::vector<FloatingObject*>& list, int32_t index)
{
    const int32_t last = static_cast<int32_t>(list.size()) - 1;
    if (index <= 0 || index > last)
        return;
    std::vector<int32_t> z = zOrdersOf(list);
    const auto i = static_cast<size_t>(index);
    if (index - 2 >= 0 && std::abs(z[i - 1] - z[i - 2]) == 1)
        std::swap(z[i], z[i - 1]);
    z[i] = z[i - 1] - 1;
    storeZOrders(list, z);
}

void ZOrderManager::sendToBack(const std::vector<FloatingObject*>& list, int32_t index)
{
    const int32_t last = static_cast<int32_t>(list.size()) - 1;
    if (index < 0 || index > last)
        return;
    std::vector<int32_t> z = zOrdersOf(list);
    const int32_t first = z[0];
    if (index == 0) {
        incrementPass(z, 0, last);
    } else if (first <= 0) {
        z[static_cast<size_t>(index)] = 0;
        z[0] += 1;
        incrementPass(z, 0, index);
    } else {
        z[static_cast<size_t>(index)] = first - 1;
    }
    storeZOrders(list, z);
}

void ZOrderManager::normalize(const std::vector<FloatingObject*>& list)
{
    std::vector<std::pair<FloatingObject*, int32_t>> behind;
    std::vector<std::pair<FloatingObject*, int32_t>> negative;
    std::vector<std::pair<FloatingObject*, int32_t>> inFront;
    for (FloatingObject* floatingObject : list) {
        const FloatingObjectInfo& info = floatingObject->info();
        auto& target = info.isBehindDoc ? behind : info.zOrder < 0 ? negative : inFront;
        target.emplace_back(floatingObject, info.zOrder);
    }
    const auto byZOrder = [](const auto& a, const auto& b) { return a.second < b.second; };
    std::ranges::stable_sort(behind, byZOrder);
    std::ranges::stable_sort(negative, byZOrder);
    std::ranges::stable_sort(inFront, byZOrder);
    behind.insert(behind.end(), negative.begin(), negative.end());
    if (list.empty())
        return;
    BatchUpdateScope batch(list.front()->run().pieceTable().documentModel());
    renumber(inFront, 0);
    renumber(behind, 1);
    for (const auto& [floatingObject, zOrder] : inFront)
        floatingObject->setZOrder(zOrder);
    for (const auto& [floatingObject, zOrder] : behind) {
        const int32_t number = zOrder;
        floatingObject->changeProperties([number](FloatingObjectFormatting& f) {
            f.set(&FloatingObjectInfo::zOrder, number, UseFloatingObjectOption::UseZOrder);
            f.set(&FloatingObjectInfo::isBehindDoc, true, UseFloatingObjectOption::UseIsBehindDoc);
        });
    }
}

void normalizeZOrder(DocumentModel& documentModel)
{
    std::vector<FloatingObject*> all;
    for (PieceTable* story : documentModel.pieceTables(true)) {
        for (FloatingObjectAnchorRun* anchor : floatingObjectList(*story))
            all.push_back(&anchor->floatingObject());
    }
    BatchUpdateScope batch(documentModel);
    ZOrderManager::normalize(all);
}

void applyTextWrapPreset(FloatingObject& floatingObject, FloatingObjectTextWrapPreset preset)
{
    using O = UseFloatingObjectOption;
    floatingObject.changeProperties([preset](FloatingObjectFormatting& f) {
        const auto wrap = [&f](FloatingObjectTextWrapType type) { f.set(&FloatingObjectInfo::textWrapType, type, O::UseTextWrapType); };
        switch (preset) {
        case FloatingObjectTextWrapPreset::BehindText:
        case FloatingObjectTextWrapPreset::InFrontOfText:
            f.set(&FloatingObjectInfo::isBehindDoc, preset == FloatingObjectTextWrapPreset::BehindText, O::UseIsBehindDoc);
            wrap(FloatingObjectTextWrapType::None);
            return;
        case FloatingObjectTextWrapPreset::Square: wrap(FloatingObjectTextWrapType::Square); return;
        case FloatingObjectTextWrapPreset::Tight: wrap(FloatingObjectTextWrapType::Tight); return;
        case FloatingObjectTextWrapPreset::Through: wrap(FloatingObjectTextWrapType::Through); return;
        case FloatingObjectTextWrapPreset::TopAndBottom: wrap(FloatingObjectTextWrapType::TopAndBottom); return;
        }
    });
}

bool isTextWrapPresetActive(const FloatingObject& floatingObject, FloatingObjectTextWrapPreset preset)
{
    const FloatingObjectInfo& info = floatingObject.info();
    switch (preset) {
    case FloatingObjectTextWrapPreset::BehindText: return info.isBehindDoc && info.textWrapType == FloatingObjectTextWrapType::None;
    case FloatingObjectTextWrapPreset::InFrontOfText: return !info.isBehindDoc && info.textWrapType == FloatingObjectTextWrapType::None;
    case FloatingObjectTextWrapPreset::Square: return info.textWrapType == FloatingObjectTextWrapType::Square;
    case FloatingObjectTextWrapPreset::Tight: return info.textWrapType == FloatingObjectTextWrapType::Tight;
    case FloatingObjectTextWrapPreset::Through: return info.textWrapType == FloatingObjectTextWrapType::Through;
    case FloatingObjectTextWrapPreset::TopAndBottom: return info.textWrapType == FloatingObjectTextWrapType::TopAndBottom;
    }
    return false;
}

void applyPositionPreset(FloatingObject& floatingObject, ShapeHorizontalAlignment horizontal, ShapeVerticalAlignment vertical)
{
    using O = UseFloatingObjectOption;
    floatingObject.changeProperties([horizontal, vertical](FloatingObjectFormatting& f) {
        f.set(&FloatingObjectInfo::horizontalPositionAlignment, horizontal, O::UseHorizontalPositionAlignment);
        f.set(&FloatingObjectInfo::verticalPositionAlignment, vertical, O::UseVerticalPositionAlignment);
        f.set(&FloatingObjectInfo::horizontalPositionType, ShapeRelativeHorizontalPosition::Margin, O::UseHorizontalPositionType);
        f.set(&FloatingObjectInfo::verticalPositionType, ShapeRelativeVerticalPosition::Margin, O::UseVerticalPositionType);
    });
}

} // namespace velmo::model

#include "model/document_history.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/z_order_manager.h"
#include "model/piece_table.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmo::model {
namespace {

/// A story with floating objects numbered as given (story order = list order before sorting).
class ZOrderTest : public ::testing::Test {
protected:
    std::vector<FloatingObject*> objectsWith(std::initializer_list<int32_t> zOrders, std::initializer_list<bool> behind = {})
    {
        std::vector<FloatingObject*> result;
        auto behindFlag = behind.begin();
        for (const int32_t zOrder : zOrders) {
            FloatingObjectAnchorRun& anchor = insertFloatingObjectAnchor(story(), story().documentEndLogPosition());
            const bool isBehind = behindFlag != behind.end() && *behindFlag++;
            anchor.floatingObject().changeProperties([zOrder, isBehind](FloatingObjectFormatting& f) {
                f.set(&FloatingObjectInfo::zOrder, zOrder, UseFloatingObjectOption::UseZOrder);
                f.set(&FloatingObjectInfo::isBehindDoc, isBehind, UseFloatingObjectOption::UseIsBehindDoc);
            });
            result.push_back(&anchor.floatingObject());
        }
        return result;
    }
    static std::vector<int32_t> zOrders(const std::vector<FloatingObject*>& objects)
    {
        std::vector<int32_t> result;
        for (const FloatingObject* floatingObject : objects)
            result.push_back(floatingObject->info().zOrder);
        return result;
    }
    PieceTable& story() { return document_.mainPieceTable(); }

    DocumentModel document_;
};

TEST_F(ZOrderTest, NewObjectsGoAboveTheOthers)
{
    EXPECT_EQ(nextZOrder(story()), 251658240);
    objectsWith({251658240});
    EXPECT_EQ(nextZOrder(story()), 251658240 + 1024);
    objectsWith({-5});
    EXPECT_EQ(nextZOrder(story()), 251658240 + 1024);
}

TEST_F(ZOrderTest, StackingOperations)
{
    using Operation = std::function<void(const std::vector<FloatingObject*>&, int32_t)>;
    struct Case {
        const char* name;
        Operation operation;
        std::initializer_list<int32_t> before; // ascending: the list as the story gives it
        int32_t index;
        std::vector<int32_t> after;             // in the same list order
    };
    const Case cases[] = {
        {"bring to front", ZOrderManager::bringToFront, {10, 20, 30}, 0, {31, 20, 30}},
        {"bring to front of the top one does nothing", ZOrderManager::bringToFront, {10, 20, 30}, 2, {10, 20, 30}},
        {"bring forward past one neighbour", ZOrderManager::bringForward, {10, 20, 30}, 0, {21, 20, 30}},
        {"bring forward first trades places when the two above are one apart", ZOrderManager::bringForward, {10, 20, 21}, 0, {11, 10, 21}},
        {"send backward", ZOrderManager::sendBackward, {10, 20, 30}, 2, {10, 20, 19}},
        {"send backward trades places when the two below are one apart", ZOrderManager::sendBackward, {10, 11, 30}, 2, {10, 30, 29}},
        {"send backward of the bottom one does nothing", ZOrderManager::sendBackward, {10, 11, 30}, 0, {10, 11, 30}},
        {"send to back below the lowest", ZOrderManager::sendToBack, {10, 20, 30}, 2, {10, 20, 9}},
        {"send to back at zero pushes the lowest up", ZOrderManager::sendToBack, {0, 1, 2}, 2, {1, 2, 0}},
        {"send to back of the lowest raises the ones level with it", ZOrderManager::sendToBack, {5, 5, 5, 9}, 0, {5, 6, 6, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document_.clearDocument();
        const std::vector<FloatingObject*> list = objectsWith(c.before);
        c.operation(list, c.index);
        EXPECT_EQ(zOrders(list), c.after);
        expectSound(document_);
    }
}

TEST_F(ZOrderTest, StackingChangesAreUndoable)
{
    const std::vector<FloatingObject*> list = objectsWith({10, 20, 21});
    ZOrderManager::bringForward(list, 0);
    EXPECT_EQ(zOrders(list), (std::vector<int32_t>{11, 10, 21}));
    document_.history().undo(); // one step
    EXPECT_EQ(zOrders(list), (std::vector<int32_t>{10, 20, 21}));
}

TEST_F(ZOrderTest, NormalizingNumbersEachLayerFromTheBottom)
{
    const std::vector<FloatingObject*> objects =
        objectsWith({0, 5, 8, 5, 3, 9, -4}, {false, false, true, false, true, false, false});
    normalizeZOrder(document_);
    // In front: 0, 5, 5, 9 become 0, 1, 2, 3. Behind: 3, 8, then the negative -4: 1, 2, 3.
    EXPECT_EQ(zOrders(objects), (std::vector<int32_t>{0, 1, 2, 2, 1, 3, 3}));
    const std::vector<bool> behind = {false, false, true, false, true, false, true};
    for (size_t index = 0; index < objects.size(); ++index)
        EXPECT_EQ(objects[index]->info().isBehindDoc, behind[index]) << index;
}

TEST_F(ZOrderTest, WrapAndPositionPresets)
{
    FloatingObject& floatingObject = *objectsWith({1}).front();
    applyTextWrapPreset(floatingObject, FloatingObjectTextWrapPreset::Square);
    EXPECT_TRUE(isTextWrapPresetActive(floatingObject, FloatingObjectTextWrapPreset::Square));
    EXPECT_TRUE(floatingObject.properties().canPutTextAtLeft());
    applyTextWrapPreset(floatingObject, FloatingObjectTextWrapPreset::BehindText);
    EXPECT_TRUE(isTextWrapPresetActive(floatingObject, FloatingObjectTextWrapPreset::BehindText));
    EXPECT_FALSE(isTextWrapPresetActive(floatingObject, FloatingObjectTextWrapPreset::InFrontOfText));
    EXPECT_FALSE(floatingObject.properties().canPutTextAtLeft());
    applyPositionPreset(floatingObject, ShapeHorizontalAlignment::Right, ShapeVerticalAlignment::Bottom);
    EXPECT_EQ(floatingObject.info().horizontalPositionType, ShapeRelativeHorizontalPosition::Margin);
    EXPECT_EQ(floatingObject.info().verticalPositionAlignment, ShapeVerticalAlignment::Bottom);
}

TEST(FloatingObjectFormattingTest, SettingTheActualSizeDropsTheRelativeSize)
{
    FloatingObjectFormatting formatting;
    formatting.set(&FloatingObjectInfo::relativeWidth, FloatingObjectRelativeWidth{50000, FloatingObjectRelativeFromHorizontal::Page},
                   UseFloatingObjectOption::UseRelativeWidth);
    EXPECT_TRUE(formatting.uses(UseFloatingObjectOption::UseRelativeWidth));
    formatting.setActualSize({100, 200});
    EXPECT_FALSE(formatting.uses(UseFloatingObjectOption::UseRelativeWidth));
    EXPECT_TRUE(formatting.uses(UseFloatingObjectOption::UseActualSize));

    struct Case {
        FloatingObjectTextWrapType type;
        FloatingObjectTextWrapSide side;
        bool left;
        bool right;
        bool largest;
    };
    const Case cases[] = {
        {FloatingObjectTextWrapType::Square, FloatingObjectTextWrapSide::Both, true, true, false},
        {FloatingObjectTextWrapType::Tight, FloatingObjectTextWrapSide::Left, true, false, false},
        {FloatingObjectTextWrapType::Through, FloatingObjectTextWrapSide::Right, false, true, false},
        {FloatingObjectTextWrapType::Square, FloatingObjectTextWrapSide::Largest, true, true, true},
        {FloatingObjectTextWrapType::TopAndBottom, FloatingObjectTextWrapSide::Both, false, false, false},
    };
    for (const Case& c : cases) {
        FloatingObjectFormatting wrap;
        wrap.set(&FloatingObjectInfo::textWrapType, c.type, UseFloatingObjectOption::UseTextWrapType);
        wrap.set(&FloatingObjectInfo::textWrapSide, c.side, UseFloatingObjectOption::UseTextWrapSide);
        EXPECT_EQ(wrap.canPutTextAtLeft(), c.left);
        EXPECT_EQ(wrap.canPutTextAtRight(), c.right);
        EXPECT_EQ(wrap.putTextAtLargestSide(), c.largest);
    }
}

} // namespace
} // namespace velmo::model

#include "model/paper_kind.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(PaperSizeCalculatorTest, SizesOfKindsAndKindsOfSizes)
{
    struct SizeCase {
        PaperKind kind;
        PaperSize size;
    };
    const SizeCase sizes[] = {
        {PaperKind::Custom, {12240, 15840}},      {PaperKind::Letter, {12240, 15840}},
        {PaperKind::A4, {11907, 16839}},          {PaperKind::Reserved_48, {12240, 15840}},
        {PaperKind::A3, {16839, 23814}},          {PaperKind::B5Transverse, {10319, 14571}},
        {PaperKind::PrcEnvelopeNumber10Rotated, {25965, 18369}},
    };
    for (const SizeCase& c : sizes) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        EXPECT_EQ(PaperSizeCalculator::calculatePaperSize(c.kind), c.size);
    }

    struct KindCase {
        const char* name;
        PaperSize size;
        int32_t tolerance;
        PaperKind expected;
    };
    const KindCase kinds[] = {
        {"A4 is found before A4Small", {11907, 16839}, 240, PaperKind::A4},
        {"Letter", {12240, 15840}, 0, PaperKind::Letter},
        {"within tolerance", {11900, 16800}, 240, PaperKind::A4},
        {"outside tolerance", {11900, 16800}, 0, PaperKind::Custom},
        {"zero width", {0, 16839}, 240, PaperKind::Custom},
        {"landscape A4 is not a portrait kind", {16839, 11907}, 0, PaperKind::A4Rotated},
    };
    for (const KindCase& c : kinds) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PaperSizeCalculator::calculatePaperKind(c.size, PaperKind::Custom, c.tolerance), c.expected);
    }
}

} // namespace
} // namespace velmo::model

#include "model/document_model_unit_converter.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace velmo::model {
namespace {

using C = DocumentModelUnitConverter;

TEST(DocumentModelUnitConverterTest, IntegerConversionsTruncateOrRoundAsNamed)
{
    struct Case {
        const char* name;
        std::function<int64_t(int32_t)> convert;
        int32_t input;
        int64_t expected;
    };
    const Case cases[] = {
        {"points to twips", C::pointsToModelUnits, 12, 240},
        {"documents to twips", C::documentsToModelUnits, 7, 33},           // 33.6 truncated
        {"documents to twips, negative", C::documentsToModelUnits, -7, -33}, // toward zero
        {"twips to documents", C::modelUnitsToDocuments, 100, 20},         // 20.83
        {"1/100 mm to twips", C::hundredthsOfMillimeterToModelUnits, 3000, 1700},
        {"1/100 mm to twips, rounded", C::hundredthsOfMillimeterToModelUnitsRound, 3000, 1701},
        {"1/100 mm to twips, 1250", C::hundredthsOfMillimeterToModelUnits, 1250, 708},
        {"twips to 1/100 mm", C::modelUnitsToHundredthsOfMillimeter, 1440, 2540},
        {"1/100 inch to twips", C::hundredthsOfInchToModelUnits, 100, 1440},
        {"twips to 1/100 inch", C::modelUnitsToHundredthsOfInch, 1439, 99},
        {"EMU to twips", [](int32_t x) { return C::emuToModelUnits(x); }, 1270, 2},
        {"EMU to twips truncates", [](int32_t x) { return C::emuToModelUnits(x); }, 1269, 1},
        {"EMU to twips, 64-bit", [](int32_t x) { return C::emuToModelUnits(int64_t{x} * 1000000); }, 635, 1000000},
        {"twips to EMU", [](int32_t x) { return C::modelUnitsToEmu(x); }, 2, 1270},
        {"twips to EMU, 64-bit", [](int32_t x) { return C::modelUnitsToEmu(int64_t{x}); }, 10000000, 6350000000},
        {"twips to EMU saturates in 32 bits", [](int32_t x) { return C::modelUnitsToEmu(x); }, 10000000,
         std::numeric_limits<int32_t>::max()},
        {"pixels to twips at 96 dpi", [](int32_t x) { return C::pixelsToModelUnits(x, 96); }, 3, 45},
        {"pixels to twips at 0 dpi", [](int32_t x) { return C::pixelsToModelUnits(x, 0); }, 3, 0},
        {"15 twips are 1 pixel", [](int32_t x) { return C::modelUnitsToPixels(x, 96); }, 15, 1},
        {"16 twips are 2 pixels", [](int32_t x) { return C::modelUnitsToPixels(x, 96); }, 16, 2},
        {"fixed degrees to angle units", C::fdToModelUnits, 65536, 60000},
        {"angle units to fixed degrees", C::modelUnitsToFD, 59999, 65534}, // 65534.9 truncated
        {"angle units to degrees", C::modelUnitsToDegree, 179999, 2},
        {"points rounded half to even (2.5)", [](int32_t x) { return C::modelUnitsToPointsFRound(static_cast<float>(x)); }, 50, 2},
        {"points rounded half to even (3.5)", [](int32_t x) { return C::modelUnitsToPointsFRound(static_cast<float>(x)); }, 70, 4},
        {"degrees rounded", [](int32_t x) { return C::degreeToModelUnits(static_cast<float>(x) / 4.0f); }, 1, 15000},
        {"large twips to 1/100 mm needs 64 bits", C::modelUnitsToHundredthsOfMillimeter, 100000000, 176388888},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.convert(c.input), c.expected);
    }
}

TEST(DocumentModelUnitConverterTest, FloatConversionsAreExactQuotients)
{
    struct Case {
        const char* name;
        std::function<float(float)> convert;
        float input;
        float expected;
    };
    const Case cases[] = {
        {"points", C::pointsToModelUnitsF, 10.5f, 210.0f},
        {"twips to points", C::modelUnitsToPointsF, 210.0f, 10.5f},
        {"centimetres", C::centimetersToModelUnitsF, 2.54f, 1440.0f},
        {"twips to centimetres", C::modelUnitsToCentimetersF, 1440.0f, 2.54f},
        {"millimetres", C::millimetersToModelUnitsF, 25.4f, 1440.0f},
        {"twips to millimetres", C::modelUnitsToMillimetersF, 720.0f, 12.7f},
        {"inches", C::inchesToModelUnitsF, 0.5f, 720.0f},
        {"twips to inches", C::modelUnitsToInchesF, 360.0f, 0.25f},
        {"picas", C::picasToModelUnitsF, 2.0f, 480.0f},
        {"documents", C::documentsToModelUnitsF, 5.0f, 24.0f},
        {"twips to documents", C::modelUnitsToDocumentsF, 24.0f, 5.0f},
        {"EMU", C::emuToModelUnitsF, 635.0f, 1.0f},
        {"pixels at 96 dpi", [](float x) { return C::pixelsToModelUnitsF(x, 96); }, 1.0f, 15.0f},
        {"twips to pixels at 96 dpi", [](float x) { return C::modelUnitsToPixelsF(x, 96); }, 16.0f, 1.0666667f},
        {"dialog centimetres", [](float x) { return C::toUIUnit(x, DocumentUnit::Centimeter); }, 1440.0f, 2.54f},
        {"dialog points back", [](float x) { return C::toModelUnits(x, DocumentUnit::Point); }, 11.0f, 220.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(c.convert(c.input), c.expected);
    }
    EXPECT_EQ(C::modelUnitsToEmuF(1.5f), 952);
    EXPECT_FLOAT_EQ(C::modelUnitsToDegreeF(90000), 1.5f);
}

TEST(DocumentModelUnitConverterTest, LayoutUnitConverters)
{
    const auto document = C::createConverterToLayoutUnits(DocumentLayoutUnit::Document, 96);
    EXPECT_EQ(document->toLayoutUnits(1440), 300);
    EXPECT_EQ(document->toModelUnits(300), 1440);
    const auto twip = C::createConverterToLayoutUnits(DocumentLayoutUnit::Twip, 96);
    EXPECT_EQ(twip->toLayoutUnits(123), 123);
    const auto pixel = C::createConverterToLayoutUnits(DocumentLayoutUnit::Pixel, 96);
    EXPECT_EQ(pixel->toLayoutUnits(16), 2);
    EXPECT_EQ(pixel->toModelUnits(2), 30);
    EXPECT_EQ(roundHalfToEven(-2.5), -2);
    EXPECT_EQ(roundHalfToEven(-3.5), -4);
    EXPECT_EQ(roundHalfToEven(0.49999), 0);
}

} // namespace
} // namespace velmo::model

#include "model/document_model_unit_converter.h"

#include <cmath>
#include <limits>

namespace velmo::model {

namespace {

int32_t saturate(int64_t value) noexcept
{
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

int32_t saturate(double value) noexcept
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value); // truncates toward zero
}

/// value * multiplier / divisor in 64 bits, truncated toward zero.
int32_t scale(int32_t value, int64_t multiplier, int64_t divisor) noexcept
{
    return saturate(static_cast<int64_t>(value) * multiplier / divisor);
}

class DocumentLayoutConverter final : public DocumentModelUnitToLayoutUnitConverter {
public:
    int32_t toLayoutUnits(int32_t modelUnits) const noexcept override { return scale(modelUnits, 5, 24); }
    int32_t toModelUnits(int32_t layoutUnits) const noexcept override { return scale(layoutUnits, 24, 5); }
};

class TwipLayoutConverter final : public DocumentModelUnitToLayoutUnitConverter {
public:
    int32_t toLayoutUnits(int32_t modelUnits) const noexcept override { return modelUnits; }
    int32_t toModelUnits(int32_t layoutUnits) const noexcept override { return layoutUnits; }
};

class PixelLayoutConverter final : public DocumentModelUnitToLayoutUnitConverter {
public:
    explicit PixelLayoutConverter(int32_t dpi) noexcept : dpi_(dpi) {}
    int32_t toLayoutUnits(int32_t modelUnits) const noexcept override
    {
        return DocumentModelUnitConverter::modelUnitsToPixels(modelUnits, dpi_);
    }
    int32_t toModelUnits(int32_t layoutUnits) const noexcept override
    {
        return DocumentModelUnitConverter::pixelsToModelUnits(layoutUnits, dpi_);
    }

private:
    int32_t dpi_;
};

} // namespace

int64_t roundHalfToEven(double value) noexcept
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<int64_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2) != 0))
        ++result;
    return result;
}

float DocumentModelUnitConverter::millimetersToModelUnitsF(float value) noexcept { return value * 1440.0f / 25.4f; }
int32_t DocumentModelUnitConverter::pointsToModelUnits(int32_t value) noexcept { return scale(value, 20, 1); }
float DocumentModelUnitConverter::pointsToModelUnitsF(float value) noexcept { return value * 20.0f; }

int32_t DocumentModelUnitConverter::pixelsToModelUnits(int32_t value, int32_t dpi) noexcept
{
    return dpi == 0 ? 0 : scale(value, 1440, dpi);
}

float DocumentModelUnitConverter::pixelsToModelUnitsF(float value, int32_t dpi) noexcept
{
    return dpi == 0 ? 0.0f : value * 1440.0f / static_cast<float>(dpi);
}

int32_t DocumentModelUnitConverter::hundredthsOfInchToModelUnits(int32_t value) noexcept { return scale(value, 72, 5); }
int32_t DocumentModelUnitConverter::hundredthsOfMillimeterToModelUnits(int32_t value) noexcept { return scale(value, 72, 127); }

int32_t DocumentModelUnitConverter::hundredthsOfMillimeterToModelUnitsRound(int32_t value) noexcept
{
    return saturate(roundHalfToEven(static_cast<double>(value) / 2540.0 * 1440.0));
}

float DocumentModelUnitConverter::centimetersToModelUnitsF(float value) noexcept { return value * 1440.0f / 2.54f; }
float DocumentModelUnitConverter::inchesToModelUnitsF(float value) noexcept { return value * 1440.0f; }
float DocumentModelUnitConverter::picasToModelUnitsF(float value) noexcept { return value * 240.0f; }
int32_t DocumentModelUnitConverter::documentsToModelUnits(int32_t value) noexcept { return scale(value, 24, 5); }
float DocumentModelUnitConverter::documentsToModelUnitsF(float value) noexcept { return value * 24.0f / 5.0f; }

int32_t DocumentModelUnitConverter::degreeToModelUnits(float value) noexcept
{
    return saturate(roundHalfToEven(static_cast<double>(value) * 60000.0));
}

int32_t DocumentModelUnitConverter::fdToModelUnits(int32_t value) noexcept
{
    return saturate(static_cast<double>(value) * 0.91552734375);
}

int32_t DocumentModelUnitConverter::emuToModelUnits(int32_t value) noexcept { return value / 635; }
int64_t DocumentModelUnitConverter::emuToModelUnits(int64_t value) noexcept { return value / 635; }
float DocumentModelUnitConverter::emuToModelUnitsF(float value) noexcept { return value / 635.0f; }

int32_t DocumentModelUnitConverter::modelUnitsToHundredthsOfMillimeter(int32_t value) noexcept { return scale(value, 127, 72); }
float DocumentModelUnitConverter::modelUnitsToPointsF(float value) noexcept { return value / 20.0f; }

int32_t DocumentModelUnitConverter::modelUnitsToPointsFRound(float value) noexcept
{
    return saturate(roundHalfToEven(static_cast<double>(value) / 20.0));
}

int32_t DocumentModelUnitConverter::modelUnitsToPixels(int32_t value, int32_t dpi) noexcept
{
    return saturate(static_cast<double>(value) * dpi / 1440.0 + 0.99);
}

float DocumentModelUnitConverter::modelUnitsToPixelsF(float value, int32_t dpi) noexcept
{
    return value * static_cast<float>(dpi) / 1440.0f;
}

float DocumentModelUnitConverter::modelUnitsToCentimetersF(float value) noexcept { return value * 2.54f / 1440.0f; }
float DocumentModelUnitConverter::modelUnitsToInchesF(float value) noexcept { return value / 1440.0f; }
float DocumentModelUnitConverter::modelUnitsToMillimetersF(float value) noexcept { return value * 25.4f / 1440.0f; }
int32_t DocumentModelUnitConverter::modelUnitsToDocuments(int32_t value) noexcept { return scale(value, 5, 24); }
float DocumentModelUnitConverter::modelUnitsToDocumentsF(float value) noexcept { return value * 5.0f / 24.0f; }
int32_t DocumentModelUnitConverter::modelUnitsToHundredthsOfInch(int32_t value) noexcept { return scale(value, 5, 72); }
int32_t DocumentModelUnitConverter::modelUnitsToDegree(int32_t value) noexcept { return value / 60000; }
float DocumentModelUnitConverter::modelUnitsToDegreeF(int32_t value) noexcept { return static_cast<float>(value) / 60000.0f; }

int32_t DocumentModelUnitConverter::modelUnitsToFD(int32_t value) noexcept
{
    return saturate(static_cast<double>(value) * 1.0922666666666666666);
}

int32_t DocumentModelUnitConverter::modelUnitsToEmu(int32_t value) noexcept { return scale(value, 635, 1); }
int64_t DocumentModelUnitConverter::modelUnitsToEmu(int64_t value) noexcept { return value * 635; }

int64_t DocumentModelUnitConverter::modelUnitsToEmuF(float value) noexcept
{
    return static_cast<int64_t>(static_cast<double>(value) * 635.0);
}

float DocumentModelUnitConverter::toUIUnit(float modelUnits, DocumentUnit unit) noexcept
{
    switch (unit) {
    case DocumentUnit::Document: return modelUnitsToDocumentsF(modelUnits);
    case DocumentUnit::Inch: return modelUnitsToInchesF(modelUnits);
    case DocumentUnit::Millimeter: return modelUnitsToMillimetersF(modelUnits);
    case DocumentUnit::Centimeter: return modelUnitsToCentimetersF(modelUnits);
    case DocumentUnit::Point: return modelUnitsToPointsF(modelUnits);
    }
    return modelUnits;
}

float DocumentModelUnitConverter::toModelUnits(float value, DocumentUnit unit) noexcept
{
    switch (unit) {
    case DocumentUnit::Document: return documentsToModelUnitsF(value);
    case DocumentUnit::Inch: return inchesToModelUnitsF(value);
    case DocumentUnit::Millimeter: return millimetersToModelUnitsF(value);
    case DocumentUnit::Centimeter: return centimetersToModelUnitsF(value);
    case DocumentUnit::Point: return pointsToModelUnitsF(value);
    }
    return value;
}

std::unique_ptr<DocumentModelUnitToLayoutUnitConverter>
DocumentModelUnitConverter::createConverterToLayoutUnits(DocumentLayoutUnit unit, int32_t dpi)
{
    switch (unit) {
    case DocumentLayoutUnit::Document: return std::make_unique<DocumentLayoutConverter>();
    case DocumentLayoutUnit::Twip: return std::make_unique<TwipLayoutConverter>();
    case DocumentLayoutUnit::Pixel: return std::make_unique<PixelLayoutConverter>(dpi);
    }
    return std::make_unique<TwipLayoutConverter>();
}

} // namespace velmo::model

#pragma once

#include <cstdint>
#include <memory>

namespace velmo::model {

/// Units the layout engine can work in.
enum class DocumentLayoutUnit : uint8_t { Document, Twip, Pixel };

/// Units dialogs show lengths in.
enum class DocumentUnit : uint8_t { Document, Inch, Millimeter, Centimeter, Point };

/// Rounds to the nearest integer, ties to the even one (as the file formats' producers do).
[[nodiscard]] int64_t roundHalfToEven(double value) noexcept;

/// Converts between model units and layout units; one per layout unit.
class DocumentModelUnitToLayoutUnitConverter {
public:
    virtual ~DocumentModelUnitToLayoutUnitConverter() = default;
    [[nodiscard]] virtual int32_t toLayoutUnits(int32_t modelUnits) const noexcept = 0;
    [[nodiscard]] virtual int32_t toModelUnits(int32_t layoutUnits) const noexcept = 0;
};

/// Every conversion of the model's unit, the twip (1/1440 inch), to and from other units.
/// Integer conversions multiply before they divide, in 64 bits, and truncate toward zero unless
/// their name says they round; results beyond the 32-bit range saturate. Float conversions are
/// exact quotients.
class DocumentModelUnitConverter {
public:
    explicit DocumentModelUnitConverter(int32_t screenDpi = 96) noexcept : screenDpi_(screenDpi) {}

    [[nodiscard]] int32_t screenDpi() const noexcept { return screenDpi_; }

    // Into model units.
    [[nodiscard]] static int32_t twipsToModelUnits(int32_t value) noexcept { return value; }
    [[nodiscard]] static float millimetersToModelUnitsF(float value) noexcept;
    [[nodiscard]] static int32_t pointsToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static float pointsToModelUnitsF(float value) noexcept;
    /// 0 for a DPI of 0.
    [[nodiscard]] static int32_t pixelsToModelUnits(int32_t value, int32_t dpi) noexcept;
    [[nodiscard]] static float pixelsToModelUnitsF(float value, int32_t dpi) noexcept;
    [[nodiscard]] static int32_t hundredthsOfInchToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static int32_t hundredthsOfMillimeterToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static int32_t hundredthsOfMillimeterToModelUnitsRound(int32_t value) noexcept;
    [[nodiscard]] static float centimetersToModelUnitsF(float value) noexcept;
    [[nodiscard]] static float inchesToModelUnitsF(float value) noexcept;
    [[nodiscard]] static float picasToModelUnitsF(float value) noexcept;
    [[nodiscard]] static int32_t documentsToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static float documentsToModelUnitsF(float value) noexcept;
    /// Degrees to the model's angle unit, 1/60000 degree (rounded).
    [[nodiscard]] static int32_t degreeToModelUnits(float value) noexcept;
    /// Fixed degrees (1/65536 degree) to the model's angle unit.
    [[nodiscard]] static int32_t fdToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static int32_t emuToModelUnits(int32_t value) noexcept;
    [[nodiscard]] static int64_t emuToModelUnits(int64_t value) noexcept;
    [[nodiscard]] static float emuToModelUnitsF(float value) noexcept;

    // Out of model units.
    [[nodiscard]] static int32_t modelUnitsToTwips(int32_t value) noexcept { return value; }
    [[nodiscard]] static float modelUnitsToTwipsF(float value) noexcept { return value; }
    [[nodiscard]] static int32_t modelUnitsToHundredthsOfMillimeter(int32_t value) noexcept;
    [[nodiscard]] static float modelUnitsToPointsF(float value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToPointsFRound(float value) noexcept;
    /// Rounds a fraction above 0.01 pixel up.
    [[nodiscard]] static int32_t modelUnitsToPixels(int32_t value, int32_t dpi) noexcept;
    [[nodiscard]] static float modelUnitsToPixelsF(float value, int32_t dpi) noexcept;
    [[nodiscard]] static float modelUnitsToCentimetersF(float value) noexcept;
    [[nodiscard]] static float modelUnitsToInchesF(float value) noexcept;
    [[nodiscard]] static float modelUnitsToMillimetersF(float value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToDocuments(int32_t value) noexcept;
    [[nodiscard]] static float modelUnitsToDocumentsF(float value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToHundredthsOfInch(int32_t value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToDegree(int32_t value) noexcept;
    [[nodiscard]] static float modelUnitsToDegreeF(int32_t value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToFD(int32_t value) noexcept;
    [[nodiscard]] static int32_t modelUnitsToEmu(int32_t value) noexcept;
    [[nodiscard]] static int64_t modelUnitsToEmu(int64_t value) noexcept;
    [[nodiscard]] static int64_t modelUnitsToEmuF(float value) noexcept;

    /// Model units to a dialog unit and back (float rules).
    [[nodiscard]] static float toUIUnit(float modelUnits, DocumentUnit unit) noexcept;
    [[nodiscard]] static float toModelUnits(float value, DocumentUnit unit) noexcept;

    /// A converter to the layout unit; Pixel uses `dpi`.
    [[nodiscard]] static std::unique_ptr<DocumentModelUnitToLayoutUnitConverter>
    createConverterToLayoutUnits(DocumentLayoutUnit unit, int32_t dpi);

private:
    int32_t screenDpi_;
};

} // namespace velmo::model

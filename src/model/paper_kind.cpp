#include "model/paper_kind.h"

#include <array>
#include <cstdlib>

namespace velmo::model {

namespace {

/// Portrait sizes in twips, indexed by PaperKind; {0, 0} for kinds without a size.
constexpr std::array<PaperSize, kPaperKindCount> kPaperSizes = {
    PaperSize{0, 0}, // Custom
    PaperSize{12240, 15840}, // Letter
    PaperSize{12240, 15840}, // LetterSmall
    PaperSize{15840, 24480}, // Tabloid
    PaperSize{24480, 15840}, // Ledger
    PaperSize{12240, 20160}, // Legal
    PaperSize{7920, 12240}, // Statement
    PaperSize{10440, 15120}, // Executive
    PaperSize{16839, 23814}, // A3
    PaperSize{11907, 16839}, // A4
    PaperSize{11907, 16839}, // A4Small
    PaperSize{8391, 11907}, // A5
    PaperSize{14572, 20639}, // B4
    PaperSize{10319, 14571}, // B5
    PaperSize{12240, 18720}, // Folio
    PaperSize{12189, 15591}, // Quarto
    PaperSize{14400, 20160}, // Standard10x14
    PaperSize{15840, 24480}, // Standard11x17
    PaperSize{12240, 15840}, // Note
    PaperSize{5580, 12780}, // Number9Envelope
    PaperSize{5940, 13680}, // Number10Envelope
    PaperSize{6480, 14940}, // Number11Envelope
    PaperSize{6840, 15840}, // Number12Envelope
    PaperSize{7200, 16560}, // Number14Envelope
    PaperSize{24480, 31680}, // CSheet
    PaperSize{31680, 48960}, // DSheet
    PaperSize{48960, 63360}, // ESheet
    PaperSize{6237, 12474}, // DLEnvelope
    PaperSize{9185, 12984}, // C5Envelope
    PaperSize{18369, 25965}, // C3Envelope
    PaperSize{12983, 18369}, // C4Envelope
    PaperSize{6463, 9184}, // C6Envelope
    PaperSize{6463, 12983}, // C65Envelope
    PaperSize{14173, 20013}, // B4Envelope
    PaperSize{9978, 14173}, // B5Envelope
    PaperSize{9978, 7087}, // B6Envelope
    PaperSize{6236, 13039}, // ItalyEnvelope
    PaperSize{5580, 10800}, // MonarchEnvelope
    PaperSize{5220, 9360}, // PersonalEnvelope
    PaperSize{21420, 15840}, // USStandardFanfold
    PaperSize{12240, 17280}, // GermanStandardFanfold
    PaperSize{12240, 18720}, // GermanLegalFanfold
    PaperSize{14173, 20013}, // IsoB4
    PaperSize{5669, 8391}, // JapanesePostcard
    PaperSize{12960, 15840}, // Standard9x11
    PaperSize{14400, 15840}, // Standard10x11
    PaperSize{21600, 15840}, // Standard15x11
    PaperSize{12472, 12472}, // InviteEnvelope
    PaperSize{0, 0}, // Reserved_48
    PaperSize{0, 0}, // Reserved_49
    PaperSize{13680, 17280}, // LetterExtra
    PaperSize{13680, 21600}, // LegalExtra
    PaperSize{16834, 25920}, // TabloidExtra
    PaperSize{13349, 18274}, // A4Extra
    PaperSize{12240, 15840}, // LetterTransverse
    PaperSize{11907, 16839}, // A4Transverse
    PaperSize{13680, 17280}, // LetterExtraTransverse
    PaperSize{12869, 20183}, // APlus
    PaperSize{17291, 27609}, // BPlus
    PaperSize{12240, 18274}, // LetterPlus
    PaperSize{11907, 18709}, // A4Plus
    PaperSize{8391, 11907}, // A5Transverse
    PaperSize{10319, 14571}, // B5Transverse
    PaperSize{18255, 25228}, // A3Extra
    PaperSize{9865, 13323}, // A5Extra
    PaperSize{11395, 15647}, // B5Extra
    PaperSize{23811, 33676}, // A2
    PaperSize{16839, 23814}, // A3Transverse
    PaperSize{18255, 25228}, // A3ExtraTransverse
    PaperSize{11339, 8391}, // JapaneseDoublePostcard
    PaperSize{5953, 8391}, // A6
    PaperSize{12240, 15840}, // JapaneseEnvelopeKakuNumber2
    PaperSize{12240, 15840}, // JapaneseEnvelopeKakuNumber3
    PaperSize{12240, 15840}, // JapaneseEnvelopeChouNumber3
    PaperSize{12240, 15840}, // JapaneseEnvelopeChouNumber4
    PaperSize{15840, 12240}, // LetterRotated
    PaperSize{23814, 16839}, // A3Rotated
    PaperSize{16839, 11907}, // A4Rotated
    PaperSize{11907, 8391}, // A5Rotated
    PaperSize{20636, 14570}, // B4JisRotated
    PaperSize{14570, 10318}, // B5JisRotated
    PaperSize{8391, 5669}, // JapanesePostcardRotated
    PaperSize{8391, 11339}, // JapaneseDoublePostcardRotated
    PaperSize{8391, 5953}, // A6Rotated
    PaperSize{12240, 15840}, // JapaneseEnvelopeKakuNumber2Rotated
    PaperSize{12240, 15840}, // JapaneseEnvelopeKakuNumber3Rotated
    PaperSize{12240, 15840}, // JapaneseEnvelopeChouNumber3Rotated
    PaperSize{12240, 15840}, // JapaneseEnvelopeChouNumber4Rotated
    PaperSize{7257, 10318}, // B6Jis
    PaperSize{10318, 7257}, // B6JisRotated
    PaperSize{17280, 15840}, // Standard12x11
    PaperSize{12240, 15840}, // JapaneseEnvelopeYouNumber4
    PaperSize{15840, 12240}, // JapaneseEnvelopeYouNumber4Rotated
    PaperSize{8277, 12189}, // Prc16K
    PaperSize{5499, 8561}, // Prc32K
    PaperSize{5499, 8561}, // Prc32KBig
    PaperSize{5783, 9354}, // PrcEnvelopeNumber1
    PaperSize{5783, 9978}, // PrcEnvelopeNumber2
    PaperSize{7087, 9978}, // PrcEnvelopeNumber3
    PaperSize{6236, 11792}, // PrcEnvelopeNumber4
    PaperSize{6236, 12472}, // PrcEnvelopeNumber5
    PaperSize{6803, 13039}, // PrcEnvelopeNumber6
    PaperSize{9071, 13039}, // PrcEnvelopeNumber7
    PaperSize{6803, 17518}, // PrcEnvelopeNumber8
    PaperSize{12983, 18369}, // PrcEnvelopeNumber9
    PaperSize{18369, 25965}, // PrcEnvelopeNumber10
    PaperSize{12189, 8277}, // Prc16KRotated
    PaperSize{8561, 5499}, // Prc32KRotated
    PaperSize{8561, 5499}, // Prc32KBigRotated
    PaperSize{9354, 5783}, // PrcEnvelopeNumber1Rotated
    PaperSize{9978, 5783}, // PrcEnvelopeNumber2Rotated
    PaperSize{9978, 7087}, // PrcEnvelopeNumber3Rotated
    PaperSize{11792, 6236}, // PrcEnvelopeNumber4Rotated
    PaperSize{12472, 6236}, // PrcEnvelopeNumber5Rotated
    PaperSize{13039, 6803}, // PrcEnvelopeNumber6Rotated
    PaperSize{13039, 9071}, // PrcEnvelopeNumber7Rotated
    PaperSize{17518, 6803}, // PrcEnvelopeNumber8Rotated
    PaperSize{18369, 12983}, // PrcEnvelopeNumber9Rotated
    PaperSize{25965, 18369}, // PrcEnvelopeNumber10Rotated
};

constexpr PaperSize kLetter{12240, 15840};

} // namespace

PaperSize PaperSizeCalculator::calculatePaperSize(PaperKind kind) noexcept
{
    const auto index = static_cast<size_t>(kind);
    if (index >= kPaperSizes.size() || kPaperSizes[index].width == 0)
        return kLetter;
    return kPaperSizes[index];
}

PaperKind PaperSizeCalculator::calculatePaperKind(PaperSize size, PaperKind defaultKind, int32_t tolerance) noexcept
{
    if (size.width == 0 || size.height == 0)
        return defaultKind;
    for (size_t index = 1; index < kPaperSizes.size(); ++index) {
        const PaperSize& candidate = kPaperSizes[index];
        if (candidate.width == 0)
            continue;
        if (std::abs(candidate.width - size.width) <= tolerance && std::abs(candidate.height - size.height) <= tolerance)
            return static_cast<PaperKind>(index);
    }
    return defaultKind;
}

} // namespace velmo::model

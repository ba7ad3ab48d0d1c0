// The column grid of a large table.
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model/tables/table_grid_calculator.h"
#include "model/tables/table_widths_calculator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace velmo;
using namespace velmo::model;

/// Ten units per stored character, the whole paragraph unbreakable: cheap and deterministic.
class LengthMeasurer final : public ITableCellContentMeasurer {
public:
    ParagraphContentWidths measureParagraph(const PieceTable& pieceTable, ParagraphIndex paragraphIndex) const override
    {
        const int32_t width = (pieceTable.paragraph(paragraphIndex).length() - 1) * 10;
        return {width, width};
    }
};

void BM_TableGrid50x1000(benchmark::State& state)
{
    constexpr int32_t kColumns = 50;
    constexpr int32_t kRows = 1000;
    DocumentModel document;
    PieceTable& story = document.mainPieceTable();
    document.beginSetContent();
    Table& table = story.insertTable(DocumentLogPosition(0), kRows, kColumns);
    for (int32_t row = kRows - 1; row >= 0; --row) {
        for (int32_t column = kColumns - 1; column >= 0; --column) {
            const Paragraph& paragraph = story.paragraph(table.cell(row, column)->startParagraphIndex());
            story.insertText(paragraph.logPosition(), std::u16string(static_cast<size_t>(1 + (row * 7 + column * 3) % 13), u'x'));
        }
    }
    document.endSetContent(DocumentModelChangeType::LoadNewDocument);
    const LengthMeasurer measurer;
    const TableWidthsCalculator widths(measurer, [](int32_t value) { return value; });
    const TableGridCalculator calculator(widths, 9000, false);
    for (auto _ : state) {
        table.resetCachedLayoutInfo();
        benchmark::DoNotOptimize(calculator.calculateTableGrid(table, 9000).columns.data());
    }
}
BENCHMARK(BM_TableGrid50x1000)->Unit(benchmark::kMillisecond);

} // namespace

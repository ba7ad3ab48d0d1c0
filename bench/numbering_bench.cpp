#include "model/document_model.h"
#include "model/numbering/default_numbering_list_helper.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace velmo::bench {
namespace {

constexpr int kListParagraphs = 30000;

/// 30,000 short paragraphs, every one an item of one multilevel list, levels going 0, 1, 2, 1,
/// 0, ... so that counters advance, restart and show up to three levels.
std::unique_ptr<model::DocumentModel> listDocument()
{
    auto document = std::make_unique<model::DocumentModel>();
    document->beginSetContent();
    std::mt19937 random(1);
    const int32_t abstractIndex = model::DefaultNumberingListHelper(random).insertDefaultMultiLevelNumberingList(*document);
    const int32_t list = document->numbering().addNumberingListUsingHistory(std::make_unique<model::NumberingList>(abstractIndex));
    model::PieceTable& story = document->mainPieceTable();
    model::InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    constexpr int32_t kLevels[] = {0, 1, 2, 1};
    for (int index = 0; index < kListParagraphs; ++index) {
        if (index > 0)
            story.insertParagraph(position);
        story.insertText(position, u"item text");
        story.addNumberingListToParagraph(position.paragraphIndex, list, kLevels[index % 4]);
    }
    document->endSetContent(model::DocumentModelChangeType::LoadNewDocument);
    return document;
}

/// The number texts of all paragraphs in story order, as the layout and the writers ask for them.
void BM_ListNumberTexts30000(benchmark::State& state)
{
    const std::unique_ptr<model::DocumentModel> document = listDocument();
    const model::PieceTable& story = document->mainPieceTable();
    for (auto _ : state) {
        size_t totalLength = 0;
        for (int32_t index = 0; index < story.paragraphCount(); ++index)
            totalLength += story.paragraph(ParagraphIndex(index)).numberingListText().size();
        benchmark::DoNotOptimize(totalLength);
    }
    state.counters["paragraphs"] = kListParagraphs;
}
BENCHMARK(BM_ListNumberTexts30000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmo::bench

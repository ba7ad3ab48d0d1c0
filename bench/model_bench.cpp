#include "model/document_cache.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "process_memory.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace velmo::bench {
namespace {

// A 1000-page story: 30,000 paragraphs of 100 characters, 3 million characters in all.
constexpr int kParagraphs = 30000;
constexpr int kParagraphLength = 99; // plus the mark

std::u16string paragraphText(int index)
{
    std::u16string text;
    text.reserve(kParagraphLength);
    static constexpr std::u16string_view kWords = u"lorem ipsum dolor sit amet consectetur adipiscing elit sed do ";
    while (static_cast<int>(text.size()) < kParagraphLength)
        text += kWords.substr(static_cast<size_t>(index) % 7);
    text.resize(kParagraphLength);
    return text;
}

/// Appends the story the way a reader fills a new document.
void appendStory(model::DocumentModel& document)
{
    document.beginSetContent();
    model::PieceTable& story = document.mainPieceTable();
    model::InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    for (int index = 0; index < kParagraphs; ++index) {
        if (index > 0)
            story.insertParagraph(position);
        story.insertText(position, paragraphText(index));
    }
    document.endSetContent(model::DocumentModelChangeType::LoadNewDocument);
}

void BM_AppendStory1000Pages(benchmark::State& state)
{
    int64_t storyBytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const int64_t before = residentBytes();
        auto document = std::make_unique<model::DocumentModel>();
        appendStory(*document);
        benchmark::DoNotOptimize(document->mainPieceTable().runCount());
        storyBytes = residentBytes() - before;
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.counters["story_resident_MB"] = static_cast<double>(storyBytes) / (1024.0 * 1024.0);
    state.counters["characters"] = static_cast<double>(kParagraphs) * (kParagraphLength + 1);
}
BENCHMARK(BM_AppendStory1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

model::DocumentModel& largeDocument()
{
    static auto* document = [] {
        auto* created = new model::DocumentModel();
        appendStory(*created);
        return created;
    }();
    return *document;
}

void BM_InsertCharRandom(benchmark::State& state)
{
    model::DocumentModel& document = largeDocument();
    model::PieceTable& story = document.mainPieceTable();
    std::mt19937 random(42);
    for (auto _ : state) {
        const auto end = static_cast<uint32_t>(story.documentEndLogPosition().value());
        story.insertText(DocumentLogPosition(static_cast<int32_t>(random() % end)), u"x");
    }
    state.counters["runs"] = story.runCount();
}
BENCHMARK(BM_InsertCharRandom)->Unit(benchmark::kMicrosecond)->Iterations(20000);

void BM_FindParagraphRandom(benchmark::State& state)
{
    const model::PieceTable& story = largeDocument().mainPieceTable();
    std::mt19937 random(7);
    const auto end = static_cast<uint32_t>(story.documentEndLogPosition().value());
    for (auto _ : state) {
        const model::DocumentModelPosition position = story.findPosition(DocumentLogPosition(static_cast<int32_t>(random() % end)));
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(BM_FindParagraphRandom)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace velmo::bench

namespace velmo::bench {
namespace {

/// Looking up formatting among 100,000 distinct records, as a reader of a heavily formatted file does.
void BM_CharacterPropertiesCacheLookup(benchmark::State& state)
{
    constexpr int kRecords = 100000;
    model::DocumentCache caches;
    auto& cache = caches.characterFormattingCache();
    std::vector<model::CharacterFormattingBase> records;
    records.reserve(kRecords);
    static constexpr const char16_t* kFonts[] = {u"Calibri", u"Cambria", u"Arial", u"Times New Roman", u"Consolas"};
    for (int index = 0; index < kRecords; ++index) {
        model::CharacterFormattingBase record = cache[model::DocumentCache::kEmptyPropertiesIndex];
        record.setFontName(kFonts[index % 5]);
        record.setDoubleFontSize(16 + index % 40);
        record.setForeColor(static_cast<model::AlphaColor>(0xFF000000u | static_cast<uint32_t>(index)));
        record.setFontBold(index % 2 == 0);
        (void)cache.add(record);
        records.push_back(std::move(record));
    }
    std::mt19937 random(11);
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.add(records[random() % kRecords]));
    state.counters["cached"] = cache.count();
}
BENCHMARK(BM_CharacterPropertiesCacheLookup)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace velmo::bench

namespace velmo::bench {
namespace {

/// Keystrokes typed one at a time in the middle of a 1000-page document, as a user types.
void BM_TypeCharInLargeDocument(benchmark::State& state)
{
    model::DocumentModel& document = largeDocument();
    model::PieceTable& story = document.mainPieceTable();
    model::InputPosition position = story.createInputPosition(DocumentLogPosition(story.documentEndLogPosition().value() / 2));
    for (auto _ : state)
        story.insertText(position, u"x");
}
BENCHMARK(BM_TypeCharInLargeDocument)->Unit(benchmark::kMicrosecond)->Iterations(20000);

/// Undoing typed characters one step at a time (each character typed as a step of its own).
void BM_UndoTypedChar(benchmark::State& state)
{
    model::DocumentModel& document = largeDocument();
    model::PieceTable& story = document.mainPieceTable();
    constexpr int kSteps = 20000;
    const int32_t middle = story.documentEndLogPosition().value() / 3;
    for (int step = 0; step < kSteps; ++step) {
        document.resetMerging();
        story.insertText(DocumentLogPosition(middle + step), u"y");
    }
    for (auto _ : state)
        document.history().undo();
}
BENCHMARK(BM_UndoTypedChar)->Unit(benchmark::kMicrosecond)->Iterations(20000);

} // namespace
} // namespace velmo::bench

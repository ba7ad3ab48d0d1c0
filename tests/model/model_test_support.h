#pragma once

#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/hyperlinks/hyperlink_info.h"
#include "model/model_integrity_checker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace velmo::model {

/// The cache index of character formatting that sets just what `configure` sets.
template <typename Configure>
int32_t addCharacterProperties(DocumentModel& document, Configure configure)
{
    auto& cache = document.cache().characterFormattingCache();
    CharacterFormattingBase properties = cache[DocumentCache::kEmptyPropertiesIndex];
    configure(properties);
    return cache.add(properties);
}

/// Hyperlink records in test failures: the address, the place, the frame and the tip.
inline void PrintTo(const HyperlinkInfo& info, std::ostream* out)
{
    *out << "{uri=" << ::testing::PrintToString(info.navigateUri) << " anchor=" << ::testing::PrintToString(info.anchor)
         << " target=" << ::testing::PrintToString(info.target) << " tip=" << ::testing::PrintToString(info.toolTip)
         << (info.visited ? " visited}" : "}");
}

/// Fails the current test with every broken invariant of the document.
inline void expectSound(const DocumentModel& document)
{
    EXPECT_THAT(findIntegrityProblems(document), ::testing::IsEmpty());
}

/// Runs each edit of the script as one undo step, then undoes them one by one, each undo giving
/// back the dump from before its edit, and redoes them, each redo giving the dump after it; the
/// integrity checker passes throughout.
inline void expectScriptRetracesDumps(DocumentModel& document, const std::vector<std::function<void()>>& script)
{
    DocumentHistory& history = document.history();
    const int32_t stepsBefore = history.count();
    std::vector<std::string> dumps{dumpDocument(document)};
    for (const auto& edit : script) {
        edit();
        dumps.push_back(dumpDocument(document));
        expectSound(document);
    }
    ASSERT_EQ(history.count() - stepsBefore, static_cast<int32_t>(script.size())) << "one undo step per edit";
    for (size_t index = dumps.size() - 1; index > 0; --index) {
        history.undo();
        ASSERT_EQ(dumpDocument(document), dumps[index - 1]) << "undo of step " << index;
        expectSound(document);
    }
    for (size_t index = 1; index < dumps.size(); ++index) {
        history.redo();
        ASSERT_EQ(dumpDocument(document), dumps[index]) << "redo of step " << index;
    }
}

} // namespace velmo::model

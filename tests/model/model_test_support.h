#pragma once

#include "model/document_model.h"
#include "model/model_integrity_checker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

/// Fails the current test with every broken invariant of the document.
inline void expectSound(const DocumentModel& document)
{
    EXPECT_THAT(findIntegrityProblems(document), ::testing::IsEmpty());
}

} // namespace velmo::model

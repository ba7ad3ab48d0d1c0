#pragma once

#include "model/document_model.h"
#include "model/model_integrity_checker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::model {

/// Fails the current test with every broken invariant of the document.
inline void expectSound(const DocumentModel& document)
{
    EXPECT_THAT(findIntegrityProblems(document), ::testing::IsEmpty());
}

} // namespace velmo::model

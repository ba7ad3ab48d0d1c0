#include "core/editor_exception.h"

#include <gtest/gtest.h>

namespace velmo::core {
namespace {

TEST(EditorExceptionTest, MessagesFollowTheFixedTemplates)
{
    EXPECT_STREQ(EditorException::invalidValue(-1, "logPosition").what(),
                 "'-1' is not a valid value for 'logPosition'");
    EXPECT_STREQ(EditorException::invalidValue("nil", "stream").what(), "'nil' is not a valid value for 'stream'");
    EXPECT_STREQ(EditorException::internalError().what(), "An internal error occurred");
    EXPECT_STREQ(EditorException::formatNotSupported().what(), "File format is not supported");
}

} // namespace
} // namespace velmo::core

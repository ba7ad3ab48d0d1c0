#include "core/block_vector.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace velmo::core {
namespace {

TEST(BlockVectorTest, RandomInsertsAndErasesMatchAVector)
{
    BlockVector<int, 8> blocks; // small blocks so that splitting and emptying happen often
    std::vector<int> reference;
    std::mt19937 random(3);
    for (int step = 0; step < 20000; ++step) {
        const auto size = static_cast<int32_t>(reference.size());
        if (size == 0 || random() % 3 != 0) {
            const int32_t index = static_cast<int32_t>(random() % static_cast<uint32_t>(size + 1));
            blocks.insert(index, step);
            reference.insert(reference.begin() + index, step);
        } else {
            const int32_t index = static_cast<int32_t>(random() % static_cast<uint32_t>(size));
            const int32_t count = std::min<int32_t>(size - index, static_cast<int32_t>(random() % 20));
            std::vector<int> removed;
            blocks.erase(index, count, &removed);
            EXPECT_EQ(removed, std::vector<int>(reference.begin() + index, reference.begin() + index + count));
            reference.erase(reference.begin() + index, reference.begin() + index + count);
        }
        ASSERT_EQ(blocks.size(), static_cast<int32_t>(reference.size()));
        if (step % 500 == 0) {
            for (int32_t index = 0; index < blocks.size(); ++index)
                ASSERT_EQ(blocks[index], reference[static_cast<size_t>(index)]) << "step " << step;
        }
    }
}

} // namespace
} // namespace velmo::core

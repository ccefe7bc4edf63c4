#include "foundation/archives/idea_lanes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Words that reach the special cases of the multiplication: 0 (for 65536), 1 and 65535.
uint16_t EdgyWord(std::mt19937& random)
{
    static constexpr uint16_t kEdges[] = {0x0000, 0x0001, 0xFFFF, 0x8000};
    return random() % 4 == 0 ? kEdges[random() % 4] : static_cast<uint16_t>(random());
}

// Every vector path gives the bytes of the one-block code, for both directions, random keys,
// lengths that leave blocks over, unaligned buffers, and in place.
TEST(IdeaLanes, VectorPathsMatchTheOneBlockCode)
{
    std::mt19937 random(2024);
    const IdeaLanes chosen = CurrentIdeaLanes();
    for (int round = 0; round < 200; ++round) {
        uint16_t key[kIdeaKeyWords];
        for (uint16_t& word : key)
            word = EdgyWord(random);
        IdeaSchedule encrypt;
        IdeaSchedule decrypt;
        IdeaExpandKey(key, encrypt);
        IdeaInvertKey(encrypt, decrypt);
        const size_t blocks = random() % 70;
        const size_t offset = random() % 8;
        std::vector<uint8_t> in(offset + blocks * kIdeaBlockBytes);
        for (size_t i = offset; i + 1 < in.size(); i += 2) {
            const uint16_t word = EdgyWord(random);
            in[i] = static_cast<uint8_t>(word >> 8);
            in[i + 1] = static_cast<uint8_t>(word);
        }
        for (const uint16_t* schedule : {encrypt, decrypt}) {
            std::vector<uint8_t> expected(in.size());
            for (size_t b = 0; b < blocks; ++b)
                IdeaCipherBlock(schedule, in.data() + offset + b * kIdeaBlockBytes,
                                expected.data() + offset + b * kIdeaBlockBytes);
            for (const IdeaLanes lanes : {IdeaLanes::kScalar, IdeaLanes::kSse2, IdeaLanes::kAvx2}) {
                if (!IdeaLanesAvailable(lanes))
                    continue;
                SetIdeaLanes(lanes);
                std::vector<uint8_t> out(in.size());
                IdeaCipherBlocks(schedule, in.data() + offset, blocks, out.data() + offset);
                EXPECT_EQ(out, expected) << "lanes " << static_cast<int>(lanes) << " round " << round;
                std::vector<uint8_t> inPlace = in;
                IdeaCipherBlocks(schedule, inPlace.data() + offset, blocks, inPlace.data() + offset);
                for (size_t i = 0; i < offset; ++i)
                    inPlace[i] = 0;
                EXPECT_EQ(inPlace, expected) << "in place, lanes " << static_cast<int>(lanes);
            }
        }
    }
    SetIdeaLanes(chosen);
}

TEST(IdeaLanes, TheWidestAvailablePathIsChosen)
{
    const IdeaLanes chosen = CurrentIdeaLanes();
    EXPECT_TRUE(IdeaLanesAvailable(chosen));
    if (IdeaLanesAvailable(IdeaLanes::kAvx2))
        EXPECT_EQ(chosen, IdeaLanes::kAvx2);
    EXPECT_TRUE(IdeaLanesAvailable(IdeaLanes::kScalar));
}

} // namespace

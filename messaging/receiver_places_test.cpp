#include "messaging/internal/receiver_places.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

// Receivers are only compared, never called: addresses inside one array stand in for them.
LMsgReceiverInterface* Receiver(std::vector<char>& storage, size_t i)
{
    return reinterpret_cast<LMsgReceiverInterface*>(storage.data() + 8 * i);
}

// Random connects, replacements and disconnects over a few hundred receivers, so that the table
// grows, probes wrap around its end and removals shift entries back across it: every receiver
// is found where a plain map has it, and no removed one is found.
TEST(MsgReceiverPlaces, FindsWhatAPlainMapHoldsThroughInsertionsAndRemovals)
{
    constexpr size_t kReceivers = 300;
    std::vector<char> storage(8 * kReceivers);
    std::mt19937 random(11);
    LMsgReceiverPlaces places;
    std::map<LMsgReceiverInterface*, uint64_t> expected;
    for (int step = 0; step < 20000; ++step) {
        LMsgReceiverInterface* r = Receiver(storage, random() % kReceivers);
        if (random() % 3 == 0) {
            places.Remove(r);
            expected.erase(r);
        } else {
            const uint64_t connection = static_cast<uint64_t>(step);
            ASSERT_TRUE(places.Set(r, {int32_t(step % 5), connection}));
            expected[r] = connection;
        }
        if (step % 97 == 0 || step > 19000) {
            for (size_t i = 0; i < kReceivers; ++i) {
                LMsgReceiverInterface* q = Receiver(storage, i);
                const LMsgReceiverPlaces::Place* found = places.Find(q);
                const auto it = expected.find(q);
                ASSERT_EQ(found != nullptr, it != expected.end()) << "step " << step << " receiver " << i;
                if (found)
                    ASSERT_EQ(found->connection, it->second) << "step " << step << " receiver " << i;
            }
        }
        ASSERT_EQ(places.IsEmpty(), expected.empty());
    }
    places.Clear();
    EXPECT_TRUE(places.IsEmpty());
    EXPECT_EQ(places.Find(Receiver(storage, 0)), nullptr);
}

} // namespace

#include "ConcatReference.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace velmora {
namespace {

TEST(ConcatReferences, MoveOnByOneAndWrapAfter255) {
    ConcatReferences references(254);
    EXPECT_EQ(references.Next(), 254);
    EXPECT_EQ(references.Next(), 255);
    EXPECT_EQ(references.Next(), 0);
    EXPECT_EQ(ConcatReferences(256 + 7).Next(), 7);
}

TEST(ConcatReferences, TheRunsCounterGivesEachMessageTheNextOne) {
    const int first = NextConcatReference();
    ASSERT_GE(first, 0);
    ASSERT_LE(first, 255);
    EXPECT_EQ(NextConcatReference(), (first + 1) % 256);
}

// Each modem counts on its own, and modems sending on threads of their own
// never get the same reference twice in a row of 256.
TEST(ConcatReferences, EachModemCountsOnItsOwnFromAnyThread) {
    const int a = NextConcatReference("a");
    const int b = NextConcatReference("b");
    EXPECT_EQ(NextConcatReference("a"), (a + 1) % 256);
    EXPECT_EQ(NextConcatReference("b"), (b + 1) % 256);

    std::vector<std::vector<int>> got(4);
    std::vector<std::thread> threads;
    for (auto& mine : got)
        threads.emplace_back([&mine] {
            for (int i = 0; i < 64; ++i)
                mine.push_back(NextConcatReference("shared"));
        });
    for (auto& t : threads)
        t.join();
    std::set<int> all;
    for (const auto& mine : got)
        all.insert(mine.begin(), mine.end());
    EXPECT_EQ(all.size(), 256u);
}

} // namespace
} // namespace velmora

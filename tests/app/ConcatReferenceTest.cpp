#include "ConcatReference.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace velmora

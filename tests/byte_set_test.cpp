#include <gtest/gtest.h>

#include "test_text.h"
#include "text/byte_set.h"
#include "text/text_array.h"

namespace mlf {
namespace {

TEST(ByteSet, ClampedOperations) {
  ByteSet abc{'a', 'b', 'c'};
  EXPECT_EQ(BytesLeft(abc, -1), ByteSet{});
  EXPECT_EQ(BytesLeft(abc, 2), (ByteSet{'a', 'b'}));
  EXPECT_EQ(BytesLeft(abc, 9), abc);
  EXPECT_EQ(BlankBytes(0), ByteSet{});
  EXPECT_EQ(BlankBytes(-5), ByteSet{});
  EXPECT_EQ(BlankBytes(3), (ByteSet{0, 0, 0}));
  EXPECT_EQ(ConcatBytes(ByteSet{}, ByteSet{}), ByteSet{});
  EXPECT_EQ(ConcatBytes(abc, ByteSet{0}, abc), (ByteSet{'a', 'b', 'c', 0, 'a', 'b', 'c'}));
  EXPECT_EQ(BytesLength(ToBytes(G("中a"))), 3);
  EXPECT_EQ(ToBytes(Text{}), ByteSet{});
  const char raw[] = {'x', '\0', 'y'};
  EXPECT_EQ(PointerToBytes(raw, 3), (ByteSet{'x', 0, 'y'}));
  EXPECT_EQ(PointerToBytes(raw, 0), ByteSet{});
}

TEST(TextArray, AppendAndReadFromOne) {
  TextArray array;
  AppendMember(array, "a"_t);
  AppendMember(array, Text{});
  EXPECT_EQ(MemberCount(array), 2);
  EXPECT_EQ(MemberAt(array, 1), "a"_t);
  EXPECT_EQ(MemberAt(array, 2), Text{});
}

}  // namespace
}  // namespace mlf

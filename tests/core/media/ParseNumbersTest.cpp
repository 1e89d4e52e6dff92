#include <gtest/gtest.h>

#include "core/media/ParseNumbers.h"

namespace {

using tossbox::ParseNumbers;
using tossbox::ReplyNumbers;

TEST(ParseNumbers, ReadsUpToTenNumbersAtSingleBlanks) {
  EXPECT_EQ(ParseNumbers("0 0 320 240"), (ReplyNumbers{0, 0, 320, 240}));
  EXPECT_EQ(ParseNumbers("-5 +7 12"), (ReplyNumbers{-5, 7, 12}));
  // Only ten pieces are read: what follows is not looked at.
  EXPECT_EQ(ParseNumbers("1 2 3 4 5 6 7 8 9 10 junk"),
            (ReplyNumbers{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(tossbox::replyInteger("75"), 75);
  EXPECT_EQ(tossbox::replyInteger("12 frames"), 0);
  EXPECT_EQ(tossbox::replyInteger("", -1), -1);
}

TEST(ParseNumbers, AnyPieceThatIsNoNumberMakesAllZero) {
  const ReplyNumbers zero{};
  for (const char* reply : {"", "0  0 320 240", "0 0 abc 240", "0 0 320 240 ", " 0 0 320 240",
                            "0 0 3.5 240", "0 0 99999999999 240", "0 0 + 240", "0 0 +-3 240"})
    EXPECT_EQ(ParseNumbers(reply), zero) << '"' << reply << '"';
}

}  // namespace

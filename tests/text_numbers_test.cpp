#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "test_text.h"
#include "text/text_numbers.h"

namespace mlf {
namespace {

TEST(ToText, IntegersDoublesAndByteSets) {
  EXPECT_EQ(ToText(-12).bytes(), "-12");
  EXPECT_EQ(ToText(0).bytes(), "0");
  EXPECT_EQ(ToText(3.0).bytes(), "3");
  EXPECT_EQ(ToText(21.0).bytes(), "21");
  EXPECT_EQ(ToText(2.5).bytes(), "2.5");
  EXPECT_EQ(ToText(1.0 / 3).bytes(), "0.3333333333333");
  EXPECT_EQ(ToText(ByteSet{0x41, 0x42, 0x00, 0x43}).bytes(), "AB");
  EXPECT_EQ(ToText(ByteSet{0x00, 0x41}).bytes(), "");
  EXPECT_EQ(ToText(ByteSet{}).bytes(), "");
}

TEST(ToNumber, LeadingDecimalNumber) {
  struct Case {
    Text text;
    double want;
  } cases[] = {
      {B("\xA3\xB1\xA3\xB2"), 12},  // full-width digits
      {G("１２．５"), 12.5},        // full-width point
      {G("－３"), -3},
      {G("　7"), 7},  // full-width space is white space after folding
      {"12abc"_t, 12},
      {" 7"_t, 7},
      {"\t\r\n+8"_t, 8},
      {"abc"_t, 0},
      {""_t, 0},
      {"2.9,"_t, 2.9},
      {"-.5"_t, -0.5},
      {"5."_t, 5},
      {"1e3x"_t, 1000},
      {"1e"_t, 1},
      {"1e+"_t, 1},
      {"0x10"_t, 0},  // no hexadecimal
      {"inf"_t, 0},
      {"nan"_t, 0},
      {"."_t, 0},
      {"- 1"_t, 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ToNumber(c.text), c.want) << c.text.bytes();
}

TEST(ToNumber, IgnoresTheProcessLocale) {
  // The window's toolkit sets the user's locale; a comma locale must not change numbers.
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no comma locale on this machine";
  }
  EXPECT_DOUBLE_EQ(ToNumber("2.5"_t), 2.5);
  EXPECT_EQ(ToText(2.5).bytes(), "2.5");
  std::setlocale(LC_ALL, "C");
}

TEST(ToInteger, TruncatesTowardZero) {
  EXPECT_EQ(ToInteger(2.9), 2);
  EXPECT_EQ(ToInteger(-2.9), -2);
  EXPECT_EQ(ToInteger(1e12), std::numeric_limits<int>::max());
  EXPECT_EQ(ToInteger(-1e12), std::numeric_limits<int>::min());
  EXPECT_EQ(ToInteger(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace mlf

#include "common/number_reader.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(NumberReader, ReadsDecimalWithSignAndLeadingBlanks) {
    EXPECT_EQ(ReadNumber("42"), 42);
    EXPECT_EQ(ReadNumber(" \t 17"), 17);
    EXPECT_EQ(ReadNumber("+5"), 5);
    EXPECT_EQ(ReadNumber("-3"), -3);
    EXPECT_EQ(ReadNumber("\t-12abc"), -12);
    EXPECT_EQ(ReadNumber("10 und mehr"), 10);
}

TEST(NumberReader, ReadsHexadecimalAfterDollarAndBinaryAfterPercent) {
    EXPECT_EQ(ReadNumber("$1E"), 30);
    EXPECT_EQ(ReadNumber("$1e"), 30);
    EXPECT_EQ(ReadNumber("-$10"), -16);
    EXPECT_EQ(ReadNumber("$FFg"), 255);
    EXPECT_EQ(ReadNumber("%101"), 5);
    EXPECT_EQ(ReadNumber("%1021"), 2);  // stops at the first non-binary digit
    EXPECT_EQ(ReadNumber("12$4"), 12);
}

TEST(NumberReader, WithoutDigitsReadsZero) {
    EXPECT_EQ(ReadNumber(""), 0);
    EXPECT_EQ(ReadNumber("   "), 0);
    EXPECT_EQ(ReadNumber("abc"), 0);
    EXPECT_EQ(ReadNumber("-"), 0);
    EXPECT_EQ(ReadNumber("$"), 0);
    EXPECT_EQ(ReadNumber("%2"), 0);
    EXPECT_EQ(ReadNumber("\xEF\xBB\xBF"
                         "3"),
              0);                      // a byte-order mark is no blank
    EXPECT_EQ(ReadNumber(" + 4"), 0);  // no blank between sign and digits
}

TEST(NumberReader, ClampsValuesBeyondThirtyTwoBits) {
    EXPECT_EQ(ReadNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(ReadNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ReadNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(ReadNumber("99999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ReadNumber("-99999999999999999999999999"), INT32_MIN);
    EXPECT_EQ(ReadNumber("$FFFFFFFFFFFF"), INT32_MAX);
}

}  // namespace
}  // namespace kelvaro

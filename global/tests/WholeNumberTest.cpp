// Numbers of the command lines: digits only, within their range.
#include "global/WholeNumber.h"

#include <QString>

#include <gtest/gtest.h>

#include <limits>

using global::readSignedNumber;
using global::readWholeNumber;

namespace {

TEST(WholeNumber, DigitsOnlyWithinTheRange)
{
    EXPECT_EQ(readWholeNumber(u"0", 10), 0u);
    EXPECT_EQ(readWholeNumber(u"007", 10), 7u);
    EXPECT_EQ(readWholeNumber(u"4294967295", 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(readWholeNumber(u"18446744073709551615", std::numeric_limits<uint64_t>::max()),
              std::numeric_limits<uint64_t>::max());
    for (const char16_t* wrong : {u"", u" 1", u"1 ", u"+1", u"-1", u"1x", u"0x10", u"1.0", u"1,5", u"١"})
        EXPECT_FALSE(readWholeNumber(wrong, 1000)) << QString::fromUtf16(wrong).toStdString();
    // Past the largest value, also where the digits alone would wrap round.
    EXPECT_FALSE(readWholeNumber(u"4294967296", 0xFFFFFFFFu));
    EXPECT_FALSE(readWholeNumber(u"5", 4));
    EXPECT_FALSE(readWholeNumber(u"18446744073709551616", std::numeric_limits<uint64_t>::max()));
    EXPECT_FALSE(readWholeNumber(u"99999999999999999999999", std::numeric_limits<uint64_t>::max()));
}

TEST(WholeNumber, SignedNumbersTakeAMinusSignOnly)
{
    constexpr int64_t Min = std::numeric_limits<int32_t>::min();
    constexpr int64_t Max = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(readSignedNumber(u"-4", Min, Max), -4);
    EXPECT_EQ(readSignedNumber(u"-0", Min, Max), 0);
    EXPECT_EQ(readSignedNumber(u"-2147483648", Min, Max), Min);
    EXPECT_EQ(readSignedNumber(u"2147483647", Min, Max), Max);
    for (const char16_t* wrong : {u"+4", u" -4", u"-4 ", u"--4", u"-", u"2147483648", u"-2147483649"})
        EXPECT_FALSE(readSignedNumber(wrong, Min, Max)) << QString::fromUtf16(wrong).toStdString();
    EXPECT_FALSE(readSignedNumber(u"-1", 0, 10));
    EXPECT_EQ(readSignedNumber(u"-9223372036854775808", std::numeric_limits<int64_t>::min(),
                               std::numeric_limits<int64_t>::max()),
              std::numeric_limits<int64_t>::min());
}

} // namespace

// Numbers typed as text.

#include "global/Deform.h"

#include <gtest/gtest.h>

using global::deform;

TEST(DeformTest, GroupingAndDecimalSeparators)
{
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("1.234.567,89")), 1234567.89);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("1 234,5")), 1234.5);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("1,234.56")), 1234.56);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("1 000")), 1000);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("2,5")), 2.5);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("12")), 12);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("5")), 5);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("-1 000,25")), -1000.25);
}

TEST(DeformTest, EmptyAndSpacesAroundAndNoNumber)
{
    EXPECT_DOUBLE_EQ(deform(QString()), 0);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("   ")), 0);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral(" 5 ")), 5);   // a leading space is no decimal point
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral("12 mm")), 12);
    EXPECT_DOUBLE_EQ(deform(QStringLiteral(",5")), 0.5);
}

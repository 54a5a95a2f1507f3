// Dates typed into form fields: the list's form, without leading zeros and the ISO form are read;
// an empty field is no date, and anything else is refused rather than read as something else.

#include "ui/form/DateText.h"

#include <gtest/gtest.h>

TEST(DateText, TheFormsOfADateAreReadAndAnEmptyFieldIsNoDate)
{
    for (const char* text : {"07.04.2026", "7.4.2026", " 07.04.2026 ", "2026-04-07", "2026-4-7"}) {
        const ui::TypedDate typed = ui::readDateField(QString::fromLatin1(text));
        EXPECT_TRUE(typed.valid) << text;
        EXPECT_EQ(typed.date, QDate(2026, 4, 7)) << text;
    }
    for (const char* text : {"", "   "}) {
        const ui::TypedDate typed = ui::readDateField(QString::fromLatin1(text));
        EXPECT_TRUE(typed.valid) << text;
        EXPECT_FALSE(typed.date.isValid()) << text;
    }
}

TEST(DateText, WhatIsNoDateIsRefused)
{
    for (const char* text : {"31.02.2026", "2026-13-01", "7.4.26", "jutro", "07.04.2026x", "07/04/2026"})
        EXPECT_FALSE(ui::readDateField(QString::fromLatin1(text)).valid) << text;
}

TEST(DateText, ADateIsWrittenAsTheListsWriteItAndReadBack)
{
    EXPECT_EQ(ui::dateFieldText(QDate(2026, 4, 7)), QStringLiteral("07.04.2026"));
    EXPECT_EQ(ui::dateFieldText(QDate()), QString());
    const QDate date(1999, 12, 31);
    EXPECT_EQ(ui::readDateField(ui::dateFieldText(date)).date, date);
}

// The desktop program's command line.

#include "shell/frame/StartupOptions.h"

#include <gtest/gtest.h>

#include <QDir>

using shell::parseStartup;

TEST(StartupOptions, NoArgumentsOpenTheFrameOnTheDefaultFolder)
{
    qunsetenv("BARMOND_DATA");
    const auto parse = parseStartup({});
    ASSERT_TRUE(parse.ok());
    EXPECT_EQ(parse.options.dataDir, QDir::currentPath());
    EXPECT_FALSE(parse.options.optimize.has_value());
}

TEST(StartupOptions, DemoAndDocumentationOptions)
{
    const auto parse = parseStartup({"--demo", "--language", "en", "--screenshot", "frame.png"});
    ASSERT_TRUE(parse.ok()) << parse.error.toStdString();
    EXPECT_TRUE(parse.options.demo);
    EXPECT_EQ(parse.options.language, "EN");
    EXPECT_EQ(parse.options.screenshot, "frame.png");
    EXPECT_FALSE(parseStartup({"--language", "DE"}).ok());
    EXPECT_FALSE(parseStartup({"--screenshot"}).ok());
}

TEST(StartupOptions, DataDirInBothSpellings)
{
    EXPECT_EQ(parseStartup({"--data-dir", "/tmp/x"}).options.dataDir, "/tmp/x");
    EXPECT_EQ(parseStartup({"--data-dir=/tmp/y"}).options.dataDir, "/tmp/y");
    EXPECT_FALSE(parseStartup({"--data-dir"}).ok());
    EXPECT_FALSE(parseStartup({"--data-dir="}).ok());
}

TEST(StartupOptions, OptimizeTakesTheProfileAndItsDefaults)
{
    const auto plain = parseStartup({"--optimize", "--profile", "7"});
    ASSERT_TRUE(plain.ok()) << plain.error.toStdString();
    ASSERT_TRUE(plain.options.optimize.has_value());
    EXPECT_EQ(plain.options.optimize->profile, 7u);
    EXPECT_EQ(plain.options.optimize->orderProfile, 0u);
    EXPECT_EQ(plain.options.optimize->mode, 0u);
    EXPECT_EQ(plain.options.optimize->status, 0u);
    EXPECT_EQ(plain.options.optimize->extend, 0u);

    const auto full = parseStartup({"--data-dir", "d", "--optimize", "--profile", "3", "--order-profile", "12",
                                    "--mode", "4", "--status", "2", "--extend", "800"});
    ASSERT_TRUE(full.ok()) << full.error.toStdString();
    EXPECT_EQ(full.options.dataDir, QDir::current().absoluteFilePath("d"));
    EXPECT_EQ(full.options.optimize->orderProfile, 12u);
    EXPECT_EQ(full.options.optimize->mode, 4u);
    EXPECT_EQ(full.options.optimize->status, 2u);
    EXPECT_EQ(full.options.optimize->extend, 800u);
}

TEST(StartupOptions, RefusesIncompleteOrWrongOptimizerCalls)
{
    EXPECT_FALSE(parseStartup({"--optimize"}).ok());
    EXPECT_FALSE(parseStartup({"--optimize", "--profile", "0"}).ok());
    EXPECT_FALSE(parseStartup({"--optimize", "--profile", "-3"}).ok());
    EXPECT_FALSE(parseStartup({"--optimize", "--profile", "abc"}).ok());
    EXPECT_FALSE(parseStartup({"--optimize", "--profile"}).ok());
    EXPECT_FALSE(parseStartup({"--optimize", "--profile", "1", "--mode", "6"}).ok());
    EXPECT_EQ(parseStartup({"--optimize", "--profile", "1", "--mode", "5"}).options.optimize->mode, 5u);
    EXPECT_FALSE(parseStartup({"--profile", "1"}).ok());
    EXPECT_FALSE(parseStartup({"--mode", "1"}).ok());
    EXPECT_FALSE(parseStartup({"--bogus"}).ok());
    EXPECT_FALSE(parseStartup({"stray"}).ok());
}

TEST(StartupOptions, TakesOnlyTheMethodsAndStatusSelectorsThatExist)
{
    for (const char* mode : {"0", "5"})
        EXPECT_TRUE(parseStartup({"--optimize", "--profile", "1", "--mode", mode}).ok()) << mode;
    for (const char* status : {"0", "1", "2", "3"})
        EXPECT_TRUE(parseStartup({"--optimize", "--profile", "1", "--status", status}).ok()) << status;
    // 258 was cut to a byte and opened a simulation (status 2); 256 would run as method 0.
    for (const char* status : {"4", "258", "4294967295"})
        EXPECT_FALSE(parseStartup({"--optimize", "--profile", "1", "--status", status}).ok()) << status;
    for (const char* mode : {"6", "256", "258"})
        EXPECT_FALSE(parseStartup({"--optimize", "--profile", "1", "--mode", mode}).ok()) << mode;
}

TEST(StartupOptions, ReadsNumbersStrictly)
{
    const auto parsed = parseStartup({"--optimize", "--profile", "007", "--extend", "500"});
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    EXPECT_EQ(parsed.options.optimize->profile, 7u);
    EXPECT_EQ(parsed.options.optimize->extend, 500u);
    for (const char* number : {"1 ", " 1", "+1", "1x", "0x10", "1.0", "", "4294967296"})
        EXPECT_FALSE(parseStartup({"--optimize", "--profile", number}).ok()) << '"' << number << '"';
}

#include "tnlog.h"

#include "tempgamedir.h"

#include <gtest/gtest.h>

TEST(Log, WritesToTheTruncatedFileAndFlushesEveryCall)
{
    TempGameDir dir(false);
    TempGameDir::WriteFile("stdout.log", "an old run\n");
    ASSERT_TRUE(OpenLog());
    EXPECT_EQ("", TempGameDir::ReadFile("stdout.log"));

    Log("Value %d", 42);
    // Flushed at once: readable before the log is closed.
    EXPECT_EQ("Value 42", TempGameDir::ReadFile("stdout.log"));
    Log("%s\n", " and more");
    CloseLog();
    EXPECT_EQ("Value 42 and more\n", TempGameDir::ReadFile("stdout.log"));

    Log("after closing\n");
    EXPECT_EQ("Value 42 and more\n", TempGameDir::ReadFile("stdout.log"));
}

// The log keeps its first file, flushes every line and ignores writes while closed.
#include "core/log.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

TEST(Log, OpenWriteClose) {
    TempDir dir;
    std::string first = dir.path() + "/first.txt", second = dir.path() + "/second.txt";
    LogLine("before open");
    LogOpen(first.c_str());
    LogLine("Load Game Settings");
    EXPECT_EQ(ReadFile(first), "Load Game Settings\n");  // flushed at once
    LogOpen(second.c_str());                             // keeps the first file
    LogLine("Exiting");
    LogClose();
    LogLine("after close");
    LogClose();
    EXPECT_EQ(ReadFile(first), "Load Game Settings\nExiting\n");
    EXPECT_EQ(ReadFile(second), "");
    EXPECT_EQ(logFile, nullptr);

    LogOpen(first.c_str());  // a new run starts a fresh file
    LogClose();
    EXPECT_EQ(ReadFile(first), "");
}

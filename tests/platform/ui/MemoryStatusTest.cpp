#include "platform/ui/MemoryStatus.h"

#include <gtest/gtest.h>

#include "platform/ui/Afx.h"

TEST(MemoryStatusTest, ReadsTheMemAvailableLine) {
    const struct {
        const char* meminfo;
        unsigned long kb;
    } cases[] = {
        {"MemTotal:       24576000 kB\nMemFree:  100 kB\nMemAvailable:   16000123 kB\n", 16000123},
        {"MemAvailable:\t42 kB\n", 42},
        {"MemTotal: 1 kB\nMemFree: 2 kB\n", 0},             // an old kernel without the figure
        {"XMemAvailable: 5 kB\n", 0},                       // only a line of its own counts
        {"MemAvailable: kB\n", 0},                          // no number
        {"MemAvailable: 99999999999999999999999 kB\n", 0},  // out of range
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseMemAvailableKb(c.meminfo), c.kb) << c.meminfo;
    }
}

TEST(MemoryStatusTest, ThisMachineReportsSomeMemory) {
    EXPECT_GT(AfxGetAvailableMemoryKb(), 0u);
}

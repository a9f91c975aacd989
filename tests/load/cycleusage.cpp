// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycleusage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizer runtimes export it; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {
std::size_t HeapInUse()
{
    // The sanitizers bring their own allocator, which malloc's statistics do not see.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

std::size_t Resident()
{
    FILE* statm = std::fopen("/proc/self/statm", "r");
    std::size_t total = 0;
    std::size_t resident = 0;
    if (statm) {
        if (std::fscanf(statm, "%zu %zu", &total, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

int OpenFiles()
{
    DIR* folder = opendir("/proc/self/fd");
    if (!folder)
        return -1;
    int count = 0;
    while (const dirent* entry = readdir(folder))
        count += entry->d_name[0] != '.';
    closedir(folder);
    return count - 1;  // the listing's own
}

void Print(const char* when, const ProcessUsage& usage)
{
    std::printf("%-8s heap %zu B, resident %zu kB, %d open files\n", when, usage.heapBytes,
                usage.residentBytes / 1024, usage.openFiles);
}
}

ProcessUsage MeasureUsage()
{
    return {HeapInUse(), Resident(), OpenFiles()};
}

CycleUsage MeasureCycles(int warmUp, int count, const std::function<void()>& cycle)
{
    auto run = [&](int cycles) {
        for (int i = 0; i < cycles && !testing::Test::HasFatalFailure(); ++i)
            cycle();
    };
    run(warmUp);
    CycleUsage usage{count, {}, {}, {}};
    usage.start = MeasureUsage();
    run(count / 2);
    usage.middle = MeasureUsage();
    run(count - count / 2);
    usage.end = MeasureUsage();
    std::printf("%d cycles after %d to warm up:\n", count, warmUp);
    Print("start", usage.start);
    Print("halfway", usage.middle);
    Print("end", usage.end);
    return usage;
}

void ExpectFlat(const CycleUsage& usage)
{
    EXPECT_EQ(usage.end.openFiles, usage.start.openFiles);
    const std::size_t secondHalf = static_cast<std::size_t>(usage.cycles - usage.cycles / 2);
    EXPECT_LT(usage.end.heapBytes, usage.middle.heapBytes + 16 * secondHalf);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What the test process holds (heap in use, resident memory, open file descriptors) measured
// around repeated Start/Stop cycles, to show that the cycles leave it flat.
#pragma once

#include <cstddef>
#include <functional>

struct ProcessUsage {
    std::size_t heapBytes;  // allocated and not yet freed
    std::size_t residentBytes;
    int openFiles;
};

ProcessUsage MeasureUsage();

struct CycleUsage {
    int cycles;
    ProcessUsage start;   // after the warm-up cycles
    ProcessUsage middle;  // halfway
    ProcessUsage end;
};

// Runs `cycle` `warmUp` times, then `count` times with measurements at the start, halfway
// and at the end, and prints them. Stops early once the test has a fatal failure.
CycleUsage MeasureCycles(int warmUp, int count, const std::function<void()>& cycle);

// No file left open, and the heap grows by less than 16 bytes a cycle over the second half,
// when what is made once (capacities, libpulse's caches) is mostly made: the least a heap
// block costs is 32 bytes, so a leak of one block a cycle fails.
void ExpectFlat(const CycleUsage& usage);

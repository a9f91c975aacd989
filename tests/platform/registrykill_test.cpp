// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"
#include "platform/registrytext.h"
#include "tempconfighome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The generation a value of the writer holds; 0 when it has not been written yet, -1 when
// it is not what the writer writes.
long Generation(const RegistryTree& tree, int index)
{
    const RegistryValue* value = FindValue(tree, "Writer", "V" + std::to_string(index));
    if (!value)
        return 0;
    if (index % 2 == 1) {
        if (value->Type != REG_DWORD || value->Data.size() != 4)
            return -1;
        DWORD number = 0;
        std::memcpy(&number, value->Data.data(), 4);
        return number;
    }
    std::string text(value->Data.begin(), value->Data.end());
    long number = -1;
    int used = 0;
    if (value->Type != REG_SZ || std::sscanf(text.c_str(), "generation %ld%n", &number, &used) != 1
        || text != "generation " + std::to_string(number) + std::string(300, '.') + '\0')
        return -1;
    return number;
}

// Returns once the writer has opened its key and is about to write.
pid_t StartWriter()
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(ready[1], STDOUT_FILENO);
        close(ready[0]);
        close(ready[1]);
        execl(REGISTRY_WRITER, REGISTRY_WRITER, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    char signal = 0;
    if (pid > 0 && read(ready[0], &signal, 1) != 1)
        ADD_FAILURE() << "the writer did not start";
    close(ready[0]);
    return pid;
}
}

// The writer is killed at random moments, over and over: the file left behind always
// parses, and each value holds the generation of the round that was cut short or of the
// round before it, in the order the values are written.
TEST(RegistryKill, AKilledWriterLeavesTheOldOrTheNewValues)
{
    TempConfigHome config;
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    long newest = 0;
    std::string previous;
    int changed = 0;
    int midWrite = 0;
    for (int kill = 0; kill < 150; ++kill) {
        pid_t writer = StartWriter();
        ASSERT_GT(writer, 0);
        usleep(random() % 20000);
        ASSERT_EQ(::kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

        RegistryTree tree;
        RegistryTextError error;
        const std::string text = config.ReadStore();
        ASSERT_TRUE(ParseRegistryText(text, tree, error))
            << "kill " << kill << ", line " << error.Line << ": " << error.Reason;
        long first = Generation(tree, 0);
        long last = Generation(tree, 7);
        for (int i = 1; i < 8; ++i) {
            ASSERT_GE(Generation(tree, i), 0) << "kill " << kill << ", V" << i;
            ASSERT_LE(Generation(tree, i), Generation(tree, i - 1)) << "kill " << kill;
        }
        ASSERT_LE(first - last, 1) << "kill " << kill;
        ASSERT_GE(first, newest) << "kill " << kill;
        newest = first;
        changed += text != previous;
        previous = text;
        ASSERT_TRUE(config.SetAside().empty()) << "kill " << kill;
        // A temporary file left behind means the kill came in the middle of a write.
        midWrite += std::filesystem::remove(config.Folder() + "/registry.reg.tmp");
    }
    RecordProperty("changed", changed);
    RecordProperty("midWrite", midWrite);
    // The kills have to land while the writer is busy for the test to mean anything.
    EXPECT_GT(changed, 75);
    EXPECT_GT(midWrite, 10);
}

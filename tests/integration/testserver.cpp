// SPDX-License-Identifier: GPL-3.0-or-later
#include "testserver.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

std::string ServerDir()
{
    const char* dir = std::getenv("PHONODUCT_PULSE_DIR");
    return dir ? dir : "";
}

bool OnPipeWire()
{
    return std::filesystem::exists(ServerDir() + "/pipewire");
}

bool KillServer()
{
    std::ifstream file(ServerDir() + "/pid");
    pid_t pid = 0;
    file >> pid;
    // 0 or -1 would signal the test's own process group or every process.
    return pid > 1 && kill(pid, SIGKILL) == 0;
}

std::string Pactl(const std::string& arguments, const std::string& server)
{
    std::string output;
    const std::string command = server.empty() ? "pactl " : "PULSE_SERVER=" + server + " pactl ";
    FILE* pipe = popen((command + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    pclose(pipe);
    return output;
}

void ConfigureToneRelay(WaveService& service, HeadlessRelay& relay, const PcmLayout& layout)
{
    const int in = FindInDevice(service, "Monitor of Tone Mic");
    const int out = FindOutDevice(service, "Test Speakers");
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    relay.Configure(layout.rate, layout.bits == 16, layout.channels == 2, 9, in, out);
}

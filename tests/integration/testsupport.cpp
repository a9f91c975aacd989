#include "testsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>

PCMWAVEFORMAT Pcm(const PcmLayout& layout)
{
    PCMWAVEFORMAT format{};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = static_cast<WORD>(layout.channels);
    format.wf.nSamplesPerSec = layout.rate;
    format.wf.nBlockAlign = static_cast<WORD>(layout.channels * layout.bits / 8);
    format.wf.nAvgBytesPerSec = layout.rate * format.wf.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>(layout.bits);
    return format;
}

LPCWAVEFORMATEX AsFormat(const PCMWAVEFORMAT& format)
{
    return reinterpret_cast<LPCWAVEFORMATEX>(&format);
}

Block::Block(std::size_t size) : data(size)
{
    header.lpData = data.data();
    header.dwBufferLength = static_cast<DWORD>(size);
}

int FindInDevice(WaveService& service, const std::string& name)
{
    const UINT count = service.waveInGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEINCAPSA caps{};
        if (service.waveInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            name == caps.szPname)
            return static_cast<int>(id);
    }
    return -1;
}

int FindOutDevice(WaveService& service, const std::string& name)
{
    const UINT count = service.waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps{};
        if (service.waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            name == caps.szPname)
            return static_cast<int>(id);
    }
    return -1;
}

void ConfigureToneRelay(WaveService& service, HeadlessRelay& relay, const PcmLayout& layout)
{
    const int in = FindInDevice(service, "Monitor of Tone Mic");
    const int out = FindOutDevice(service, "Test Speakers");
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    relay.Configure(layout.rate, layout.bits == 16, layout.channels == 2, 9, in, out);
}

std::string ServerDir()
{
    const char* dir = std::getenv("PHONODUCT_PULSE_DIR");
    return dir ? dir : "";
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

std::size_t BytesPerSecond(const PcmLayout& layout)
{
    return static_cast<std::size_t>(layout.rate) * layout.channels * layout.bits / 8;
}

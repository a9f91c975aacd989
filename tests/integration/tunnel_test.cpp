// SPDX-License-Identifier: GPL-3.0-or-later
// Another machine's speakers with no network code of ours: the test server's tunnel sink plays
// into a second server, reached over loopback TCP as another machine would be, and the engine
// relays the tone to that tunnel; the tone arrives on the second server's speakers.
#include "support/headlessrelay.h"
#include "monitorrecorder.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
constexpr PcmLayout Recording{44100, 16, 2};
constexpr std::size_t Window = Recording.rate / 100;  // 10 ms
constexpr int ShortestBlocks = 9;                      // 0.3 s blocks
constexpr auto BlockLength = 300ms;
constexpr auto Measured = 3s;
constexpr double Threshold = 0.1;  // the tone's level is about 0.35

// A loopback port that nothing listens on now.
int FreeLoopbackPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    close(probe);
    return port;
}

// The tunnel takes the remote sink's description: "Test Speakers on user@host".
int FindTunnel(WaveService& service)
{
    const UINT count = service.waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps{};
        if (service.waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            std::string(caps.szPname).starts_with("Test Speakers on "))
            return static_cast<int>(id);
    }
    return -1;
}

// The tunnel sink exists at once but plays only once it is connected: a stream appears on
// the far server.
bool WaitForTunnelStream(const std::string& far)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (Pactl("list short sink-inputs", far).find("protocol-native") != std::string::npos)
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

TEST(PulseTunnel, TheToneArrivesOnTheOtherServersSpeakers)
{
    const char* farDir = std::getenv("PHONODUCT_FAR_PULSE_DIR");
    ASSERT_NE(farDir, nullptr);
    const std::string far = std::string("unix:") + farDir + "/native";
    const std::string port = std::to_string(FreeLoopbackPort());
    ASSERT_NE(Pactl("load-module module-native-protocol-tcp listen=127.0.0.1 auth-anonymous=1 "
                    "port=" + port, far), "");
    ASSERT_NE(Pactl("load-module module-tunnel-sink sink_name=far sink=speakers "
                    "server=tcp:127.0.0.1:" + port), "");
    ASSERT_TRUE(WaitForTunnelStream(far));

    PulseWaveService service;
    HeadlessRelay relay(service);
    const int in = FindInDevice(service, "Monitor of Tone Mic");
    const int out = FindTunnel(service);
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    relay.Configure(Recording.rate, true, true, ShortestBlocks, in, out);
    MonitorRecorder speakers("speakers.monitor", Recording, far);
    ASSERT_TRUE(speakers.Start());
    std::this_thread::sleep_for(100ms);

    const auto started = Clock::now();
    ASSERT_TRUE(relay.Start());
    relay.PumpFor(std::chrono::duration_cast<std::chrono::milliseconds>(
        4 * BlockLength + Measured + 500ms));
    relay.Stop();
    relay.PumpFor(200ms);
    speakers.Stop();
    EXPECT_TRUE(relay.Window().Boxes().empty());

    const auto bytes = speakers.Bytes();
    const auto samples = FirstChannel(bytes.data(), bytes.size(), Recording);
    const long onset = FirstToneWindow(samples, Window, 1000, Recording.rate, Threshold);
    ASSERT_GE(onset, 0) << "no tone on the far server's speakers";
    const std::size_t from = static_cast<std::size_t>(onset) * Window;
    const std::size_t count = Recording.rate * Measured / 1s;
    ASSERT_GE(samples.size(), from + count);
    std::vector<float> tone(samples.begin() + from + Window, samples.begin() + from + count);
    EXPECT_EQ(QuietWindows(tone, 0, Window, 1000, Recording.rate, Threshold), 0u);
    EXPECT_NEAR(ZeroCrossingFrequency(tone.data(), tone.size(), Recording.rate), 1000.0, 2.0);
    // The tunnel adds its own buffer, 0.1 s by default, to the four blocks.
    const double delay =
        std::chrono::duration<double, std::milli>(speakers.TimeOf(from * 4) - started).count();
    const double design = 4.0 * BlockLength / 1ms;
    EXPECT_GE(delay, design - 15);
    EXPECT_LE(delay, design + 400);
    std::printf("through the tunnel: delay %.0f ms (design %.0f ms), level %.4f\n", delay, design,
                ToneLevel(tone.data(), tone.size(), 1000, Recording.rate));
}
}

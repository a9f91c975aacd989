// SPDX-License-Identifier: GPL-3.0-or-later
// Losing the server or a device, and having no server at all: clear codes and texts, queued
// headers come back so that a stop completes, nothing hangs.
#include "support/headlessrelay.h"
#include "notificationlog.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
constexpr PcmLayout CdStereo{44100, 16, 2};
// Failing "at once" with no server: well inside libpulse's own connection timeouts of
// several seconds, with room for instrumented builds on a loaded machine.
constexpr double AtOnceMs = 1000;
const std::string ServerGone = "The audio server is not running.";
const std::string DeviceGone = "The audio device is not available: it may have been removed.";

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

std::string ErrorText(WaveService& service, MMRESULT code)
{
    char text[MAXERRORLENGTH] = "";
    service.waveOutGetErrorTextA(code, text, sizeof text);
    return text;
}

// Relays from `in` to `out`, runs `loss` during the relay and stops: the stop completes within
// a second and every box the engine showed carries the expected text.
void RelayThroughLoss(PulseWaveService& service, int in, int out, const std::function<void()>& loss,
                      const std::string& expected)
{
    HeadlessRelay relay(service);
    relay.Configure(CdStereo.rate, true, true, 9, in, out);
    ASSERT_TRUE(relay.Start());
    relay.PumpFor(1500ms);
    ASSERT_TRUE(relay.Window().Boxes().empty());
    loss();
    relay.PumpFor(700ms);
    const auto stopping = Clock::now();
    relay.Stop();
    const double stopMs = Ms(Clock::now() - stopping);
    EXPECT_LT(stopMs, 1000);
    relay.PumpFor(200ms);
    EXPECT_FALSE(relay.Engine().CaptureOpen() || relay.Engine().PlaybackOpen());
    EXPECT_TRUE(relay.Window().IsListEnabled(DeviceList::outputList));
    EXPECT_TRUE(relay.Window().IsListEnabled(DeviceList::inputList));
    EXPECT_FALSE(relay.Window().Boxes().empty());
    std::printf("stop %.0f ms, boxes:", stopMs);
    for (const auto& box : relay.Window().Boxes()) {
        EXPECT_EQ(box.text, expected) << box.caption;
        std::printf(" %s", box.caption.c_str());
    }
    std::printf("\n");
}

TEST(PulseLoss, TheServerKilledDuringARelay)
{
    PulseWaveService service;
    const int in = FindInDevice(service, "Monitor of Tone Mic");
    const int out = FindOutDevice(service, "Test Speakers");
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    RelayThroughLoss(service, in, out, [] { ASSERT_TRUE(KillServer()); }, ServerGone);

    EXPECT_EQ(service.waveOutGetNumDevs(), 0u);
    EXPECT_EQ(service.waveInGetNumDevs(), 0u);
    const PCMWAVEFORMAT format = Pcm(CdStereo);
    HWAVEOUT handle = nullptr;
    const auto opening = Clock::now();
    EXPECT_EQ(service.waveOutOpen(&handle, WAVE_MAPPER, AsFormat(format), 0, 0, CALLBACK_NULL),
              MMSYSERR_NODRIVER);
    EXPECT_LT(Ms(Clock::now() - opening), AtOnceMs);
}

// Loads a null sink "Spare"; its module's index.
std::string LoadSpare()
{
    std::string index = Pactl("load-module module-null-sink sink_name=spare "
                              "sink_properties=device.description=Spare");
    while (!index.empty() && std::isspace(static_cast<unsigned char>(index.back())))
        index.pop_back();
    return index;
}

TEST(PulseLoss, TheSinkUnloadedDuringARelay)
{
    // The spare sink and its monitor are the relay's two devices, gone in one step.
    const std::string spare = LoadSpare();
    ASSERT_FALSE(spare.empty());
    PulseWaveService service;
    const int in = FindInDevice(service, "Monitor of Spare");
    const int out = FindOutDevice(service, "Spare");
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    RelayThroughLoss(service, in, out, [&] { Pactl("unload-module " + spare); }, DeviceGone);

    // The server itself is still there.
    EXPECT_EQ(FindOutDevice(service, "Spare"), -1);
    EXPECT_EQ(service.waveOutOpen(nullptr, WAVE_MAPPER, AsFormat(Pcm(CdStereo)), 0, 0,
                                  WAVE_FORMAT_QUERY),
              MMSYSERR_NOERROR);
}

TEST(PulseLoss, AQueuedHeaderComesBackDoneWhenItsDeviceGoes)
{
    const std::string spare = LoadSpare();
    ASSERT_FALSE(spare.empty());
    PulseWaveService service;
    NotificationLog log;
    const int out = FindOutDevice(service, "Spare");
    ASSERT_GE(out, 0);
    const PCMWAVEFORMAT format = Pcm(CdStereo);
    HWAVEOUT handle = nullptr;
    ASSERT_EQ(service.waveOutOpen(&handle, static_cast<UINT>(out), AsFormat(format),
                                  reinterpret_cast<DWORD_PTR>(log.Window()), 0, CALLBACK_WINDOW),
              MMSYSERR_NOERROR);
    Block block(BytesPerSecond(CdStereo) * 5);
    ASSERT_EQ(service.waveOutPrepareHeader(handle, &block.header, sizeof(WAVEHDR)),
              MMSYSERR_NOERROR);
    ASSERT_EQ(service.waveOutWrite(handle, &block.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    std::this_thread::sleep_for(100ms);
    Pactl("unload-module " + spare);

    ASSERT_TRUE(log.WaitFor(MM_WOM_DONE, 1, 1s));
    EXPECT_EQ(block.header.dwFlags, WHDR_PREPARED | WHDR_DONE);
    ASSERT_EQ(service.waveOutPrepareHeader(handle, &block.header, sizeof(WAVEHDR)),
              MMSYSERR_NOERROR);
    const MMRESULT write = service.waveOutWrite(handle, &block.header, sizeof(WAVEHDR));
    EXPECT_EQ(write, MMSYSERR_BADDEVICEID);
    EXPECT_EQ(ErrorText(service, write), DeviceGone);
    EXPECT_EQ(service.waveOutReset(handle), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveOutUnprepareHeader(handle, &block.header, sizeof(WAVEHDR)),
              MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveOutClose(handle), MMSYSERR_NOERROR);
    EXPECT_TRUE(log.WaitFor(MM_WOM_CLOSE, 1, 100ms));
}

TEST(PulseLoss, ADeviceRemovedAfterTheListsWereTakenFailsItsQueryAndItsOpenAtOnce)
{
    const std::string spare = LoadSpare();
    ASSERT_FALSE(spare.empty());
    PulseWaveService service;
    const int out = FindOutDevice(service, "Spare");
    const int in = FindInDevice(service, "Monitor of Spare");
    ASSERT_GE(out, 0);
    ASSERT_GE(in, 0);
    const PCMWAVEFORMAT format = Pcm(CdStereo);
    ASSERT_EQ(service.waveOutOpen(nullptr, static_cast<UINT>(out), AsFormat(format), 0, 0,
                                  WAVE_FORMAT_QUERY),
              MMSYSERR_NOERROR);
    Pactl("unload-module " + spare);

    const auto opening = Clock::now();
    HWAVEOUT playback = nullptr;
    EXPECT_EQ(service.waveOutOpen(&playback, static_cast<UINT>(out), AsFormat(format), 0, 0,
                                  CALLBACK_NULL),
              MMSYSERR_BADDEVICEID);
    HWAVEIN capture = nullptr;
    EXPECT_EQ(service.waveInOpen(&capture, static_cast<UINT>(in), AsFormat(format), 0, 0,
                                 CALLBACK_NULL),
              MMSYSERR_BADDEVICEID);
    EXPECT_EQ(service.waveInOpen(nullptr, static_cast<UINT>(in), AsFormat(format), 0, 0,
                                 WAVE_FORMAT_QUERY),
              MMSYSERR_BADDEVICEID);
    EXPECT_LT(Ms(Clock::now() - opening), AtOnceMs);
    EXPECT_EQ(playback, nullptr);
    EXPECT_EQ(capture, nullptr);
}

TEST(PulseNoServer, CountsAreZeroAndOpeningFailsAtOnceWithAClearText)
{
    const auto constructing = Clock::now();
    PulseWaveService service;
    EXPECT_LT(Ms(Clock::now() - constructing), AtOnceMs);
    EXPECT_EQ(service.waveOutGetNumDevs(), 0u);
    EXPECT_EQ(service.waveInGetNumDevs(), 0u);
    WAVEOUTCAPSA caps{};
    EXPECT_EQ(service.waveOutGetDevCapsA(WAVE_MAPPER, &caps, sizeof caps), MMSYSERR_NODRIVER);

    const PCMWAVEFORMAT format = Pcm(CdStereo);
    HWAVEIN in = nullptr;
    const auto opening = Clock::now();
    const MMRESULT open =
        service.waveInOpen(&in, WAVE_MAPPER, AsFormat(format), 0, 0, CALLBACK_NULL);
    EXPECT_LT(Ms(Clock::now() - opening), AtOnceMs);
    EXPECT_EQ(open, MMSYSERR_NODRIVER);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(ErrorText(service, open), ServerGone);

    // Through the engine: the start's format query fails with one box.
    HeadlessRelay relay(service);
    relay.Configure(CdStereo.rate, true, true, 9);
    relay.Window().ClearBoxes();
    EXPECT_FALSE(relay.Start());
    ASSERT_EQ(relay.Window().Boxes().size(), 1u);
    EXPECT_EQ(relay.Window().Boxes()[0].text, ServerGone);
    EXPECT_EQ(relay.Window().Boxes()[0].caption, "In Device Query");
}
}

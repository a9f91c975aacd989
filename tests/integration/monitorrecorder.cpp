// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitorrecorder.h"
#include "testserver.h"

#include <pulse/simple.h>
#include <pulse/timeval.h>

#include <algorithm>

namespace {
// PipeWire runs its graph in the shortest period any stream asks for: a 10 ms recording would
// make it cycle every 5.8 ms, as no user's desktop does, and miss cycles a desktop does not.
// There the recorder asks for what the program's own capture asks for.
pa_usec_t FragmentUsec()
{
    return (OnPipeWire() ? 50 : 10) * PA_USEC_PER_MSEC;
}
}

MonitorRecorder::MonitorRecorder(std::string source, PcmLayout layout, std::string server)
    : source(std::move(source)), layout(layout), server(std::move(server)), pieces(layout)
{
}

MonitorRecorder::~MonitorRecorder()
{
    Stop();
}

bool MonitorRecorder::Start()
{
    pa_sample_spec sampleSpec{layout.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, layout.rate,
                        static_cast<std::uint8_t>(layout.channels)};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = attr.prebuf = attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(FragmentUsec(), &sampleSpec));
    int error = 0;
    pa_simple* connection = pa_simple_new(server.empty() ? nullptr : server.c_str(),
                                          "phonoduct-test-recorder", PA_STREAM_RECORD,
                                          source.c_str(), "monitor", &sampleSpec, nullptr, &attr, &error);
    if (!connection)
        return false;
    running = true;
    thread = std::thread([this, connection] { Run(connection); });
    return true;
}

void MonitorRecorder::Stop()
{
    running = false;
    if (thread.joinable())
        thread.join();
}

void MonitorRecorder::Run(void* handle)
{
    auto* connection = static_cast<pa_simple*>(handle);
    const std::size_t pieceBytes = layout.rate / 100 * layout.channels * layout.bits / 8;
    std::vector<std::uint8_t> piece(pieceBytes);
    int error = 0;
    while (running && pa_simple_read(connection, piece.data(), piece.size(), &error) == 0) {
        const auto arrived = Clock::now();
        std::lock_guard lock(mutex);
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        pieces.Add(bytes.size(), arrived);
    }
    pa_simple_free(connection);
}

std::vector<std::uint8_t> MonitorRecorder::Bytes() const
{
    std::lock_guard lock(mutex);
    return bytes;
}

MonitorRecorder::Clock::time_point MonitorRecorder::TimeOf(std::size_t offset) const
{
    std::lock_guard lock(mutex);
    return pieces.TimeOf(offset);
}

double MicToneLevel(const PcmLayout& layout)
{
    MonitorRecorder mic("mic.monitor", layout);
    if (!mic.Start())
        return 0.0;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    mic.Stop();
    // A fresh recording may begin with silence while its stream starts (on PipeWire, its first
    // fragment): the level is taken after that.
    const auto bytes = mic.Bytes();
    const auto samples = FirstChannel(bytes.data(), bytes.size(), layout);
    const std::size_t skipped = std::min<std::size_t>(samples.size(), layout.rate / 10);
    return ToneLevel(samples.data() + skipped, samples.size() - skipped, 1000, layout.rate);
}

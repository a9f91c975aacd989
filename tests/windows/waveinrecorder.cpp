// SPDX-License-Identifier: GPL-3.0-or-later
#include "waveinrecorder.h"

#include "testsupport.h"

namespace {
constexpr std::size_t HeaderCount = 16;
}

WaveInRecorder::WaveInRecorder(UINT device, PcmLayout layout)
    : device(device), layout(layout), done(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      blocks(HeaderCount, std::vector<char>(BytesPerSecond(layout) / 100)), headers(HeaderCount),
      pieces(layout)
{
}

WaveInRecorder::~WaveInRecorder()
{
    Stop();
    CloseHandle(done);
}

bool WaveInRecorder::Start()
{
    const PCMWAVEFORMAT format = Pcm(layout);
    if (waveInOpen(&handle, device, AsFormat(format), reinterpret_cast<DWORD_PTR>(done), 0,
                   CALLBACK_EVENT) != MMSYSERR_NOERROR)
        return false;
    for (std::size_t i = 0; i < HeaderCount; ++i) {
        headers[i] = WAVEHDR{};
        headers[i].lpData = blocks[i].data();
        headers[i].dwBufferLength = static_cast<DWORD>(blocks[i].size());
        waveInPrepareHeader(handle, &headers[i], sizeof(WAVEHDR));
        waveInAddBuffer(handle, &headers[i], sizeof(WAVEHDR));
    }
    running = true;
    thread = std::thread([this] { Run(); });
    return waveInStart(handle) == MMSYSERR_NOERROR;
}

void WaveInRecorder::Stop()
{
    if (!handle)
        return;
    running = false;
    thread.join();
    waveInReset(handle);
    for (WAVEHDR& header : headers)
        waveInUnprepareHeader(handle, &header, sizeof(WAVEHDR));
    waveInClose(handle);
    handle = nullptr;
}

void WaveInRecorder::Run()
{
    // The device returns its headers in the order they were queued.
    std::size_t next = 0;
    while (running) {
        WaitForSingleObject(done, 50);
        while (running && (headers[next].dwFlags & WHDR_DONE)) {
            WAVEHDR& header = headers[next];
            const auto arrived = Clock::now();
            {
                std::lock_guard lock(mutex);
                bytes.insert(bytes.end(), header.lpData, header.lpData + header.dwBytesRecorded);
                pieces.Add(bytes.size(), arrived);
            }
            waveInAddBuffer(handle, &header, sizeof(WAVEHDR));
            next = (next + 1) % HeaderCount;
        }
    }
}

std::vector<std::uint8_t> WaveInRecorder::Bytes() const
{
    std::lock_guard lock(mutex);
    return bytes;
}

WaveInRecorder::Clock::time_point WaveInRecorder::TimeOf(std::size_t offset) const
{
    std::lock_guard lock(mutex);
    return pieces.TimeOf(offset);
}

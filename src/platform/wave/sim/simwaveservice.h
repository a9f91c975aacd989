// SPDX-License-Identifier: GPL-3.0-or-later
// Virtual waveform-audio devices on a virtual clock, for tests and benchmarks.
// Deterministic: the same calls and clock steps give the same notifications and bytes.
// Single-threaded: the test calls the service and advances the clock on one thread.
#pragma once

#include "platform/wave/sim/simstream.h"
#include "platform/wave/sim/simtimeline.h"
#include "platform/wave/waveservice.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Nanoseconds of virtual time since the service was made.
using SimTime = std::int64_t;

struct SimDevice {
    std::string name;
    DWORD formats = 0xFFF;  // WAVE_FORMAT_* bits it supports
    bool sync = false;      // playback only: reports WAVECAPS_SYNC
};

enum class SimSide { In, Out };
enum class SimOp { GetDevCaps, Open, Prepare, Unprepare, Add, Start, Reset, Close, GetErrorText };

class SimWaveService : public WaveService {
public:
    SimWaveService(std::vector<SimDevice> inDevices, std::vector<SimDevice> outDevices);

    // Fault injection: the `call`-th call (counted from 1, per side and operation) of `op`
    // returns `code` and does nothing else; `call` 0 makes every call fail.
    // Open counts format queries too.
    void Fail(SimSide side, SimOp op, int call, MMRESULT code);

    // Capture signal: fills `size` bytes of the recorded stream starting at byte `position`
    // of that stream (counted from the capture start). Default: PatternSignal.
    using Signal = std::function<void(std::uint64_t position, BYTE* data, std::size_t size)>;
    void SetCaptureSignal(Signal signal);
    static void PatternSignal(std::uint64_t position, BYTE* data, std::size_t size);

    // Playback recorder: every completed playback header, with the virtual time its first
    // byte started to play. A sink given here receives them instead of the record.
    // A reset keeps the part of the playing header that had played, if any.
    struct PlayedBlock {
        SimTime start;
        std::vector<BYTE> bytes;
    };
    const std::vector<PlayedBlock>& Played() const;
    using PlaybackSink = std::function<void(SimTime start, const BYTE* data, std::size_t size)>;
    void SetPlaybackSink(PlaybackSink sink);

    // Virtual clock. A device's clock runs (1 + ppm / 1e6) times as fast as the virtual one.
    SimTime Now() const;
    void SetDrift(SimSide side, double ppm);
    // The time of the next header completion, if any header is pending on a running device.
    std::optional<SimTime> NextEventTime() const;
    // Completes, in time order, every header due up to `t` and posts its notification;
    // capture before playback at the same instant.
    void AdvanceTo(SimTime t);

    // The platform's own service hands a capture header back some 10 to 20 ms after its last
    // byte (its capture runs in periods of its own), so that the capture notification of a
    // block often comes after the playback one that ends at the same moment. `lag` delays
    // every capture completion by that much; 0 (the default) posts capture first.
    void SetCaptureLag(SimTime lag);

    // Bytes the capture device recorded while no header was queued and could not keep: like
    // the platform's service, it keeps the last 100 ms for the next header queued.
    std::uint64_t CaptureBytesLost() const;

    // WaveService
    UINT waveInGetNumDevs() override;
    MMRESULT waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic) override;
    MMRESULT waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) override;
    MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                        DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveInClose(HWAVEIN hwi) override;
    MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInStart(HWAVEIN hwi) override;
    MMRESULT waveInReset(HWAVEIN hwi) override;

    UINT waveOutGetNumDevs() override;
    MMRESULT waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc, UINT cbwoc) override;
    MMRESULT waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) override;
    MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                         DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveOutClose(HWAVEOUT hwo) override;
    MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutReset(HWAVEOUT hwo) override;

private:
    struct Fault {
        SimSide side;
        SimOp op;
        int call;
        MMRESULT code;
    };
    struct Due {
        SimTime time;
        SimSide side;
        std::size_t device;
    };
    using Streams = std::vector<std::optional<SimStream>>;

    static constexpr std::size_t OpCount = static_cast<std::size_t>(SimOp::GetErrorText) + 1;

    std::vector<SimDevice>& Devices(SimSide side);
    Streams& StreamsOf(SimSide side);
    SimStream* Find(SimSide side, UINT_PTR handle);
    std::optional<MMRESULT> Injected(SimSide side, SimOp op);
    double Drift(SimSide side) const;

    // Devices, caps, open and close
    MMRESULT DeviceCaps(SimSide side, UINT_PTR id, SimDevice& caps);
    MMRESULT ChooseDevice(SimSide side, UINT id, DWORD format, bool query, std::size_t& device);
    // `handle` points to the side's handle type; written before the open notification.
    MMRESULT Open(SimSide side, LPVOID handle, UINT id, LPCWAVEFORMATEX format,
                  DWORD_PTR callback, DWORD flags);
    MMRESULT Close(SimSide side, UINT_PTR handle);

    // Headers
    MMRESULT CheckHeader(SimSide side, SimOp op, UINT_PTR handle, LPWAVEHDR header, UINT size,
                         SimStream*& stream);
    MMRESULT Prepare(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size);
    MMRESULT Unprepare(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size);
    MMRESULT Queue(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size);

    // Streaming
    MMRESULT Reset(SimSide side, UINT_PTR handle);
    void StopCapture(SimStream& stream);
    std::uint64_t Overflow(const SimStream& stream) const;
    void StopPlayback(SimStream& stream);
    std::optional<Due> NextDue() const;
    void CompleteCapture(SimStream& stream);
    void CompletePlayback(SimStream& stream);
    void Record(SimTime start, const BYTE* data, std::size_t size);

    std::vector<SimDevice> inDevices_;
    std::vector<SimDevice> outDevices_;
    Streams inStreams_;
    Streams outStreams_;
    UINT_PTR nextHandle_ = 0x5100;
    SimTime now_ = 0;
    double inDrift_ = 0;
    double outDrift_ = 0;
    SimTime captureLag_ = 0;
    std::vector<Fault> faults_;
    std::array<std::array<int, OpCount>, 2> calls_{};
    Signal signal_;
    PlaybackSink sink_;
    std::vector<PlayedBlock> played_;
    std::uint64_t lostBytes_ = 0;  // by capture devices since stopped or closed
};

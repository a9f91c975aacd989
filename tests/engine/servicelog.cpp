// SPDX-License-Identifier: GPL-3.0-or-later
#include "servicelog.h"

ServiceLog::ServiceLog(WaveService& inner) : inner(inner)
{
}

const std::vector<ServiceLog::Call>& ServiceLog::Calls() const
{
    return calls;
}

void ServiceLog::Clear()
{
    calls.clear();
}

std::vector<std::string> ServiceLog::Names() const
{
    std::vector<std::string> names;
    for (const Call& call : calls)
        names.push_back(call.name);
    return names;
}

void ServiceLog::Log(const char* name, const WAVEHDR* header)
{
    calls.push_back({name, header});
}

namespace {
int EntryOf(const std::vector<const WAVEHDR*>& entries, const WAVEHDR* header)
{
    const auto found = std::find(entries.begin(), entries.end(), header);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

void Note(std::vector<const WAVEHDR*>& entries, const WAVEHDR* header)
{
    if (EntryOf(entries, header) < 0)
        entries.push_back(header);
}
}

int ServiceLog::InEntry(const WAVEHDR* header) const
{
    return EntryOf(inEntries, header);
}

int ServiceLog::OutEntry(const WAVEHDR* header) const
{
    return EntryOf(outEntries, header);
}

int ServiceLog::QueuedOut() const
{
    return static_cast<int>(std::count_if(outEntries.begin(), outEntries.end(), [](auto* h) {
        return (h->dwFlags & WHDR_INQUEUE) != 0;
    }));
}

MMRESULT ServiceLog::waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    Log(fdwOpen & WAVE_FORMAT_QUERY ? "waveInOpen(query)" : "waveInOpen");
    if (!(fdwOpen & WAVE_FORMAT_QUERY))
        inEntries.clear();
    return inner.waveInOpen(phwi, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT ServiceLog::waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    Log("waveInPrepareHeader", pwh);
    Note(inEntries, pwh);
    return inner.waveInPrepareHeader(hwi, pwh, cbwh);
}

MMRESULT ServiceLog::waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                 DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    Log(fdwOpen & WAVE_FORMAT_QUERY ? "waveOutOpen(query)" : "waveOutOpen");
    if (!(fdwOpen & WAVE_FORMAT_QUERY))
        outEntries.clear();
    return inner.waveOutOpen(phwo, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT ServiceLog::waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    Log("waveOutPrepareHeader", pwh);
    Note(outEntries, pwh);
    return inner.waveOutPrepareHeader(hwo, pwh, cbwh);
}

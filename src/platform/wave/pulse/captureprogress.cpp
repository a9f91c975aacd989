#include "platform/wave/pulse/captureprogress.h"

#include <algorithm>

void CaptureProgress::Start(const void* capture, pa_usec_t now, const pa_sample_spec& sampleSpec)
{
    captures[capture] = {now, 0, sampleSpec};
}

void CaptureProgress::Delivered(const void* capture, std::size_t bytes)
{
    auto found = captures.find(capture);
    if (found != captures.end())
        found->second.bytes += bytes;
}

void CaptureProgress::Leave(const void* capture)
{
    captures.erase(capture);
}

bool CaptureProgress::RecordedThrough(pa_usec_t moment) const
{
    return std::all_of(captures.begin(), captures.end(),
                       [moment](const auto& entry) { return entry.second.Through() >= moment; });
}

void CaptureProgress::Forgive(pa_usec_t moment)
{
    for (auto& entry : captures) {
        Recorded& recorded = entry.second;
        recorded.start += moment - std::min(moment, recorded.Through());
    }
}

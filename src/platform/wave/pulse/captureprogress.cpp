#include "platform/wave/pulse/captureprogress.h"

#include <algorithm>

void CaptureProgress::Join(const void* capture, pa_usec_t now)
{
    lastDelivery[capture] = now;
}

void CaptureProgress::Delivered(const void* capture, pa_usec_t now)
{
    auto found = lastDelivery.find(capture);
    if (found != lastDelivery.end())
        found->second = now;
}

void CaptureProgress::Leave(const void* capture)
{
    lastDelivery.erase(capture);
}

bool CaptureProgress::DeliveredSince(pa_usec_t moment) const
{
    return std::all_of(lastDelivery.begin(), lastDelivery.end(),
                       [moment](const auto& entry) { return entry.second >= moment; });
}

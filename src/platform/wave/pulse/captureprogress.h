// When the running capture streams of one service last handed recorded sound over. A played
// header waits for that, so that the capture block ending at the same moment is handed over
// first even when the server delivers the recording late.
#pragma once

#include <pulse/sample.h>

#include <map>

class CaptureProgress {
public:
    // A capture stream delivers from now on; `Delivered` each time it hands sound over.
    void Join(const void* capture, pa_usec_t now);
    void Delivered(const void* capture, pa_usec_t now);
    void Leave(const void* capture);
    // True when every running capture has delivered at or after `moment` (none running: true).
    bool DeliveredSince(pa_usec_t moment) const;

private:
    std::map<const void*, pa_usec_t> lastDelivery;
};

// How far the started captures of one service have handed over what they recorded. A played
// header is reported only once every capture has delivered what it recorded until the header
// was heard, so that the capture block ending with it comes first even when the server
// delivers the recording late.
#pragma once

#include <pulse/sample.h>

#include <cstdint>
#include <map>

class CaptureProgress {
public:
    // A capture starts recording now; `Delivered` counts what it hands over from then on.
    void Start(const void* capture, pa_usec_t now, const pa_sample_spec& sampleSpec);
    void Delivered(const void* capture, std::size_t bytes);
    void Leave(const void* capture);
    // True when every started capture has delivered what it recorded until `moment`.
    bool RecordedThrough(pa_usec_t moment) const;
    // Takes the captures still short of `moment` as being there: one whose clock runs slow,
    // or that stopped delivering, holds a report back once, not every report after it.
    void Forgive(pa_usec_t moment);

private:
    struct Recorded {
        pa_usec_t start;
        std::uint64_t bytes;
        pa_sample_spec sampleSpec;
        pa_usec_t Through() const { return start + pa_bytes_to_usec(bytes, &sampleSpec); }
    };

    std::map<const void*, Recorded> captures;
};

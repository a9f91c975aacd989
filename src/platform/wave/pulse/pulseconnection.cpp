#include "platform/wave/pulse/pulseconnection.h"

#include <sys/time.h>

namespace {
bool Settled(pa_context_state_t state)
{
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}

struct Deadline {
    PulseConnection* connection;
    bool expired = false;
};

void OnDeadline(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata)
{
    auto* deadline = static_cast<Deadline*>(userdata);
    deadline->expired = true;
    deadline->connection->Signal();
}
}

PulseConnection::PulseConnection()
{
    loop = pa_threaded_mainloop_new();
    if (loop && pa_threaded_mainloop_start(loop) < 0) {
        pa_threaded_mainloop_free(loop);
        loop = nullptr;
    }
    if (!loop)
        return;
    PulseLock lock(*this);
    EnsureConnected();
}

PulseConnection::~PulseConnection()
{
    if (!loop)
        return;
    Lock();
    DropContext();
    Unlock();
    pa_threaded_mainloop_stop(loop);
    pa_threaded_mainloop_free(loop);
}

void PulseConnection::Lock()
{
    if (loop)
        pa_threaded_mainloop_lock(loop);
}

void PulseConnection::Unlock()
{
    if (loop)
        pa_threaded_mainloop_unlock(loop);
}

void PulseConnection::Signal()
{
    pa_threaded_mainloop_signal(loop, 0);
}

pa_mainloop_api* PulseConnection::Api() const
{
    return pa_threaded_mainloop_get_api(loop);
}

bool PulseConnection::Connected() const
{
    return context && pa_context_get_state(context) == PA_CONTEXT_READY;
}

bool PulseConnection::EnsureConnected()
{
    if (!loop)
        return false;
    if (Connected())
        return true;
    DropContext();
    context = pa_context_new(Api(), "Phonoduct");
    if (!context)
        return false;
    pa_context_set_state_callback(context, OnContextState, this);
    // No autospawn: with no server running the open must fail at once, not start one.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return false;
    WaitFor([this] { return Settled(pa_context_get_state(context)); }, ServerTimeoutMs);
    return Connected();
}

bool PulseConnection::WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    Deadline deadline{this};
    timeval when{};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, static_cast<pa_usec_t>(timeoutMs) * PA_USEC_PER_MSEC);
    pa_time_event* timer = Api()->time_new(Api(), &when, OnDeadline, &deadline);
    while (!done() && !deadline.expired)
        pa_threaded_mainloop_wait(loop);
    Api()->time_free(timer);
    return done();
}

void PulseConnection::DropContext()
{
    if (!context)
        return;
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    context = nullptr;
}

void PulseConnection::OnContextState(pa_context*, void* userdata)
{
    static_cast<PulseConnection*>(userdata)->Signal();
}

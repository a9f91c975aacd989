// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulseconnection.h"

#include <poll.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>

namespace {
bool Settled(pa_context_state_t state)
{
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}
}

PulseConnection::PulseConnection()
{
    loop = pa_mainloop_new();
    if (!loop)
        return;
    pa_mainloop_set_poll_func(loop, Poll, this);
    thread = std::thread([this] { Run(); });
    PulseLock lock(*this);
    EnsureConnected();
}

PulseConnection::~PulseConnection()
{
    if (!loop)
        return;
    Lock();
    DropContext();
    pa_mainloop_quit(loop, 0);
    Unlock();
    thread.join();
    pa_mainloop_free(loop);
}

void PulseConnection::Run()
{
    pthread_setname_np(pthread_self(), "pulse-loop");
    std::lock_guard<std::recursive_mutex> guard(mutex);
    pa_mainloop_run(loop, nullptr);
}

int PulseConnection::Poll(pollfd* fds, unsigned long count, int timeoutMs, void* userdata)
{
    auto* connection = static_cast<PulseConnection*>(userdata);
    const bool quiet = connection->hurried == 0 && count > 0;
    const bool sleep = quiet && !connection->draining;
    connection->mutex.unlock();
    if (sleep) {
        // libpulse keeps its wakeup pipe, which other threads and the loop's own work write
        // to, first: only it and the timers end the sleep; the server's messages wait for
        // the next wakeup.
        const int wait = timeoutMs < 0 ? BatchMs : std::min(timeoutMs, BatchMs);
        ::poll(fds, 1, wait);
    }
    const int ready = ::poll(fds, count, quiet ? 0 : timeoutMs);
    connection->mutex.lock();
    // A message is taken in piece by piece, one each time round: all that waits is taken in
    // before the next sleep.
    connection->draining = quiet && ready > 0;
    return ready;
}

void PulseConnection::Lock()
{
    mutex.lock();
}

void PulseConnection::Unlock()
{
    mutex.unlock();
}

void PulseConnection::Signal()
{
    changed.notify_all();
}

void PulseConnection::Hurry()
{
    if (hurried++ == 0 && loop)
        pa_mainloop_wakeup(loop);
}

void PulseConnection::Relax()
{
    --hurried;
}

pa_mainloop_api* PulseConnection::Api() const
{
    return pa_mainloop_get_api(loop);
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Hurry();
    while (!done() && changed.wait_until(mutex, deadline) == std::cv_status::no_timeout) {
    }
    Relax();
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

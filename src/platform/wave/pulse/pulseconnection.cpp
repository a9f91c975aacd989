// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulseconnection.h"

#include <poll.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {
bool Settled(pa_context_state_t state)
{
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}
}

void PulseConnection::OwnedMutex::lock()
{
    mutex.lock();
    if (depth++ == 0)
        owner.store(std::this_thread::get_id());
}

void PulseConnection::OwnedMutex::unlock()
{
    if (--depth == 0)
        owner.store(std::thread::id());
    mutex.unlock();
}

PulseConnection::PulseConnection()
{
    loop = pa_mainloop_new();
    if (!loop)
        return;
    pa_mainloop_set_poll_func(loop, Poll, this);
    {
        // A loop that watches nothing yet polls its own wakeup pipe alone: Poll notes it.
        PulseLock lock(*this);
        loopThread.store(std::this_thread::get_id());
        pa_mainloop_iterate(loop, 0, nullptr);
        loopThread.store(std::thread::id());
    }
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
    std::lock_guard<OwnedMutex> guard(mutex);
    loopThread.store(std::this_thread::get_id());
    pa_mainloop_run(loop, nullptr);
}

int PulseConnection::Poll(pollfd* fds, unsigned long count, int timeoutMs, void* userdata)
{
    auto* connection = static_cast<PulseConnection*>(userdata);
    CHECK_RULE(connection->OnLoopThread() && connection->LockHeld(),
               "the mainloop polls on its own thread, with the lock held");
    if (connection->wakeupFd < 0 && count == 1)
        connection->wakeupFd = fds[0].fd;
    pollfd* const end = fds + count;
    pollfd* const wakeup = std::find_if(fds, end, [connection](const pollfd& p) {
        return p.fd == connection->wakeupFd;
    });
    const bool quiet = connection->hurried == 0 && wakeup != end;
    const bool sleep = quiet && !connection->draining;
    ++connection->wakeups;
    connection->mutex.unlock();
    if (sleep) {
        // Other threads and the loop's own work write to the wakeup pipe: only it and the
        // timers end the sleep; the server's messages wait for the next wakeup.
        const int wait = timeoutMs < 0 ? BatchMs : std::min(timeoutMs, BatchMs);
        ::poll(wakeup, 1, wait);
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

PulseConnection::Hurry::Hurry(PulseConnection& connection) : connection(connection)
{
    CHECK_RULE(connection.LockHeld(), "hurried with the lock held");
    if (connection.hurried++ == 0 && connection.loop)
        pa_mainloop_wakeup(connection.loop);
}

PulseConnection::Hurry::~Hurry()
{
    CHECK_RULE(connection.LockHeld(), "relaxed with the lock held");
    --connection.hurried;
}

void PulseConnection::ReportFailure(const char* call) const
{
    CHECK_RULE(LockHeld(), "a failure reported with the lock held");
    const char* reason = context ? pa_strerror(pa_context_errno(context)) : "no context";
    std::fprintf(stderr, "phonoduct: %s failed: %s\n", call, reason);
}

std::uint64_t PulseConnection::Wakeups() const
{
    CHECK_RULE(LockHeld(), "wakeups read with the lock held");
    return wakeups;
}

pa_mainloop_api* PulseConnection::Api() const
{
    return pa_mainloop_get_api(loop);
}

bool PulseConnection::Connected() const
{
    CHECK_RULE(LockHeld(), "the context read with the lock held");
    return context && pa_context_get_state(context) == PA_CONTEXT_READY;
}

bool PulseConnection::EnsureConnected()
{
    CHECK_RULE(LockHeld(), "connected with the lock held");
    if (!loop)
        return false;
    if (Connected())
        return true;
    DropContext();
    context = pa_context_new(Api(), "Phonoduct");
    if (!context) {
        ReportFailure("pa_context_new");
        return false;
    }
    pa_context_set_state_callback(context, OnContextState, this);
    // No autospawn: with no server running the open must fail at once, not start one.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        ReportFailure("pa_context_connect");
        return false;
    }
    WaitFor([this] { return Settled(pa_context_get_state(context)); }, ServerTimeoutMs);
    if (!Connected())
        ReportFailure("pa_context_connect");
    return Connected();
}

bool PulseConnection::WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    CHECK_RULE(LockHeld() && !OnLoopThread(), "waited for with the lock held, off the loop");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Hurry hurry(*this);
    while (!done() && changed.wait_until(mutex, deadline) == std::cv_status::no_timeout) {
    }
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
    auto* connection = static_cast<PulseConnection*>(userdata);
    CHECK_RULE(connection->LockHeld(), "server callbacks run with the lock held");
    connection->Signal();
}

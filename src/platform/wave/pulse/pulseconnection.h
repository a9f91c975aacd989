// SPDX-License-Identifier: GPL-3.0-or-later
// The libpulse mainloop thread and the context on it. The loop's lock is the backend's lock:
// every pa_* call and every header change happens while it is held. The thread wakes for its
// timers and for other threads at once, but takes in what the server sends in batches, a few
// times a second, unless someone waits for an answer: a recording then costs a few wakeups a
// second instead of one for every few milliseconds of sound.
#pragma once

#include <pulse/pulseaudio.h>

#include "platform/rules.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

struct pollfd;

class PulseConnection {
public:
    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    void Lock();
    void Unlock();
    // Whether this thread holds the lock; whether it is the mainloop thread.
    bool LockHeld() const { return mutex.HeldHere(); }
    bool OnLoopThread() const { return std::this_thread::get_id() == loopThread.load(); }
    // Wakes threads in WaitFor; callbacks call it after changing what a waiter tests.
    void Signal();

    // While any exists, the thread takes in what the server sends as soon as it comes: for
    // answers awaited. Made and dropped with the lock held.
    class Hurry {
    public:
        explicit Hurry(PulseConnection& connection);
        ~Hurry();
        Hurry(const Hurry&) = delete;
        Hurry& operator=(const Hurry&) = delete;

    private:
        PulseConnection& connection;
    };

    // Lock held. True when the context is ready; otherwise makes a new context and waits
    // (bounded) for it. A missing server fails at once.
    bool EnsureConnected();
    // Lock held. True while the context is ready.
    bool Connected() const;
    // Lock held once. Waits until done() or the timeout; callbacks must Signal() on changes.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs);

    pa_context* Context() const { return context; }
    pa_mainloop_api* Api() const;

    // Lock held. One line on stderr: the libpulse call that failed and the server's reason.
    void ReportFailure(const char* call) const;

    // Lock held. The times the mainloop thread has woken so far.
    std::uint64_t Wakeups() const;

    static constexpr int ServerTimeoutMs = 1000;
    // The longest the server's messages wait while nobody hurries.
    static constexpr int BatchMs = 100;

private:
    // The backend's lock, which knows which thread holds it.
    class OwnedMutex {
    public:
        void lock();
        void unlock();
        bool HeldHere() const { return owner.load() == std::this_thread::get_id(); }

    private:
        std::recursive_mutex mutex;
        std::atomic<std::thread::id> owner{};
        int depth = 0;  // changed only by the holder
    };

    void Run();
    void DropContext();
    static int Poll(pollfd* fds, unsigned long count, int timeoutMs, void* userdata);
    static void OnContextState(pa_context* c, void* userdata);

    OwnedMutex mutex;
    std::condition_variable_any changed;
    pa_mainloop* loop = nullptr;
    std::thread thread;
    std::atomic<std::thread::id> loopThread{};
    int wakeupFd = -1;  // the read end of the loop's own wakeup pipe
    int hurried = 0;
    bool draining = false;
    std::uint64_t wakeups = 0;
    pa_context* context = nullptr;
};

// Holds the backend's lock for a scope.
class PulseLock {
public:
    explicit PulseLock(PulseConnection& connection) : connection(connection) { connection.Lock(); }
    ~PulseLock() { connection.Unlock(); }
    PulseLock(const PulseLock&) = delete;
    PulseLock& operator=(const PulseLock&) = delete;

private:
    PulseConnection& connection;
};

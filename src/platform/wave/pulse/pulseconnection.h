// The libpulse mainloop thread and the context on it. The mainloop lock is the backend's
// lock: every pa_* call and every header change happens while it is held.
#pragma once

#include <pulse/pulseaudio.h>

#include <functional>

class PulseConnection {
public:
    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    void Lock();
    void Unlock();
    // Wakes threads in WaitFor; callbacks call it after changing what a waiter tests.
    void Signal();

    // Lock held. True when the context is ready; otherwise makes a new context and waits
    // (bounded) for it. A missing server fails at once.
    bool EnsureConnected();
    // Lock held. True while the context is ready.
    bool Connected() const;
    // Lock held. Waits until done() or the timeout; callbacks must Signal() on changes.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs);

    pa_context* Context() const { return context; }
    pa_mainloop_api* Api() const;

    static constexpr int ServerTimeoutMs = 1000;

private:
    void DropContext();
    static void OnContextState(pa_context* c, void* userdata);

    pa_threaded_mainloop* loop = nullptr;
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

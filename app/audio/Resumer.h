#pragma once

#include <functional>
#include <mutex>
#include <optional>

// Releases the caller waiting for one played segment exactly once, whichever comes first: the
// end of the audio (reported on an audio thread) or a stop (on the main thread). A release that
// arrives before the caller has attached is kept, so the caller is then released at once.
class Resumer {
public:
    using Continuation = std::function<void()>;

    // Keeps `continuation` until resume(); if the resumer has already fired, runs it at once.
    void attach(Continuation continuation);
    // Fires: runs the kept continuation, if any, outside the lock. Later calls do nothing.
    void resume();

    bool done() const;

private:
    mutable std::mutex lock;
    std::optional<Continuation> continuation;
    bool m_done = false;
};

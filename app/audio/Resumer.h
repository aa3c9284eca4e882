#pragma once

#include <QString>

#include <functional>
#include <mutex>
#include <optional>

// Releases the caller waiting for one played segment exactly once, whichever comes first: the
// end of the audio or a device failure (reported on an audio thread), or a stop (on the main
// thread). A release that arrives before the caller has attached is kept, so the caller is then
// released at once.
class Resumer {
public:
    using Continuation = std::function<void()>;

    // Keeps `continuation` until resume(); if the resumer has already fired, runs it at once.
    void attach(Continuation continuation);
    // Fires: keeps `failure` and runs the kept continuation, if any, outside the lock. Later
    // calls do nothing.
    void resume(std::optional<QString> failure = std::nullopt);

    bool done() const;
    // The failure given by the call that fired.
    std::optional<QString> failure() const;

private:
    mutable std::mutex lock;
    std::optional<Continuation> continuation;
    bool m_done = false;
    std::optional<QString> m_failure;
};

#include "audio/Resumer.h"

void Resumer::attach(Continuation next) {
    {
        std::lock_guard guard(lock);
        if (!m_done) {
            continuation = std::move(next);
            return;
        }
    }
    next();
}

void Resumer::resume(std::optional<QString> failure) {
    std::optional<Continuation> taken;
    {
        std::lock_guard guard(lock);
        if (m_done)
            return;
        taken.swap(continuation);
        m_done = true;
        m_failure = std::move(failure);
    }
    if (taken)
        (*taken)();
}

bool Resumer::done() const {
    std::lock_guard guard(lock);
    return m_done;
}

std::optional<QString> Resumer::failure() const {
    std::lock_guard guard(lock);
    return m_failure;
}

#include "RecognitionEventStream.h"

#include <QCoroSignal>

#include <chrono>

RecognitionEventStream::RecognitionEventStream(QObject* parent)
    : QObject(parent), m_state(std::make_shared<State>()) {
    m_state->consumer = this;
}

RecognitionEventStream::~RecognitionEventStream() {
    std::lock_guard lock(m_state->mutex);
    m_state->consumer = nullptr;
    m_state->finished = true;
}

void RecognitionEventStream::Continuation::yield(RecognitionEvent event) const {
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->finished)
            return;
        m_state->events.push_back(std::move(event));
    }
    wake();
}

void RecognitionEventStream::Continuation::finish() const {
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->finished)
            return;
        m_state->finished = true;
    }
    wake();
}

void RecognitionEventStream::Continuation::wake() const {
    // Queued, so the signal reaches the consumer on its own thread whichever thread produced.
    // Posting under the lock keeps the consumer from going away in between; events still queued
    // when it does are discarded with it.
    std::lock_guard lock(m_state->mutex);
    if (m_state->consumer)
        QMetaObject::invokeMethod(m_state->consumer, &RecognitionEventStream::available,
                                  Qt::QueuedConnection);
}

std::optional<RecognitionEvent> RecognitionEventStream::take(bool& ended) {
    std::lock_guard lock(m_state->mutex);
    if (!m_state->events.empty()) {
        RecognitionEvent event = std::move(m_state->events.front());
        m_state->events.pop_front();
        ended = false;
        return event;
    }
    ended = m_state->finished;
    return std::nullopt;
}

QCoro::Task<std::optional<RecognitionEvent>> RecognitionEventStream::next() {
    using namespace std::chrono_literals;
    for (;;) {
        bool ended = false;
        if (auto event = take(ended))
            co_return event;
        if (ended)
            co_return std::nullopt;
        // The check above and this wait run without returning to the event loop, so a wake-up
        // queued in between is still seen. The timeout only guards against a lost producer.
        co_await qCoro(this, &RecognitionEventStream::available, 1s);
    }
}

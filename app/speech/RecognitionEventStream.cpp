#include "speech/RecognitionEventStream.h"

struct RecognitionEventStream::State {
    std::mutex mutex;
    std::deque<RecognitionEvent> events;
    bool finished = false;
    RecognitionEventStream* consumer = nullptr; // cleared when the stream goes away

    bool ready() const { return finished || !events.empty(); }

    void push(std::optional<RecognitionEvent> event) {
        std::lock_guard lock(mutex);
        if (finished)
            return;
        if (event)
            events.push_back(std::move(*event));
        else
            finished = true;
        // Posting under the lock keeps the consumer from going away in between; a wake-up still
        // queued when it does is discarded with it.
        if (consumer)
            QMetaObject::invokeMethod(consumer, &RecognitionEventStream::resumeConsumer,
                                      Qt::QueuedConnection);
    }
};

// Shared by every copy of one continuation; the last copy to go finishes the stream.
struct RecognitionEventStream::Producer {
    explicit Producer(std::shared_ptr<State> state) : state(std::move(state)) {}
    Producer(const Producer&) = delete;
    Producer& operator=(const Producer&) = delete;
    ~Producer() { state->push(std::nullopt); }

    const std::shared_ptr<State> state;
};

// Suspends the consumer until a producer wakes it, unless something is waiting already.
struct RecognitionEventStream::Wake {
    RecognitionEventStream* stream;

    bool await_ready() const {
        std::lock_guard lock(stream->m_state->mutex);
        return stream->m_state->ready();
    }
    void await_suspend(std::coroutine_handle<> consumer) { stream->m_waiting = consumer; }
    void await_resume() const {}
};

RecognitionEventStream::RecognitionEventStream(QObject* parent)
    : QObject(parent), m_state(std::make_shared<State>()) {
    m_state->consumer = this;
}

RecognitionEventStream::~RecognitionEventStream() {
    std::lock_guard lock(m_state->mutex);
    m_state->consumer = nullptr;
    m_state->finished = true;
}

RecognitionEventStream::Continuation RecognitionEventStream::continuation() {
    std::shared_ptr<Producer> producer = m_producer.lock();
    if (!producer) {
        producer = std::make_shared<Producer>(m_state);
        m_producer = producer;
    }
    return Continuation(std::move(producer));
}

void RecognitionEventStream::Continuation::yield(RecognitionEvent event) const {
    m_producer->state->push(std::move(event));
}

void RecognitionEventStream::Continuation::finish() const {
    m_producer->state->push(std::nullopt);
}

void RecognitionEventStream::resumeConsumer() {
    if (const std::coroutine_handle<> consumer = std::exchange(m_waiting, nullptr))
        consumer.resume();
}

QCoro::Task<std::optional<RecognitionEvent>> RecognitionEventStream::next() {
    for (;;) {
        {
            std::lock_guard lock(m_state->mutex);
            if (!m_state->events.empty()) {
                RecognitionEvent event = std::move(m_state->events.front());
                m_state->events.pop_front();
                co_return event;
            }
            if (m_state->finished)
                co_return std::nullopt;
        }
        co_await Wake{this};
    }
}

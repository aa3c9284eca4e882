#pragma once

#include "speech/RecognitionEvent.h"

#include <QCoroTask>
#include <QObject>

#include <coroutine>
#include <deque>
#include <memory>
#include <mutex>

// An unbounded stream of recognition events: produced from any thread through its Continuation,
// consumed in order on the thread the stream lives on (the main thread). Nothing is dropped while
// the consumer is busy; once finished, further events are ignored. The stream also finishes when
// the last copy of its continuation goes away, so a producer that dies never leaves the consumer
// waiting for ever.
class RecognitionEventStream final : public QObject {
    Q_OBJECT

    struct State;
    struct Producer;

public:
    // The producing end. Cheap to copy, safe to use from any thread, and harmless after the stream
    // has gone.
    class Continuation {
    public:
        void yield(RecognitionEvent event) const;
        // Ends the stream after the events already yielded.
        void finish() const;

    private:
        friend class RecognitionEventStream;
        explicit Continuation(std::shared_ptr<Producer> producer)
            : m_producer(std::move(producer)) {}
        std::shared_ptr<Producer> m_producer;
    };

    explicit RecognitionEventStream(QObject* parent = nullptr);
    ~RecognitionEventStream() override;

    Continuation continuation();

    // The next event, or nothing once the stream has finished and every event was taken.
    QCoro::Task<std::optional<RecognitionEvent>> next();

private:
    struct Wake;
    void resumeConsumer();

    std::shared_ptr<State> m_state;
    std::weak_ptr<Producer> m_producer;
    std::coroutine_handle<> m_waiting;
};

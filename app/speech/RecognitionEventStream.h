#pragma once

#include "RecognitionEvent.h"

#include <QObject>
#include <QCoroTask>

#include <deque>
#include <memory>
#include <mutex>

// An unbounded stream of recognition events: produced from any thread through its Continuation,
// consumed in order on the thread the stream lives on (the main thread). Nothing is dropped while
// the consumer is busy; once finished, further events are ignored.
class RecognitionEventStream final : public QObject {
    Q_OBJECT

    struct State {
        std::mutex mutex;
        std::deque<RecognitionEvent> events;
        bool finished = false;
        RecognitionEventStream* consumer = nullptr; // cleared when the stream goes away
    };

public:
    // The producing end. Cheap to copy, safe to use from any thread, and harmless after the stream
    // or its consumer has gone.
    class Continuation {
    public:
        void yield(RecognitionEvent event) const;
        // Ends the stream after the events already yielded.
        void finish() const;

    private:
        friend class RecognitionEventStream;
        explicit Continuation(std::shared_ptr<State> state) : m_state(std::move(state)) {}
        void wake() const;
        std::shared_ptr<State> m_state;
    };

    explicit RecognitionEventStream(QObject* parent = nullptr);
    ~RecognitionEventStream() override;

    Continuation continuation() const { return Continuation(m_state); }

    // The next event, or nothing once the stream has finished and every event was taken.
    QCoro::Task<std::optional<RecognitionEvent>> next();

Q_SIGNALS:
    void available();

private:
    std::optional<RecognitionEvent> take(bool& ended);

    std::shared_ptr<State> m_state;
};

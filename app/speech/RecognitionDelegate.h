#pragma once

#include "speech/RecognitionEventStream.h"
#include "speech/Transcription.h"

// Turns a recogniser's callbacks into recognition events. Engines call it from their own threads;
// it touches nothing but the stream's continuation.
class RecognitionDelegate {
public:
    explicit RecognitionDelegate(RecognitionEventStream::Continuation continuation)
        : m_continuation(std::move(continuation)) {}

    // A new hypothesis: reports how far it reaches when its last segment has a time.
    void hypothesized(const Transcription& transcription) const;
    // The recogniser has got this far into the file without a hypothesis to show for it.
    void reached(double seconds) const;
    // A final result; `covered`: the stretch of the file it stands for, when the engine knows.
    void recognized(const Transcription& transcription,
                    std::optional<TimeRange> covered = std::nullopt) const;
    // Recognition ended (on failure with the recogniser's message); the stream ends.
    void finished(bool success, std::optional<QString> message = std::nullopt) const;
    // Recognition was cancelled; the stream ends without an event.
    void cancelled() const;

private:
    RecognitionEventStream::Continuation m_continuation;
};

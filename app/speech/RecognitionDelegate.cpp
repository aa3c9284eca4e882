#include "speech/RecognitionDelegate.h"

void RecognitionDelegate::hypothesized(const Transcription& transcription) const {
    if (transcription.segments.empty())
        return;
    const TranscriptionSegment& last = transcription.segments.back();
    if (last.timestamp > 0)
        reached(last.timestamp + last.duration);
}

void RecognitionDelegate::reached(double seconds) const {
    m_continuation.yield(RecognitionEvent::partial(seconds));
}

void RecognitionDelegate::recognized(const Transcription& transcription,
                                     std::optional<TimeRange> covered) const {
    m_continuation.yield(RecognitionEvent::final_(transcription.words(), covered));
}

void RecognitionDelegate::finished(bool success, std::optional<QString> message) const {
    m_continuation.yield(RecognitionEvent::finished(success, std::move(message)));
    m_continuation.finish();
}

void RecognitionDelegate::cancelled() const {
    m_continuation.finish();
}

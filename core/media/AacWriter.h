#pragma once

#include "media/AudioFormat.h"

#include <QString>

#include <memory>

// Encodes interleaved float samples with FFmpeg's native AAC encoder into an MPEG-4 (.m4a) file.
class AacWriter {
public:
    AacWriter(const QString& path, AudioFormat format = {44100, 1},
              int bitRate = 128000); // throws MediaError
    ~AacWriter();                    // closes the file; without finish() it is incomplete
    AacWriter(const AacWriter&) = delete;
    AacWriter& operator=(const AacWriter&) = delete;

    void write(const float* interleaved, qint64 frames); // throws MediaError
    void finish(); // flushes the encoder, writes the trailer; throws

    AudioFormat format() const;
    qint64 framesWritten() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

#pragma once

#include "media/AudioFormat.h"

#include <QString>

#include <memory>

// Encodes interleaved float samples into a sound file: MP3 (FFmpeg's LAME encoder) for a path
// ending in .mp3, which every flash-card program plays; otherwise AAC (FFmpeg's native encoder) in
// an MPEG-4 (.m4a) file. One owner, one thread.
class AudioFileWriter {
public:
    AudioFileWriter(const QString& path, AudioFormat format = {44100, 1},
                    int bitRate = 128000); // throws MediaError
    ~AudioFileWriter();                    // closes the file; without finish() it is incomplete
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const float* interleaved, qint64 frames); // throws MediaError
    void finish(); // flushes the encoder, writes the trailer; throws

    AudioFormat format() const;
    qint64 framesWritten() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

#pragma once

#include "media/AudioFormat.h"

#include <QString>

#include <memory>
#include <mutex>

class AudioDecoder;

// Keeps a file's decoder open between segments and lends it to one segment at a time: opening
// a long file again costs tens of milliseconds (MP4 builds its index of every packet) before
// the first sound. A segment that finds the decoder still lent opens another.
class DecoderLender {
public:
    // Opens `path` for playing: its own sample rate, at most two channels (the output mixes
    // more down anyway, and every channel costs stretching time). Throws MediaError.
    explicit DecoderLender(QString path);
    ~DecoderLender();

    AudioFormat format() const { return m_format; }
    // The file's length in frames; the largest number when the file does not tell.
    qint64 lengthFrames() const { return m_lengthFrames; }

    // May be called on any thread; throws MediaError when another decoder cannot be opened.
    std::unique_ptr<AudioDecoder> borrow();
    void giveBack(std::unique_ptr<AudioDecoder> decoder);

private:
    const QString m_path;
    AudioFormat m_format;
    qint64 m_lengthFrames = 0;
    std::mutex m_lock;
    std::unique_ptr<AudioDecoder> m_parked;
};

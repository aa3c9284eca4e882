#pragma once

#include "media/AudioFormat.h"

#include <QString>

#include <memory>
#include <optional>
#include <stop_token>

struct AVIOContext;

// Decodes the first audio stream of a media file to interleaved 32-bit float samples, either in
// the stream's own rate and channel count or converted (resampled / mixed) to a requested format.
// Throws MediaError (base QuellinError) with a clear user-facing description on failure.
//
// Damaged data inside a stream is skipped the way FFmpeg's own tools do, so a truncated file
// decodes up to where it ends. A stop request on the optional stop token aborts blocking reads,
// and the next read() or seek() throws OperationCancelled.
class AudioDecoder {
public:
    explicit AudioDecoder(const QString& path, std::optional<AudioFormat> output = std::nullopt);
    AudioDecoder(const QString& path, std::optional<AudioFormat> output, std::stop_token stop);
    // Decodes what `bytes` reads instead of a file: a stream held elsewhere, or in tests a disk
    // that fails. `bytes` stays the caller's and must outlive the decoder.
    explicit AudioDecoder(AVIOContext* bytes, std::optional<AudioFormat> output = std::nullopt);
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    AudioFormat format() const; // the output format
    // The stream's own rate and channel count.
    AudioFormat sourceFormat() const;
    // Total frames at the output rate when the container states a duration. For formats that
    // only estimate it (MP3 without a header, for example) this is an estimate too.
    std::optional<qint64> lengthFrames() const;
    double durationSeconds() const; // container/stream duration, 0 when unknown
    // The presentation time of output frame 0 on the file's own clock, in seconds: where the
    // sound's clock starts, so that other streams (the picture) can be placed on it.
    double startSeconds() const;
    // Whether the file holds a video stream other than attached pictures (cover art).
    bool hasVideo() const;

    // Sample-accurate: the next read() starts exactly at this output frame (decodes from before
    // the seek point and drops samples up to it).
    void seek(qint64 frame);
    // Reads up to maxFrames frames (interleaved); returns the number read, 0 at the end.
    qint64 read(float* interleaved, qint64 maxFrames);
    qint64 position() const; // output frame of the next read

private:
    AudioDecoder(const QString& path, AVIOContext* bytes, std::optional<AudioFormat> output,
                 std::stop_token stop);

    struct State;
    std::unique_ptr<State> d;
};

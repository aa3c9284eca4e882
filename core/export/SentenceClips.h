#pragma once

#include "media/AudioFormat.h"

#include <QString>

#include <memory>
#include <stop_token>

class AudioDecoder;

// Cuts sentences out of a media file into sound files of their own, sample-accurately with the
// file's own decoder, with a little lead-in and lead-out, loudness-normalised (EBU R128), as MP3
// or AAC by the path's extension (AudioFileWriter). One owner, one thread; each cut may be long
// for a long sentence. Throws MediaError (the media file or the written file), and
// OperationCancelled once `stop` is requested.
class SentenceClips {
public:
    static constexpr AudioFormat format{44100, 1};
    static constexpr double lead = 0.1;         // seconds before and after each sentence
    static constexpr double loudness = -16.0;   // LUFS
    static constexpr double largestGain = 30.0; // dB: a stretch of faint noise stays faint

    SentenceClips(const QString& mediaPath, std::stop_token stop = {});
    ~SentenceClips();
    SentenceClips(const SentenceClips&) = delete;
    SentenceClips& operator=(const SentenceClips&) = delete;

    // Writes [start − lead, end + lead], within the file, to `path`.
    void cut(double start, double end, const QString& path);
    // Writes a whole sound file (a take) to `path`, normalised the same way.
    static void convert(const QString& from, const QString& path, std::stop_token stop = {});

private:
    std::unique_ptr<AudioDecoder> m_decoder; // kept open: its stop token ends every cut
};

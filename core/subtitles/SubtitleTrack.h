#pragma once

#include <QString>

#include <optional>

// One set of subtitles that may give a media file's sentences: a file beside the media, a stream
// inside it, or a file the user added. A plain value; any thread.
struct SubtitleTrack {
    enum class Origin { Beside, Inside, Added };

    Origin origin = Origin::Beside;
    // The subtitle file; for Inside, the media file.
    QString path;
    // The stream's index in `path`, for Inside; -1 otherwise.
    int stream = -1;
    // A BCP 47 code ("es", "pt-BR"), empty when unknown. ISO 639-2 codes are mapped ("eng" → "en").
    QString language;
    // What the user sees and what a session remembers: the file name ("talk.es.srt"), the
    // stream's title, or "Stream 3" (its 1-based number in the file); unique among the tracks of
    // one media file (a repeated title gets " (Stream 3)").
    QString source;
    // Why the track cannot give text (bitmap subtitles), in the user's terms; none when usable.
    std::optional<QString> unusable;

    bool usable() const { return !unusable.has_value(); }
    bool operator==(const SubtitleTrack&) const = default;
};

#pragma once

// Internal to core/subtitles: the steps between a subtitle track and its sentences, apart so that
// each rule can be checked on its own.

#include "base/Sentence.h"
#include "split/TranscriptSplitter.h"
#include "subtitles/SubtitleTrack.h"

#include <QString>

#include <optional>
#include <stop_token>
#include <vector>

// One subtitle shown on screen: seconds from the media's start, its text as FFmpeg decoded it
// (ASS markup included).
struct SubtitleCue {
    double start = 0;
    double end = 0;
    QString text;
    bool operator==(const SubtitleCue&) const = default;
};

// The cues of a track in file order, read with FFmpeg's demuxers and subtitle decoders. A file in a
// legacy encoding is detected (uchardet) and converted. Worker thread. Throws SubtitleError (not
// text, unreadable, unusable track); OperationCancelled when `stop` is requested.
std::vector<SubtitleCue> readSubtitleCues(const SubtitleTrack& track, std::stop_token stop);

// Why subtitles of this FFmpeg codec (an AVCodecID) give no text, in the user's terms: pictures
// (DVD, Blu-ray, DVB), or a kind FFmpeg cannot decode. None for text subtitles.
std::optional<QString> unusableSubtitles(int codecId);

// The words a cue shows, as the learner reads them: no ASS override blocks ("{\an8}", "{\i1}") or
// drawings, no HTML-like tags ("<i>", "<font …>"), entities decoded ("&amp;" → "&"), line breaks
// ("\N", "\n", real ones) and hard spaces ("\h") as single spaces, trimmed.
QString cleanCueText(const QString& decoded);

// The cues worth saying, in time order: cleaned, those without a letter or digit dropped, those
// starting at or after `duration` dropped and the rest ending by it, identical repeats dropped,
// overlapping cues ordered by start. A cue without an end ends at the next cue's start.
std::vector<SubtitleCue> spokenCues(std::vector<SubtitleCue> cues, double duration);

// Joins spoken cues into sentences with the cues' times: a sentence ends with a cue whose text ends
// a sentence (TranscriptSplitter::endsSentence), before a gap longer than `rules.pauseBreak`, and
// before a cue that would make it span more than `rules.maxLength` (a cue is never cut). Texts are
// joined with `rules.joiner`.
std::vector<Sentence> cueSentences(const std::vector<SubtitleCue>& cues,
                                   const TranscriptSplitter& rules);

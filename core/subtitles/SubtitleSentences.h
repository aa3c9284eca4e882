#pragma once

#include "base/QuellinError.h"
#include "base/Sentence.h"
#include "media/EnergyProfile.h"
#include "subtitles/SubtitleTrack.h"

#include <stop_token>
#include <vector>

// Why a subtitle track gives no sentences, in the user's terms: the file is not text, cannot be
// read, or holds no cue with words.
class SubtitleError final : public QuellinError {
public:
    using QuellinError::QuellinError;
};

// The sentences of a subtitle track, fitted to the sound. Worker thread (it reads the file and may
// take a while for a long film); call it after opening, with the sound's energy profile.
//
// Cues are read with FFmpeg (legacy encodings detected and converted), their text cleaned (no
// markup, override tags or line breaks; entities decoded), cues without words or past the sound's
// end dropped, then joined into sentences the way TranscriptSplitter groups words: until the text
// ends a sentence, never across a pause longer than its pauseBreak nor past its maxLength (a cue is
// never cut). Each sentence's edges are then moved to where its speech starts and ends
// (SpeechEdges). Sentences are in time order, with text, not hard, not overlapping.
//
// Throws SubtitleError; OperationCancelled when `stop` is requested.
std::vector<Sentence> subtitleSentences(const SubtitleTrack& track, const EnergyProfile& profile,
                                        std::stop_token stop = {});

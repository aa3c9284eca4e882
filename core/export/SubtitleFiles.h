#pragma once

#include "base/Sentence.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Sentences as subtitle files (UTF-8). Each cue is titled with the sentence's text, or
// "Sentence N" as in the sentence list, N being `number` (1 for the file's first sentence).
namespace SubtitleFiles {

struct Cue {
    qsizetype number = 0;
    Sentence sentence;
};

QByteArray srt(const std::vector<Cue>& cues);
QByteArray vtt(const std::vector<Cue>& cues);
// The sentences numbered from 1 in order.
std::vector<Cue> numbered(const std::vector<Sentence>& sentences);

// A cue's title: one line of text, never empty.
QString title(const Cue& cue);
// "hh:mm:ss,mmm" (SubRip) or "hh:mm:ss.mmm" (WebVTT), rounded to the millisecond.
QString time(double seconds, QChar decimal = QLatin1Char(','));

} // namespace SubtitleFiles

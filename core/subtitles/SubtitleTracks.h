#pragma once

#include "subtitles/SubtitleTrack.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Finding the subtitles of a media file and choosing among them. Plain functions of the file system
// and the media file's header; any thread (finding reads files: call it off the main thread for
// media on slow disks). None of them throws: what cannot be read is left out.

// The subtitle files beside the media (same base name, .srt .vtt .ass .ssa, optionally with a
// language tag: "talk.es.srt", "talk.pt-BR.vtt", "talk.eng.srt"), sorted by file name, then the
// subtitle streams inside the media in stream order, bitmap ones marked unusable.
std::vector<SubtitleTrack> findSubtitleTracks(const QString& mediaPath);

// A subtitle file the user chose or dropped; its language from a tag in its name, as beside.
SubtitleTrack addedSubtitleTrack(const QString& subtitlePath);

// The track to use when a file is opened: among the usable tracks, the first whose language
// matches the recognition language (its bare language code, "en" for "en-US"), else the first file
// beside the media (or added), else the first stream inside. None when no track is usable.
std::optional<SubtitleTrack> preferredSubtitleTrack(const std::vector<SubtitleTrack>& tracks,
                                                    const QString& recognitionLanguage);

// The track a session's split method names (SplitMethod::TextSource::source), if still found.
std::optional<SubtitleTrack> trackForSource(const std::vector<SubtitleTrack>& tracks,
                                            const QString& source);

// The BCP 47 code for a language tag written as BCP 47 ("pt-BR", "es") or ISO 639-2 ("eng",
// "ger"), in canonical case; empty when the tag names no language.
QString subtitleLanguage(const QString& tag);

// The subtitle files read, as file name patterns (case-insensitive): those looked for beside the
// media, the file dialog's filter, and what a file dropped on the window is taken for.
QStringList subtitleFilePatterns();

#pragma once

#include <QString>

#include <functional>
#include <stop_token>

// Turns a media file into a file the player can play: the file itself when it is plain audio,
// otherwise its first sound track converted once to mono AAC in a cache folder.
//
// Both operations are synchronous and long (run them off the main thread); they report progress
// as a fraction in 0…1 through `progress` (called on the working thread) and throw
// OperationCancelled when `stop` is requested. Failures throw MediaError.
namespace MediaSource {

using Progress = std::function<void(double)>;

// The file the player should open for `path`: `path` itself when it opens as an audio file
// (an audio stream, no video besides cover art, at least one decodable sample, extension none
// of mp4, m4v, mov), else the cached extraction in `cacheFolder`, extracted first when there is
// none that opens.
QString playableAudio(const QString& path, const QString& cacheFolder, std::stop_token stop = {},
                      const Progress& progress = {});

// Writes the first sound track of `from` to `to` as mono 44.1 kHz AAC at 128 kb/s. Writes a
// partial file of its own, X.<random>.partial.m4a beside the destination X.m4a, and when it is
// complete replaces `to` with it in one step, so `to` never holds a half-written file and
// extractions of the same file at once (also from other processes) each succeed. A failed or
// cancelled extraction removes its partial file; one that crashed leaves it to the next
// extraction to `to`, which removes it once it is unlocked and a minute old.
void extractAudio(const QString& from, const QString& to, std::stop_token stop = {},
                  const Progress& progress = {});

// Whether `path` opens as an audio file, leaving the extension aside.
bool opensAsAudio(const QString& path, std::stop_token stop = {});

// Whether the extension marks a video container whose sound track is always extracted.
bool isVideoContainer(const QString& path);

// The cache file name for a media file of `size` bytes: its Locations::mediaKey with ".m4a".
QString cacheName(const QString& path, qint64 size);
// The same for the file's size now (0 when it does not exist).
QString cacheName(const QString& path);

} // namespace MediaSource

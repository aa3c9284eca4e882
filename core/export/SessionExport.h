#pragma once

#include "base/QuellinError.h"
#include "session/Session.h"
#include "session/SessionStore.h"

#include <QString>

#include <functional>
#include <optional>
#include <stop_token>

// Exports the sentences of a session for use elsewhere:
// - anki: a folder holding "notes.txt" (tab-separated, as Anki imports it: text, the sentence's
//   sound, the take's sound when there is one, source file and time, tags) and an MP3 per sentence
//   and take, named after the session so that they never clash in Anki's media folder; for a
//   video, a sixth column shows the picture at the sentence's start (a JPEG beside the sounds);
// - srt, vtt: one subtitle file;
// - clips: a folder with one MP3 per sentence, named by number, time and its first words.
// The export is one new item in `folder`, "<media name>.srt" or "<media name> – Anki" and so on
// (numbered when taken), written under a hidden partial name and renamed when complete: a failure
// or stop leaves nothing behind. Synchronous and long: run it off the main thread.
namespace SessionExport {

enum class Kind { anki, srt, vtt, clips };
std::optional<Kind> kindNamed(const QString& name); // "anki", "srt", "vtt", "clips"

struct Request {
    Kind kind = Kind::anki;
    bool hardOnly = false;
    QString folder; // where the export goes; created when missing
};

// Why an export could not be written, in the user's terms.
class ExportError final : public QuellinError {
public:
    using QuellinError::QuellinError;
};

// `store` finds the takes. Gives the path of the item written. `progress` receives the fraction
// done (0…1) on the calling thread. Throws ExportError, MediaError (the media file cannot be
// read), and OperationCancelled once `stop` is requested.
QString run(const Session& session, const SessionStore& store, const Request& request,
            std::stop_token stop = {}, const std::function<void(double)>& progress = {});

} // namespace SessionExport

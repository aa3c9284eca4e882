#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// Where Quellin keeps its files, and the names it gives them. The window and quellin-cli both
// ask here, so that they read and write the same files. On Linux:
//   preferences           $XDG_CONFIG_HOME/Quellin/Quellin.conf
//   sessions and takes    $XDG_DATA_HOME/Quellin/Sessions
//   recognition models    $XDG_DATA_HOME/Quellin/Models/<language>
//   converted sound       $XDG_CACHE_HOME/Quellin/Audio
// The folders are not created here; whoever writes into one creates it. Callable from any thread.
namespace Locations {

// The user's preferences, opened afresh. Named by organisation and application rather than by
// the running program's names, so that every program of Quellin finds the same file.
std::unique_ptr<QSettings> userSettings();
// The preference keys: the recognition language last chosen, and the practice settings last
// chosen (compact JSON of PracticeSettings).
inline const QString languageKey = QStringLiteral("language");
inline const QString practiceSettingsKey = QStringLiteral("settings");
// Whether the attempt cards draw the melody lines (true when absent).
inline const QString showIntonationKey = QStringLiteral("showIntonation");
// Whether the practice view shows the picture of a video or the cover of audio (true when absent).
inline const QString showPictureKey = QStringLiteral("showPicture");
// The language stored under `languageKey`, if any.
std::optional<QString> savedLanguage(const QSettings& settings);

QString sessionsFolder();
QString modelFolder(const QString& language);

// A media file’s path as sessions know it: absolute, with "." and ".."
// resolved but links kept.
QString canonicalMediaPath(const QString& path);
// Names a media file’s session: StableHash of "path|size", with the
// path in its canonical form and the size in bytes.
QString mediaKey(const QString& path, qint64 size);

} // namespace Locations

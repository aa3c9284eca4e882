#pragma once

#include <QLoggingCategory>

// The logging categories, one per subsystem, all named "quellin.<subsystem>". Debug lines are
// off by default; a user turns them on for a bug report with
//   QT_LOGGING_RULES="quellin.*=true" quellin
// Every failure that is dropped by design (a session that cannot be saved, a cache file that
// cannot be removed, a take that cannot be analysed) leaves a qCDebug line in its category.
// Thread-safe: the categories are created once and only read afterwards.

Q_DECLARE_LOGGING_CATEGORY(lcMedia)    // quellin.media: decoding, the audio cache, energy
Q_DECLARE_LOGGING_CATEGORY(lcSession)  // quellin.session: session files, recent files
Q_DECLARE_LOGGING_CATEGORY(lcSplit)    // quellin.split: finding sentences
Q_DECLARE_LOGGING_CATEGORY(lcPractice) // quellin.practice: the practice loop, takes
Q_DECLARE_LOGGING_CATEGORY(lcAudio)    // quellin.audio: playing and recording devices
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)   // quellin.speech: the recogniser and its models
Q_DECLARE_LOGGING_CATEGORY(lcModel)    // quellin.model: the window's state and its tasks
Q_DECLARE_LOGGING_CATEGORY(lcUi)       // quellin.ui: views
Q_DECLARE_LOGGING_CATEGORY(lcShell)    // quellin.shell: start-up, single instance, signals
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)   // quellin.update: the update check
Q_DECLARE_LOGGING_CATEGORY(lcCli)      // quellin.cli: the command-line tool

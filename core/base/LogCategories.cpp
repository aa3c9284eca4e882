#include "base/LogCategories.h"

// Info and above by default: debug lines only when asked for.
Q_LOGGING_CATEGORY(lcMedia, "quellin.media", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSession, "quellin.session", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSplit, "quellin.split", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPractice, "quellin.practice", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAudio, "quellin.audio", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSpeech, "quellin.speech", QtInfoMsg)
Q_LOGGING_CATEGORY(lcModel, "quellin.model", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "quellin.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcShell, "quellin.shell", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUpdate, "quellin.update", QtInfoMsg)
Q_LOGGING_CATEGORY(lcCli, "quellin.cli", QtInfoMsg)

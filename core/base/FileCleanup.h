#pragma once

#include <QLoggingCategory>
#include <QString>

// Removing files that are no longer wanted (partial files, sockets, stale sessions), where a
// failure is dropped by design: nobody waits for the removal, and a file left behind costs only
// disk space. Any thread.
namespace FileCleanup {

// A logging category as Q_LOGGING_CATEGORY declares it, e.g. lcMedia.
using Category = QMessageLogger::CategoryFunction;

// Removes `path`. A file that is already gone counts as removed; one that stays (no permission, a
// read-only disk) leaves a debug line in `category` with the reason. Whether the file is gone.
bool remove(const QString& path, Category category);

} // namespace FileCleanup

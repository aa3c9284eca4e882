#pragma once

#include <QString>
#include <QStringList>

// The files named on the command line (`quellin FILE…`, also as file:// URLs from a desktop
// launcher), as absolute paths. Options are skipped; "--" ends them.
namespace LaunchFiles {

QStringList fromArguments(const QStringList& arguments, const QString& workingFolder);

} // namespace LaunchFiles

#include "base/FileCleanup.h"

#include <QFile>

namespace FileCleanup {

bool remove(const QString& path, Category category) {
    QFile file(path);
    if (!file.exists() || file.remove())
        return true;
    qCDebug(category) << "couldn't remove" << path << "-" << file.errorString();
    return false;
}

} // namespace FileCleanup

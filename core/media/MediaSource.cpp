#include "media/MediaSource.h"

#include "base/FileCleanup.h"
#include "base/Locations.h"
#include "base/LogCategories.h"
#include "media/AacWriter.h"
#include "media/AudioDecoder.h"
#include "media/MediaError.h"
#include "media/ProgressReporter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/file.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

namespace MediaSource {

namespace {

// The partial file of destination X.m4a with this tag: X.<tag>.partial.m4a.
QString partialPath(const QString& destination, const QString& tag) {
    const QFileInfo info(destination);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + tag +
                               QStringLiteral(".partial.m4a"));
}

// This extraction's own partial file, under a random tag: extractions of the same file at once
// (a cancelled one still winding down, the window and quellin-cli) never write into or remove
// each other's. Locked from just after the writer creates it, so that a later extraction can
// tell it from one a crash left behind; removed unless moved into place.
class PartialFile {
public:
    explicit PartialFile(const QString& destination)
        : m_path(partialPath(destination,
                             QString::number(QRandomGenerator::global()->generate64(), 16))) {}
    ~PartialFile() {
        if (!m_path.isEmpty())
            FileCleanup::remove(m_path, lcMedia);
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const QString& path() const { return m_path; }

    // Once the file exists. Without the lock (a file system without locks) the file is still
    // safe for as long as it keeps being written.
    void lock() {
        m_lock.setFileName(m_path);
        if (!m_lock.open(QIODevice::ReadOnly))
            qCDebug(lcMedia) << "couldn't open" << m_path << "to lock it -" << m_lock.errorString();
        else if (::flock(m_lock.handle(), LOCK_EX | LOCK_NB) != 0)
            qCDebug(lcMedia) << "couldn't lock" << m_path << "-" << qt_error_string(errno);
    }

    // Replaces the destination in one step: whoever opens it meanwhile gets the old file or the
    // new one, never a half-written one or none.
    void moveTo(const QString& destination) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_path).toStdString(),
                                QFile::encodeName(destination).toStdString(), error);
        if (error)
            throw MediaError::failed(
                QStringLiteral("The converted sound track couldn’t be moved into place (%1).")
                    .arg(QDir::toNativeSeparators(destination)));
        m_path.clear();
    }

private:
    QString m_path;
    QFile m_lock;
};

// Removes the partial files of `destination` that crashed extractions left: unlocked, and
// untouched for a minute (a running extraction locks its file moments after creating it).
void removeAbandonedPartials(const QString& destination) {
    const QFileInfo info(destination);
    const QDateTime recent = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QStringList pattern{QFileInfo(partialPath(destination, QStringLiteral("*"))).fileName()};
    for (const QFileInfo& file : info.dir().entryInfoList(pattern, QDir::Files)) {
        QFile partial(file.filePath());
        if (file.lastModified() < recent && partial.open(QIODevice::ReadOnly) &&
            ::flock(partial.handle(), LOCK_EX | LOCK_NB) == 0)
            FileCleanup::remove(file.filePath(), lcMedia);
    }
}

} // namespace

bool isVideoContainer(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == u"mp4" || extension == u"m4v" || extension == u"mov";
}

QString cacheName(const QString& path, qint64 size) {
    return Locations::mediaKey(path, size) + QStringLiteral(".m4a");
}

QString cacheName(const QString& path) {
    const QFileInfo info(path);
    return cacheName(path, info.exists() ? info.size() : 0);
}

bool opensAsAudio(const QString& path, std::stop_token stop) {
    try {
        AudioDecoder decoder(path, std::nullopt, std::move(stop));
        if (decoder.hasVideo())
            return false;
        std::vector<float> frame(size_t(decoder.format().channels));
        return decoder.read(frame.data(), 1) == 1;
    } catch (const MediaError& error) {
        qCDebug(lcMedia) << path << "doesn't open as audio:" << error.description();
        return false;
    }
}

QString playableAudio(const QString& path, const QString& cacheFolder, std::stop_token stop,
                      const Progress& progress) {
    ProgressReporter reporter(progress);
    if (!isVideoContainer(path) && opensAsAudio(path, stop)) {
        reporter.report(1.0);
        return path;
    }
    const QString cached = QDir(cacheFolder).filePath(cacheName(path));
    if (opensAsAudio(cached, stop)) {
        reporter.report(1.0);
        return cached;
    }
    if (!QDir().mkpath(cacheFolder))
        throw MediaError::failed(
            QStringLiteral("The folder for converted sound tracks couldn’t be created (%1).")
                .arg(QDir::toNativeSeparators(cacheFolder)));
    extractAudio(path, cached, std::move(stop), progress);
    return cached;
}

void extractAudio(const QString& from, const QString& to, std::stop_token stop,
                  const Progress& progress) {
    constexpr AudioFormat format{44100, 1};
    AudioDecoder decoder(from, format, stop);

    removeAbandonedPartials(to);
    PartialFile partial(to);
    ProgressReporter reporter(progress);
    const std::optional<qint64> length = decoder.lengthFrames();
    {
        AacWriter writer(partial.path(), format, 128000);
        partial.lock();
        std::vector<float> block(8192);
        while (const qint64 frames = decoder.read(block.data(), qint64(block.size()))) {
            writer.write(block.data(), frames);
            if (length && *length > 0)
                reporter.report(double(decoder.position()) / double(*length));
        }
        if (writer.framesWritten() == 0)
            throw MediaError::noAudio();
        if (stop.stop_requested())
            throw OperationCancelled();
        writer.finish();
    }
    partial.moveTo(to);
    reporter.report(1.0);
}

} // namespace MediaSource

#include "media/MediaSource.h"

#include "media/AacWriter.h"
#include "media/AudioDecoder.h"
#include "media/MediaError.h"
#include "media/ProgressReporter.h"
#include "media/StableHash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace MediaSource {

namespace {

// Removes a file when it goes out of scope unless released: a failed or cancelled extraction
// leaves nothing behind.
class RemoveUnlessKept {
public:
    explicit RemoveUnlessKept(QString path) : m_path(std::move(path)) {}
    ~RemoveUnlessKept() {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    void keep() { m_path.clear(); }

private:
    QString m_path;
};

} // namespace

bool isVideoContainer(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == u"mp4" || extension == u"m4v" || extension == u"mov";
}

QString cacheName(const QString& path) {
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : 0;
    return StableHash::hex(path + QLatin1Char('|') + QString::number(size)) +
           QStringLiteral(".m4a");
}

QString partialPath(const QString& destination) {
    const QFileInfo info(destination);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".partial.m4a"));
}

bool opensAsAudio(const QString& path, std::stop_token stop) {
    try {
        AudioDecoder decoder(path, std::nullopt, std::move(stop));
        if (decoder.hasVideo())
            return false;
        std::vector<float> frame(size_t(decoder.format().channels));
        return decoder.read(frame.data(), 1) == 1;
    } catch (const MediaError&) {
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

    const QString partial = partialPath(to);
    QFile::remove(to);
    QFile::remove(partial);

    ProgressReporter reporter(progress);
    const std::optional<qint64> length = decoder.lengthFrames();
    RemoveUnlessKept cleanup(partial);
    {
        AacWriter writer(partial, format, 128000);
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
    if (!QFile::rename(partial, to))
        throw MediaError::failed(
            QStringLiteral("The converted sound track couldn’t be moved into place (%1).")
                .arg(QDir::toNativeSeparators(to)));
    cleanup.keep();
    reporter.report(1.0);
}

} // namespace MediaSource

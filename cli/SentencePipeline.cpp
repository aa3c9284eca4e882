#include "SentencePipeline.h"

#include "media/MediaSource.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SentencePipeline::canonicalPath(const QString& file) {
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

QString SentencePipeline::standardCacheFolder() {
    if (QCoreApplication::applicationName() != u"Quellin")
        QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("Audio"));
}

std::vector<Sentence> SentencePipeline::pauseSplit(const EnergyProfile& profile) {
    std::vector<Sentence> sentences;
    for (const TimeRange& range : SilenceSplitter().split(profile))
        sentences.emplace_back(range.start, range.end);
    return sentences;
}

SentencePipeline::Result SentencePipeline::run(std::stop_token stop,
                                               const Progress& progress) const {
    const auto report = [&](Stage stage) {
        return [&progress, stage](double fraction) {
            if (progress)
                progress(stage, fraction);
        };
    };
    Result result;
    const QString path = canonicalPath(m_options.file);
    result.playable =
        MediaSource::playableAudio(path, m_options.cacheFolder, stop, report(Stage::converting));
    result.profile = EnergyProfile::read(result.playable, 0.01, stop, report(Stage::reading));
    result.duration = result.profile.duration();
    result.sentences = pauseSplit(result.profile);
    result.method = SplitMethod::pauses();
    if (!m_options.pausesOnly)
        findSentences(result, stop, progress);
    return result;
}

void SentencePipeline::findSentences(Result& result, std::stop_token, const Progress&) const {
    result.notice = QStringLiteral(
        "Speech recognition isn’t available in quellin-cli yet, so sentences are split at pauses "
        "(no transcript).");
}

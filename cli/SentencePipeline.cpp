#include "SentencePipeline.h"

#include "media/MediaSource.h"
#include "speech/ListeningModel.h"
#include "speech/SentenceFinder.h"
#include "speech/WaitForTask.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Hands the seconds recognised so far on as the listening stage's progress.
class ListeningProgress final : public QObject, public ListeningModel {
    Q_OBJECT
    Q_INTERFACES(ListeningModel)

public:
    ListeningProgress(double duration, const SentencePipeline::Progress& progress)
        : m_duration(duration), m_progress(progress) {}

    std::optional<double> listeningProgress() const override { return m_seconds; }
    void setListeningProgress(double seconds) override {
        m_seconds = seconds;
        if (m_progress && m_duration > 0)
            m_progress(SentencePipeline::Stage::listening, std::min(1.0, seconds / m_duration));
    }
    void startListening() override { setListeningProgress(0); }

private:
    double m_duration;
    const SentencePipeline::Progress& m_progress;
    double m_seconds = 0;
};

} // namespace

QString SentencePipeline::canonicalPath(const QString& file) {
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

QString SentencePipeline::standardCacheFolder() {
    if (QCoreApplication::applicationName() != u"Quellin")
        QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("Audio"));
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
    result.sentences = SilenceSplitter().sentences(result.profile);
    result.method = SplitMethod::pauses();
    if (!m_options.pausesOnly)
        findSentences(result, stop, progress);
    return result;
}

std::optional<QString> SentencePipeline::savedLanguage() {
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                             QStringLiteral("Quellin"), QStringLiteral("Quellin"));
    const QVariant saved = settings.value(QStringLiteral("language"));
    return saved.isValid() ? std::optional(saved.toString()) : std::nullopt;
}

void SentencePipeline::findSentences(Result& result, std::stop_token stop,
                                     const Progress& progress) const {
    // Recognition reports to the thread it was started on: this one runs an event loop until
    // recognition has ended.
    Transcriber transcriber;
    const QString language =
        m_options.language.value_or(transcriber.preferredLanguage(savedLanguage()));
    ListeningProgress listening(result.duration, progress);
    const SentenceFinder::Outcome outcome = waitForTask(
        SentenceFinder::find(&transcriber, result.playable, language, result.duration,
                             SilenceSplitter::soundStretches(result.profile), &listening, stop));
    if (outcome.sentences) {
        result.sentences = *outcome.sentences;
        result.method = SplitMethod::speech(language);
    }
    result.notice = outcome.notice;
}

#include "SentencePipeline.moc"

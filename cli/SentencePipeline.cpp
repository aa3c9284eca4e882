#include "SentencePipeline.h"

#include "base/Locations.h"
#include "media/SoundOpening.h"
#include "speech/ListeningModel.h"
#include "speech/SentenceSource.h"
#include "speech/WaitForTask.h"
#include "split/SilenceSplitter.h"

#include <QSettings>

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

SentencePipeline::Result SentencePipeline::run(std::stop_token stop,
                                               const Progress& progress) const {
    std::function<void(double)> reading;
    if (progress)
        reading = [&progress](double fraction) { progress(Stage::reading, fraction); };
    OpenedSound sound =
        SoundOpening::open(Locations::canonicalMediaPath(m_options.file), stop, reading);
    Result result;
    result.playable = std::move(sound.playable);
    result.profile = std::move(sound.profile);
    result.duration = result.profile.duration();
    result.sentences = SilenceSplitter().sentences(result.profile);
    result.method = SplitMethod::pauses();
    if (!m_options.pausesOnly)
        findSentences(result, stop, progress);
    return result;
}

void SentencePipeline::findSentences(Result& result, std::stop_token stop,
                                     const Progress& progress) const {
    // Recognition reports to the thread it was started on: this one runs an event loop until
    // recognition has ended.
    Transcriber transcriber;
    const QString language = m_options.language.value_or(
        transcriber.preferredLanguage(Locations::savedLanguage(*Locations::userSettings())));
    ListeningProgress listening(result.duration, progress);
    SpeechSentences speech(&transcriber, language, &listening);
    SentenceSource& source = speech;
    SentenceSource::Found found =
        waitForTask(source.find(result.playable, result.duration, result.profile, stop));
    if (found.sentences) {
        result.sentences = std::move(*found.sentences);
        result.method = found.method;
    }
    result.notice = found.notice;
}

#include "SentencePipeline.moc"

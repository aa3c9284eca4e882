#include "speech/PocketSphinxEngine.h"

#include "base/LogCategories.h"
#include "speech/SphinxDecoderPool.h"
#include "speech/SphinxRecognition.h"

#include "base/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

#include <unistd.h>

namespace {

// Debian's pocketsphinx-en-us.
const QString debianEnglish = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

// What the user holds on to: cancelling or dropping it cancels the recognition, which the engine
// keeps until its threads have ended.
class RecognitionHandle final : public RecognitionTask {
public:
    explicit RecognitionHandle(std::shared_ptr<SphinxRecognition> recognition)
        : m_recognition(std::move(recognition)) {}
    ~RecognitionHandle() override { cancel(); }
    void cancel() override {
        if (m_recognition)
            m_recognition->cancel();
    }
    void focus(double seconds) override {
        if (m_recognition)
            m_recognition->focus(seconds);
    }

private:
    std::shared_ptr<SphinxRecognition> m_recognition;
};

QString firstFile(const QDir& folder, const QStringList& patterns, const QString& unwanted = {}) {
    for (const QFileInfo& file : folder.entryInfoList(patterns, QDir::Files, QDir::Name)) {
        if (unwanted.isEmpty() || !file.fileName().contains(unwanted))
            return file.filePath();
    }
    return {};
}

// The process's resident memory now, or 0 where it can't be read.
double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024)
                            : 0;
}

} // namespace

int PocketSphinxEngine::decodersWithin(double processMegabytes, int cores) {
    const int fit = int((memoryBudgetMegabytes - processMegabytes) / decoderMegabytes);
    return std::clamp(fit, 1, std::max(1, cores));
}

PocketSphinxEngine::PocketSphinxEngine(int decoders)
    : m_decoders(decoders > 0 ? decoders
                              : decodersWithin(residentMegabytes(), QThread::idealThreadCount())),
      m_pool(std::make_unique<SphinxDecoderPool>(size_t(m_decoders))) {}

PocketSphinxEngine::~PocketSphinxEngine() {
    std::lock_guard lock(m_mutex);
    // Every one is told first, so that they all wind down at once; the holders of a recognition
    // may keep it, but none of its threads runs on after the engine.
    for (const auto& recognition : m_recognitions)
        recognition->cancel();
    for (const auto& recognition : m_recognitions)
        recognition->stopAndWait();
    m_recognitions.clear();
}

QStringList PocketSphinxEngine::supportedLanguages() const {
    return publishedLanguages();
}

QStringList PocketSphinxEngine::publishedLanguages() {
    return {QStringLiteral("en-US"), QStringLiteral("de-DE"), QStringLiteral("fr-FR"),
            QStringLiteral("es-ES"), QStringLiteral("it-IT"), QStringLiteral("nl-NL"),
            QStringLiteral("pt-BR"), QStringLiteral("ru-RU"), QStringLiteral("zh-CN")};
}

bool PocketSphinxEngine::isOnDevice(const QString& language) const {
    return model(language).has_value();
}

QString PocketSphinxEngine::modelFolder(const QString& language) const {
    return Locations::modelFolder(language);
}

std::optional<SphinxDecoder::Model> PocketSphinxEngine::model(const QString& language) const {
    return installedModel(language);
}

std::optional<SphinxDecoder::Model> PocketSphinxEngine::installedModel(const QString& language) {
    if (!publishedLanguages().contains(language))
        return std::nullopt;
    if (auto found = modelIn(Locations::modelFolder(language)))
        return found;
    if (language == QStringLiteral("en-US"))
        return modelIn(debianEnglish);
    return std::nullopt;
}

std::optional<SphinxDecoder::Model> PocketSphinxEngine::modelIn(const QString& path) {
    const QDir folder(path);
    if (!folder.exists())
        return std::nullopt;
    SphinxDecoder::Model model;
    if (QFileInfo::exists(folder.filePath(QStringLiteral("mdef")))) {
        model.acousticModel = folder.path();
    } else {
        for (const QFileInfo& sub :
             folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (QFileInfo::exists(QDir(sub.filePath()).filePath(QStringLiteral("mdef")))) {
                model.acousticModel = sub.filePath();
                break;
            }
        }
    }
    // Debian's folder also holds a phonetic language model, which recognises no words.
    model.languageModel = firstFile(
        folder, {QStringLiteral("*.lm.bin"), QStringLiteral("*.lm"), QStringLiteral("*.lm.DMP")},
        QStringLiteral("-phone"));
    model.dictionary = firstFile(folder, {QStringLiteral("*.dict")});
    if (model.acousticModel.isEmpty() || model.languageModel.isEmpty() ||
        model.dictionary.isEmpty()) {
        qCDebug(lcSpeech) << path << "holds no complete model: acoustic model"
                          << model.acousticModel << "language model" << model.languageModel
                          << "dictionary" << model.dictionary;
        return std::nullopt;
    }
    return model;
}

std::unique_ptr<RecognitionTask> PocketSphinxEngine::start(const QString& path,
                                                           const QString& language, double from,
                                                           RecognitionDelegate delegate) {
    const std::optional<SphinxDecoder::Model> found = model(language);
    if (!found) {
        delegate.finished(false,
                          QCoreApplication::translate("PocketSphinxEngine",
                                                      "No speech model for %1 was found in %2.")
                              .arg(language, modelFolder(language)));
        return std::make_unique<RecognitionHandle>(nullptr);
    }
    auto recognition = std::make_shared<SphinxRecognition>(path, *found, m_decoders, *m_pool,
                                                           std::move(delegate), from);
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_recognitions, [](const auto& r) { return r->isDone(); });
        m_recognitions.push_back(recognition);
    }
    recognition->start();
    return std::make_unique<RecognitionHandle>(recognition);
}

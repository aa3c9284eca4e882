#include "BenchModel.h"

#include "audio/ClockedAudioDevices.h"
#include "audio/Player.h"
#include "audio/Recorder.h"
#include "model/FileChooser.h"
#include "speech/ScriptedEngine.h"
#include "speech/SpeechAuthorizer.h"
#include "speech/Transcriber.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>

namespace {

class RefusingAuthorizer final : public SpeechAuthorizer {
public:
    QCoro::Task<bool> authorize() override { co_return false; }
};

class NoChooser final : public FileChooser {
public:
    std::optional<QString> chooseMediaFile(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseSubtitleFile(const QString&) override { return std::nullopt; }
};

} // namespace

namespace BenchModel {

std::unique_ptr<AppModel> make(const QTemporaryDir& dir, std::unique_ptr<Transcriber> transcriber) {
    auto devices = std::make_shared<ClockedAudioDevices>();
    AppModel::Services services;
    services.player = std::make_unique<Player>(devices);
    services.recorder = std::make_unique<Recorder>(devices);
    services.transcriber =
        transcriber ? std::move(transcriber)
                    : std::make_unique<Transcriber>(std::make_unique<ScriptedEngine>(),
                                                    std::make_unique<RefusingAuthorizer>());
    services.defaults = std::make_unique<QSettings>(dir.filePath(QStringLiteral("Quellin.conf")),
                                                    QSettings::IniFormat);
    services.fileChooser = std::make_unique<NoChooser>();
    return std::make_unique<AppModel>(SessionStore(dir.filePath(QStringLiteral("Sessions"))), false,
                                      std::move(services));
}

void waitUntil(AppModel& model, const std::function<bool()>& done) {
    while (!done()) {
        if (model.error()) {
            std::fprintf(stderr, "bench: %s\n", qPrintable(*model.error()));
            std::exit(1);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

} // namespace BenchModel

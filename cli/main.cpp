#include "AttemptCommand.h"
#include "CliArguments.h"
#include "FrameCommand.h"
#include "SentenceOutput.h"
#include "SentencePipeline.h"

#include "base/Locations.h"
#include "base/QuellinError.h"
#include "base/Translations.h"
#include "export/SessionExport.h"
#include "session/SessionStore.h"
#include "speech/Transcriber.h"
#include "subtitles/SubtitleTracks.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onSignal(int) {
    interrupted = 1;
}

void printTo(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// One self-overwriting line of progress on a terminal.
class ProgressLine {
public:
    void show(SentencePipeline::Stage stage, double fraction) {
        const int percent = int(fraction * 100);
        if (stage == m_stage && percent == m_percent)
            return;
        m_stage = stage;
        m_percent = percent;
        printTo(stderr, QStringLiteral("\r\033[K%1 %2%").arg(label(stage)).arg(percent));
    }
    void clear() {
        if (m_percent >= 0)
            printTo(stderr, QStringLiteral("\r\033[K"));
    }

private:
    static QString label(SentencePipeline::Stage stage) {
        switch (stage) {
        case SentencePipeline::Stage::reading:
            return QCoreApplication::translate("quellin-cli", "Reading the sound…");
        case SentencePipeline::Stage::listening:
            return QCoreApplication::translate("quellin-cli", "Listening for sentences…");
        case SentencePipeline::Stage::aligning:
            return QCoreApplication::translate("quellin-cli", "Aligning the transcript…");
        }
        return {};
    }
    SentencePipeline::Stage m_stage = SentencePipeline::Stage::reading;
    int m_percent = -1;
};

QString couldNotOpen() {
    return QCoreApplication::translate("quellin-cli", "Couldn’t open “%1”: %2");
}

// Runs `work` on a thread of its own so that Ctrl+C can stop it cleanly (no partial files); gives
// what it threw.
std::exception_ptr runStoppable(const std::function<void(std::stop_token)>& work) {
    std::stop_source stop;
    std::exception_ptr failure;
    std::atomic<bool> finished = false;
    std::jthread worker([&] {
        try {
            work(stop.get_token());
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    while (!finished) {
        if (interrupted)
            stop.request_stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return failure;
}

// The exit status of a failure, said on stderr as `message` ("Couldn’t open “%1”: %2") with the
// file's name and why; 0 for none.
int exitStatus(std::exception_ptr failure, const QString& message, const QString& file) {
    const QString name = QFileInfo(file).fileName();
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const OperationCancelled&) {
        return 130;
    } catch (const QuellinError& error) {
        printTo(stderr, message.arg(name, error.description()) + u'\n');
        return 1;
    } catch (const std::exception& error) {
        printTo(stderr, message.arg(name, QString::fromLocal8Bit(error.what())) + u'\n');
        return 1;
    }
    return 0;
}

int sentences(const CliArguments::Sentences& arguments) {
    SentencePipeline pipeline({arguments.file, arguments.pausesOnly, arguments.language,
                               arguments.subtitles, arguments.transcript});
    ProgressLine line;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    SentencePipeline::Progress progress;
    if (terminal)
        progress = [&line](SentencePipeline::Stage stage, double f) { line.show(stage, f); };

    std::optional<SentencePipeline::Result> result;
    const std::exception_ptr failure =
        runStoppable([&](std::stop_token stop) { result = pipeline.run(stop, progress); });
    line.clear();
    if (const int status = exitStatus(failure, couldNotOpen(), arguments.file))
        return status;
    const QByteArray out = SentenceOutput::render(arguments.format, *result);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    if (result->notice && arguments.format != SentenceOutput::Format::json)
        printTo(stderr, *result->notice + QLatin1Char('\n'));
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Exports the window's session of the file, or sentences found as `sentences` finds them when the
// file was never opened; prints where the export went.
int exportSentences(const CliArguments::Export& arguments) {
    QString written;
    const std::exception_ptr failure = runStoppable([&](std::stop_token stop) {
        const QString path = Locations::canonicalMediaPath(arguments.file);
        const QFileInfo info(path);
        const SessionStore store = SessionStore::standard();
        std::optional<Session> session = store.load(path, info.size());
        if (!session) {
            SentencePipeline::Options options;
            options.file = arguments.file;
            options.language = arguments.language;
            SentencePipeline::Result found = SentencePipeline(options).run(stop);
            session =
                Session(path, info.size(), found.duration, std::move(found.sentences), 0,
                        found.method, PracticeSettings(), false, QDateTime::currentDateTimeUtc());
        }
        written = SessionExport::run(*session, store, arguments.request, stop);
    });
    if (const int status = exitStatus(
            failure, QCoreApplication::translate("quellin-cli", "Couldn’t export “%1”: %2"),
            arguments.file))
        return status;
    printTo(stdout, written + QLatin1Char('\n'));
    return 0;
}

// One line a subtitle track, in the order found: source, language code ("-" when unknown), and
// "usable" or why not.
int subtitles(const CliArguments::Subtitles& arguments) {
    if (!QFileInfo(arguments.file).isFile()) {
        printTo(stderr, couldNotOpen().arg(
                            QFileInfo(arguments.file).fileName(),
                            QCoreApplication::translate("quellin-cli", "The file doesn’t exist.")) +
                            u'\n');
        return 1;
    }
    QString table;
    for (const SubtitleTrack& track :
         findSubtitleTracks(Locations::canonicalMediaPath(arguments.file)))
        table +=
            QStringLiteral("%1\t%2\t%3\n")
                .arg(track.source, track.language.isEmpty() ? QStringLiteral("-") : track.language,
                     track.unusable.value_or(QStringLiteral("usable")));
    printTo(stdout, table);
    return 0;
}

// One line a language: identifier, name, whether its model is installed, and its model folder.
int languages() {
    const Transcriber transcriber;
    QString table;
    for (const Transcriber::Language& language : transcriber.languages()) {
        table += QStringLiteral("%1\t%2\t%3\t%4\n")
                     .arg(language.id, language.name,
                          language.onDevice ? QStringLiteral("on device")
                                            : QStringLiteral("not on device"),
                          transcriber.modelFolder(language.id));
    }
    printTo(stdout, table);
    return 0;
}

// A command parsed apart from the others: a usage error exits with status 2 and its usage.
template <typename Arguments, typename UsageError>
int runParsed(const std::variant<Arguments, UsageError>& parsed, const QString& usage,
              int (*run)(const Arguments&)) {
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        printTo(stderr, QStringLiteral("quellin-cli: %1\n").arg(error->message) + usage);
        return 2;
    }
    return run(std::get<Arguments>(parsed));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUELLIN_VERSION));
    Translations::install();
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == u"attempt")
        return runParsed(AttemptCommand::parse(arguments), AttemptCommand::usage(),
                         &AttemptCommand::run);
    if (arguments.value(0) == u"frame")
        return runParsed(FrameCommand::parse(arguments), FrameCommand::usage(), &FrameCommand::run);
    const auto command = CliArguments::parse(arguments);
    if (std::holds_alternative<CliArguments::Help>(command)) {
        printTo(stdout, CliArguments::help());
        return 0;
    }
    if (std::holds_alternative<CliArguments::Version>(command)) {
        printTo(stdout,
                QStringLiteral("quellin-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (const auto* error = std::get_if<CliArguments::UsageError>(&command)) {
        printTo(stderr,
                QStringLiteral("quellin-cli: %1\n").arg(error->message) + CliArguments::usage());
        return 2;
    }
    if (std::holds_alternative<CliArguments::Languages>(command))
        return languages();
    if (const auto* request = std::get_if<CliArguments::Export>(&command))
        return exportSentences(*request);
    if (const auto* listing = std::get_if<CliArguments::Subtitles>(&command))
        return subtitles(*listing);
    return sentences(std::get<CliArguments::Sentences>(command));
}

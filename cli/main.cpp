#include "AttemptCommand.h"
#include "CliArguments.h"
#include "SentenceOutput.h"
#include "SentencePipeline.h"

#include "base/Locations.h"
#include "base/QuellinError.h"
#include "speech/Transcriber.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
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
            return QStringLiteral("Reading the sound…");
        case SentencePipeline::Stage::listening:
            return QStringLiteral("Listening for sentences…");
        }
        return {};
    }
    SentencePipeline::Stage m_stage = SentencePipeline::Stage::reading;
    int m_percent = -1;
};

int sentences(const CliArguments::Sentences& arguments) {
    SentencePipeline pipeline({arguments.file, arguments.pausesOnly, arguments.language});
    ProgressLine line;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    SentencePipeline::Progress progress;
    if (terminal)
        progress = [&line](SentencePipeline::Stage stage, double f) { line.show(stage, f); };

    // The work runs on a thread of its own so that Ctrl+C can stop it cleanly (no partial files).
    std::stop_source stop;
    std::optional<SentencePipeline::Result> result;
    std::exception_ptr failure;
    std::atomic<bool> finished = false;
    std::jthread worker([&] {
        try {
            result = pipeline.run(stop.get_token(), progress);
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
    worker.join();
    line.clear();

    const QString name = QFileInfo(arguments.file).fileName();
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const OperationCancelled&) {
        return 130;
    } catch (const QuellinError& error) {
        printTo(stderr, QStringLiteral("Couldn’t open “%1”: %2\n").arg(name, error.description()));
        return 1;
    } catch (const std::exception& error) {
        printTo(stderr, QStringLiteral("Couldn’t open “%1”: %2\n")
                            .arg(name, QString::fromLocal8Bit(error.what())));
        return 1;
    }
    const QByteArray out = SentenceOutput::render(arguments.format, *result);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    if (result->notice && arguments.format != SentenceOutput::Format::json)
        printTo(stderr, *result->notice + QLatin1Char('\n'));
    return std::fflush(stdout) == 0 ? 0 : 1;
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUELLIN_VERSION));
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == u"attempt") {
        const auto attempt = AttemptCommand::parse(arguments);
        if (const auto* error = std::get_if<AttemptCommand::UsageError>(&attempt)) {
            printTo(stderr, QStringLiteral("quellin-cli: %1\n").arg(error->message) +
                                AttemptCommand::usage());
            return 2;
        }
        return AttemptCommand::run(std::get<AttemptCommand::Arguments>(attempt));
    }
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
    return sentences(std::get<CliArguments::Sentences>(command));
}

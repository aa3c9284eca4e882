#include "shell/CommandLineHelp.h"

#include "base/Translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace CommandLineHelp {

namespace {

bool asks(int argc, char* argv[], std::initializer_list<const char*> names) {
    for (int index = 1; index < argc && std::strcmp(argv[index], "--") != 0; ++index)
        for (const char* name : names)
            if (std::strcmp(argv[index], name) == 0)
                return true;
    return false;
}

void print(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

std::optional<int> answer(int argc, char* argv[], const char* version) {
    const bool help = asks(argc, argv, {"-h", "--help"});
    if (!help && !asks(argc, argv, {"-v", "--version"}))
        return std::nullopt;
    // Qt Core only: no display is opened.
    QCoreApplication application(argc, argv);
    if (!help) {
        print(QStringLiteral("quellin %1\n").arg(QString::fromUtf8(version)));
        return 0;
    }
    Translations::install();
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLineHelp", "Practise a spoken language by repeating a recording sentence by "
                           "sentence. Quellin opens each FILE (audio or video) in its window; "
                           "when Quellin is already running, the files open there."));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QCoreApplication::translate("CommandLineHelp", "Show this help and exit.")});
    parser.addOption(
        {{QStringLiteral("v"), QStringLiteral("version")},
         QCoreApplication::translate("CommandLineHelp", "Show the version and exit.")});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate("CommandLineHelp", "Audio or video files to practise with."),
        QStringLiteral("[FILE...]"));
    print(parser.helpText());
    return 0;
}

} // namespace CommandLineHelp

#include "FrameCommand.h"

#include "base/QuellinError.h"
#include "video/FrameReader.h"
#include "video/PictureFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

QString FrameCommand::usage() {
    return QStringLiteral(
        "usage: quellin-cli frame FILE --at SECONDS --out FILE.png [--width N]\n");
}

std::variant<FrameCommand::Arguments, FrameCommand::UsageError>
FrameCommand::parse(const QStringList& arguments) {
    const QCommandLineOption at(QStringLiteral("at"), {}, QStringLiteral("SECONDS"));
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("FILE"));
    const QCommandLineOption width(QStringLiteral("width"), {}, QStringLiteral("N"));
    QCommandLineParser parser;
    parser.addOptions({at, out, width});
    if (!parser.parse(QStringList{QStringLiteral("quellin-cli")} + arguments))
        return UsageError{parser.errorText()};
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // "frame"
    if (positional.size() != 1 || positional.first().isEmpty())
        return UsageError{positional.size() > 1 ? QStringLiteral("more than one file given")
                                                : QStringLiteral("missing FILE")};
    Arguments parsed{positional.first(), 0, parser.value(out), 0};
    bool isNumber = false;
    parsed.at = parser.value(at).toDouble(&isNumber);
    if (!isNumber || !(parsed.at >= 0))
        return UsageError{QStringLiteral("--at needs seconds from the start")};
    if (parsed.out.isEmpty())
        return UsageError{QStringLiteral("--out needs the picture's file")};
    if (parser.isSet(width)) {
        parsed.width = parser.value(width).toInt(&isNumber);
        if (!isNumber || parsed.width <= 0)
            return UsageError{QStringLiteral("--width needs a number of pixels")};
    }
    return parsed;
}

int FrameCommand::run(const Arguments& arguments) {
    // Reading and saving fail in different files: say which.
    bool saving = false;
    try {
        FrameReader reader(arguments.media, arguments.width, 0);
        const VideoFrame frame = reader.frameAt(arguments.at);
        saving = true;
        writePicture(frame, arguments.out);
        return 0;
    } catch (const std::exception& error) {
        const QString message =
            saving ? QCoreApplication::translate("FrameCommand", "Couldn’t save “%1”: %2\n")
                   : QCoreApplication::translate("FrameCommand", "Couldn’t open “%1”: %2\n");
        const QByteArray text =
            message
                .arg(QFileInfo(saving ? arguments.out : arguments.media).fileName(),
                     describe(error))
                .toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        return 1;
    }
}

#include "FrameCommand.h"

#include "CliArguments.h"

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
    const std::variant<QString, CliArguments::UsageError> file = CliArguments::oneFile(
        parser, arguments, QCoreApplication::translate("quellin-cli", "missing FILE"));
    if (const auto* error = std::get_if<CliArguments::UsageError>(&file))
        return UsageError{error->message};
    Arguments parsed{std::get<QString>(file), 0, parser.value(out), 0};
    bool isNumber = false;
    parsed.at = parser.value(at).toDouble(&isNumber);
    if (!isNumber || !(parsed.at >= 0))
        return UsageError{
            QCoreApplication::translate("quellin-cli", "--at needs seconds from the start")};
    if (parsed.out.isEmpty())
        return UsageError{
            QCoreApplication::translate("quellin-cli", "--out needs the picture's file")};
    if (parser.isSet(width)) {
        parsed.width = parser.value(width).toInt(&isNumber);
        if (!isNumber || parsed.width <= 0)
            return UsageError{
                QCoreApplication::translate("quellin-cli", "--width needs a number of pixels")};
    }
    return parsed;
}

int FrameCommand::run(const Arguments& arguments) {
    // A failure to save names the picture's file itself; one to read names the media file.
    bool saving = false;
    try {
        FrameReader reader(arguments.media, arguments.width, 0);
        const VideoFrame frame = reader.frameAt(arguments.at);
        saving = true;
        writePicture(frame, arguments.out);
        return 0;
    } catch (const std::exception& error) {
        const QByteArray text =
            (saving ? describe(error) + u'\n'
                    : QCoreApplication::translate("quellin-cli", "Couldn’t open “%1”: %2\n")
                          .arg(QFileInfo(arguments.media).fileName(), describe(error)))
                .toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        return 1;
    }
}

#pragma once

#include <QString>
#include <QStringList>

#include <variant>

// `quellin-cli frame FILE --at SECONDS --out FILE.png [--width N]`: writes the frame the window
// shows at SECONDS of FILE's sound (upright, at its display aspect, N pixels wide at most; the
// picture's own size without --width) as PNG, or JPEG when the name does not end in ".png".
// Plain functions, any thread.
namespace FrameCommand {

struct Arguments {
    QString media;
    double at = 0;
    QString out;
    int width = 0; // 0: the picture's own width
};
struct UsageError {
    QString message;
};

// `arguments` without the program name, the command word first.
std::variant<Arguments, UsageError> parse(const QStringList& arguments);
QString usage();

// Writes the picture; says why not on stderr in the user's terms. Returns the exit status: 0, or
// 1 when the file has no picture that can be shown or the picture cannot be saved.
int run(const Arguments& arguments);

} // namespace FrameCommand

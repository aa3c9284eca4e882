#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
    QTextStream(stderr) << "usage: quellin-cli sentences FILE [--language ID] [--pauses-only] "
                           "[--format text|json|srt]\n       quellin-cli languages\n";
    return 2;
}

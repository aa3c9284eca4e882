#include "TestSupport.h"

#include <QProcess>
#include <QTest>

namespace TestSupport {

QByteArray run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        QTest::qFail(qPrintable(QStringLiteral("could not start %1").arg(program)), __FILE__, __LINE__);
        return {};
    }
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        const QString message = QStringLiteral("%1 %2 failed: %3")
                                    .arg(program, arguments.join(QLatin1Char(' ')),
                                         QString::fromUtf8(process.readAllStandardError()));
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        return {};
    }
    return process.readAllStandardOutput();
}

} // namespace TestSupport

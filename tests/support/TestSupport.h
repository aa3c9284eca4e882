#pragma once

#include <QString>
#include <QStringList>

// Helpers shared by the suites: running the command-line tools that make test media.
namespace TestSupport {

// Runs a program to completion; fails the current test (QFAIL-style, via QTest) when it cannot
// start or exits non-zero. Returns its standard output.
QByteArray run(const QString& program, const QStringList& arguments, int timeoutMs = 120000);

} // namespace TestSupport

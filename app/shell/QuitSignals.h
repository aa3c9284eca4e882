#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a request to quit, delivered on the main thread, so
// that a logout or a kill ends Quellin the same graceful way as its Quit command.
class QuitSignals final : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; one instance per process.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    void quitRequested(int signal);

private:
    void receive();

    QSocketNotifier* m_notifier;
};

#pragma once

#include "export/SessionExport.h"
#include "session/Session.h"
#include "session/SessionStore.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <stop_token>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// File ▸ Export… for the open session: Anki notes, subtitles or clips, all sentences or the hard
// ones, into a folder. The export runs off the main thread with progress; Cancel or closing the
// dialog stops it and leaves nothing behind. Main thread; the dialog keeps its own copy of the
// session, so changes while it is open do not affect a running export.
class ExportDialog final : public QDialog {
    Q_OBJECT

public:
    ExportDialog(Session session, SessionStore store, QWidget* parent = nullptr);
    ~ExportDialog() override;

    // Starts the export as chosen; what the Export button does.
    void start();
    bool isExporting() const;

protected:
    void reject() override;

private:
    void finished(const QString& written, const QString& failure);

    const Session m_session;
    const SessionStore m_store;
    QButtonGroup* m_kinds;
    QCheckBox* m_hardOnly;
    QLineEdit* m_folder;
    QProgressBar* m_progress;
    QLabel* m_status;
    QPushButton* m_export;
    std::shared_ptr<std::stop_source> m_stop;
};

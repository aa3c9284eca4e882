#include "ui/ExportDialog.h"

#include "base/QuellinError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

ExportDialog::ExportDialog(Session session, SessionStore store, QWidget* parent)
    : QDialog(parent), m_session(std::move(session)), m_store(std::move(store)) {
    setObjectName(QStringLiteral("export"));
    setWindowTitle(tr("Export “%1”").arg(m_session.fileName()));
    auto* form = new QFormLayout(this);

    m_kinds = new QButtonGroup(this);
    auto* kinds = new QVBoxLayout;
    const std::pair<SessionExport::Kind, QString> choices[] = {
        {SessionExport::Kind::anki, tr("Anki flash cards (notes and sound clips)")},
        {SessionExport::Kind::srt, tr("Subtitles (SRT)")},
        {SessionExport::Kind::vtt, tr("Subtitles (WebVTT)")},
        {SessionExport::Kind::clips, tr("A sound clip per sentence (MP3)")}};
    for (const auto& [kind, title] : choices) {
        auto* button = new QRadioButton(title, this);
        m_kinds->addButton(button, int(kind));
        kinds->addWidget(button);
    }
    m_kinds->button(int(SessionExport::Kind::anki))->setChecked(true);
    form->addRow(tr("Export as:"), kinds);

    m_hardOnly =
        new QCheckBox(tr("Only the sentences marked hard (%1)").arg(m_session.hardCount()), this);
    m_hardOnly->setEnabled(m_session.hardCount() > 0);
    form->addRow(QString(), m_hardOnly);

    auto* where = new QHBoxLayout;
    m_folder =
        new QLineEdit(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), this);
    m_folder->setAccessibleName(tr("Folder"));
    m_folder->setMinimumWidth(360);
    auto* choose = new QPushButton(tr("Choose…"), this);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString folder =
            QFileDialog::getExistingDirectory(this, tr("Export into"), m_folder->text());
        if (!folder.isEmpty())
            m_folder->setText(folder);
    });
    where->addWidget(m_folder, 1);
    where->addWidget(choose);
    form->addRow(tr("Into:"), where);

    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(tr("Export progress"));
    m_progress->setRange(0, 100);
    m_progress->hide();
    form->addRow(m_progress);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("exportStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(m_status);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_export = buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    m_export->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::start);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
    form->addRow(buttons);
}

ExportDialog::~ExportDialog() {
    if (m_stop)
        m_stop->request_stop();
}

bool ExportDialog::isExporting() const {
    return m_stop != nullptr;
}

void ExportDialog::start() {
    if (m_stop)
        return;
    const SessionExport::Request request{SessionExport::Kind(m_kinds->checkedId()),
                                         m_hardOnly->isChecked(), m_folder->text()};
    m_stop = std::make_shared<std::stop_source>();
    m_export->setEnabled(false);
    m_progress->setValue(0);
    m_progress->show();
    m_status->setText(tr("Exporting…"));
    const QPointer<ExportDialog> self(this);
    const auto progress = [self](double fraction) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, fraction] {
                if (self)
                    self->m_progress->setValue(int(fraction * 100));
            },
            Qt::QueuedConnection);
    };
    // The worker holds its own copies and the stop source: the dialog may close meanwhile.
    (void)QtConcurrent::run(
        [self, session = m_session, store = m_store, request, stop = m_stop, progress] {
            QString written, failure;
            try {
                written = SessionExport::run(session, store, request, stop->get_token(), progress);
            } catch (const OperationCancelled&) {
            } catch (const QuellinError& error) {
                failure = error.description();
            } catch (const std::exception& error) {
                failure = QString::fromLocal8Bit(error.what());
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, written, failure] {
                    if (self)
                        self->finished(written, failure);
                },
                Qt::QueuedConnection);
        });
}

void ExportDialog::finished(const QString& written, const QString& failure) {
    const bool stopped = m_stop->stop_requested();
    m_stop.reset();
    m_export->setEnabled(true);
    m_progress->hide();
    if (!failure.isEmpty())
        m_status->setText(tr("Couldn’t export: %1").arg(failure));
    else if (stopped)
        m_status->setText(tr("Export cancelled."));
    else if (written.endsWith(QStringLiteral(" – Anki")))
        m_status->setText(tr("Exported to %1\nIn Anki, copy its MP3 files into your "
                             "profile’s collection.media folder, then choose File ▸ "
                             "Import… and pick notes.txt.")
                              .arg(QDir::toNativeSeparators(written)));
    else
        m_status->setText(tr("Exported to %1").arg(QDir::toNativeSeparators(written)));
}

void ExportDialog::reject() {
    // Cancel stops a running export first; pressed again, it closes the dialog.
    if (m_stop) {
        m_stop->request_stop();
        m_status->setText(tr("Export cancelled."));
        return;
    }
    QDialog::reject();
}

#include "shell/UpdatePrompts.h"

#include "base/LogCategories.h"
#include "ui/Alerts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Alerts come to the front over the active window, or stand alone when there is none.
QWidget* frontWindow() {
    QWidget* window = QApplication::activeWindow();
    if (window) {
        window->raise();
        window->activateWindow();
    }
    return window;
}

} // namespace

void MessageBoxPrompts::inform(const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Information, title, title, QMessageBox::Ok, frontWindow());
    box.setInformativeText(message);
    Alerts::fitMessage(&box);
    box.exec();
}

void MessageBoxPrompts::offerDownload(const QString& title, const QString& message,
                                      const QUrl& page) {
    QMessageBox box(QMessageBox::Information, title, title, QMessageBox::NoButton, frontWindow());
    box.setInformativeText(message);
    Alerts::fitMessage(&box);
    QPushButton* download = box.addButton(QObject::tr("Download"), QMessageBox::AcceptRole);
    box.addButton(QObject::tr("Not Now"), QMessageBox::RejectRole);
    box.setDefaultButton(download);
    box.exec();
    if (box.clickedButton() == download && !QDesktopServices::openUrl(page))
        qCDebug(lcUpdate) << "the desktop couldn't open" << page;
}

#include "ui/ContentView.h"

#include "ui/SentenceList.h"

#include <QCloseEvent>
#include <QSettings>
#include <QSplitter>

namespace {

const QString geometryKey = QStringLiteral("window/geometry");
const QString sentenceListWidthKey = QStringLiteral("window/sentenceListWidth");

} // namespace

void ContentView::restorePlacement() {
    const QSettings& settings = m_model.defaults();
    // restoreGeometry checks the bytes and keeps the window on a screen that is still there.
    restoreGeometry(settings.value(geometryKey).toByteArray());
    bool number = false;
    const int width = settings.value(sentenceListWidthKey).toInt(&number);
    if (number && width > 0) {
        const QList<int> sizes = m_split->sizes();
        // The practice view has the stretch: it takes what the list leaves.
        m_split->setSizes({width, std::max(sizes.value(0) + sizes.value(1) - width, 1)});
    }
}

void ContentView::savePlacement() const {
    if (!m_model.persist())
        return;
    QSettings& settings = m_model.defaults();
    settings.setValue(geometryKey, saveGeometry());
    if (m_list->isVisible())
        settings.setValue(sentenceListWidthKey, m_list->width());
}

void ContentView::closeEvent(QCloseEvent* event) {
    // While the window still shows: the list's width is known only then.
    savePlacement();
    QMainWindow::closeEvent(event);
}

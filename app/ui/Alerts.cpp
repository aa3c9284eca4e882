#include "ui/Alerts.h"

#include <QLabel>
#include <QMessageBox>

#include <algorithm>

namespace Alerts {

namespace {

constexpr int paragraphCharacters = 60;

} // namespace

void fitMessage(QMessageBox* box) {
    // The box's own name for the label of its informative text.
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    if (!label)
        return;
    const QFontMetrics metrics = label->fontMetrics();
    const int oneLine = metrics.horizontalAdvance(label->text()) + 1;
    label->setMinimumWidth(std::min(metrics.averageCharWidth() * paragraphCharacters, oneLine));
}

} // namespace Alerts

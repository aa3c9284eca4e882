#include "ui/PictureView.h"

#include "video/PictureFeed.h"

#include <QMouseEvent>
#include <QPainter>

PictureView::PictureView(PictureFeed& feed, QWidget* parent) : QWidget(parent), m_feed(feed) {
    setObjectName(QStringLiteral("picture"));
    setAccessibleName(tr("Picture"));
    setToolTip(tr("Double-click for a larger picture; Esc goes back"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(&m_feed, &PictureFeed::frameChanged, this, qOverload<>(&QWidget::update));
}

QSize PictureView::sizeHint() const {
    return {640, 360};
}

QSize PictureView::minimumSizeHint() const {
    // Small enough that a small screen keeps the practice controls in view.
    return {96, 54};
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage& frame = m_feed.frame();
    if (frame.isNull())
        return;
    QRect target(QPoint(), frame.size().scaled(size(), Qt::KeepAspectRatio));
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame);
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_feed.setBox(size() * devicePixelRatioF());
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT enlargeToggled();
}

#include "ui/RoundedPanel.h"

#include "ui/Style.h"

#include <QPainter>

RoundedPanel::RoundedPanel(double radius, QWidget* parent) : QWidget(parent), m_radius(radius) {}

void RoundedPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Style::quaternaryFill(this));
    painter.drawRoundedRect(QRectF(rect()), m_radius, m_radius);
}

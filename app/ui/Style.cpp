#include "ui/Style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace Style {

QFont font(Text style, const QFont& base) {
    QFont font = base;
    const qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : 10.0;
    switch (style) {
    case Text::title2:
        font.setPointSizeF(size * 1.55);
        break;
    case Text::headline:
        font.setWeight(QFont::DemiBold);
        break;
    case Text::body:
        break;
    case Text::callout:
        font.setPointSizeF(size * 0.95);
        break;
    case Text::caption:
        font.setPointSizeF(size * 0.85);
        break;
    case Text::caption2:
        font.setPointSizeF(size * 0.8);
        break;
    }
    return font;
}

namespace {

QColor textWithAlpha(const QWidget* widget, double alpha) {
    QColor color = widget->palette().color(QPalette::WindowText);
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

QColor primary(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

QColor secondary(const QWidget* widget) {
    return textWithAlpha(widget, 0.62);
}

QColor tertiary(const QWidget* widget) {
    return textWithAlpha(widget, 0.38);
}

QColor quaternaryFill(const QWidget* widget) {
    return textWithAlpha(widget, 0.06);
}

QColor accent(const QWidget* widget) {
    return widget->palette().color(QPalette::Highlight);
}

QColor orange() {
    return QColor(0xf0, 0x8c, 0x00);
}

QColor red() {
    return QColor(0xe0, 0x1b, 0x24);
}

void apply(QLabel* label, Text style, const QColor& color) {
    // Based on the application font, so that applying a style twice does not compound it.
    label->setFont(font(style, QApplication::font(label)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    label->setPalette(palette);
}

void makeProminent(QAbstractButton* button) {
    QPalette prominent = button->palette();
    prominent.setColor(QPalette::Button, accent(button));
    prominent.setColor(QPalette::ButtonText, button->palette().color(QPalette::HighlightedText));
    button->setPalette(prominent);
}

QVBoxLayout* centredColumn(QWidget* page, int margin, int maxWidth, int spacing) {
    auto* centring = new QHBoxLayout(page);
    centring->setContentsMargins(margin, margin, margin, margin);
    auto* column = new QWidget(page);
    column->setMaximumWidth(maxWidth);
    centring->addStretch();
    centring->addWidget(column, 1);
    centring->addStretch();
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QScrollArea* scrollArea(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    return scroll;
}

} // namespace Style

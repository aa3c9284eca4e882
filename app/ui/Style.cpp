#include "ui/Style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>

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

Tone::Tone(const QColor& color, const QPalette& palette) : m_color(color) {
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Highlight}) {
        if (palette.color(role).rgb() == color.rgb()) {
            m_role = role;
            return;
        }
    }
}

QColor Tone::in(const QPalette& palette) const {
    if (!m_role)
        return m_color;
    QColor color = palette.color(*m_role);
    color.setAlphaF(m_color.alphaF());
    return color;
}

namespace {

// The palette a widget's colours were taken from: its parent's (its own carries the colours).
QPalette around(const QWidget* widget) {
    return widget->parentWidget() ? widget->parentWidget()->palette()
                                  : QApplication::palette(widget);
}

// Sets a widget's colours now and again whenever the palette changes, so that they follow a
// change of colour scheme. One per widget: the last restyling set is the one kept.
class PaletteFollower final : public QObject {
    Q_OBJECT

public:
    static void follow(QWidget* widget, std::function<void()> restyle) {
        auto* follower = widget->findChild<PaletteFollower*>(QString(), Qt::FindDirectChildrenOnly);
        if (!follower)
            follower = new PaletteFollower(widget);
        follower->m_restyle = std::move(restyle);
        follower->m_restyle();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        // Once the change has gone round: the parent may hear of it after the widget.
        if (event->type() == QEvent::ApplicationPaletteChange ||
            event->type() == QEvent::PaletteChange)
            QTimer::singleShot(0, this, [this] { m_restyle(); });
        return false;
    }

private:
    explicit PaletteFollower(QWidget* widget) : QObject(widget) {
        widget->installEventFilter(this);
    }
    std::function<void()> m_restyle;
};

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

QPalette darkPalette() {
    QPalette palette(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32));
    const QColor text(0xfc, 0xfc, 0xfc);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::HighlightedText, QPalette::BrightText, QPalette::ToolTipText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    palette.setColor(QPalette::AlternateBase, QColor(0x23, 0x26, 0x29));
    palette.setColor(QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3b));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::Link, QColor(0x1d, 0x99, 0xf3));
    palette.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x6e, 0x71, 0x75));
    return palette;
}

void apply(QLabel* label, Text style, const QColor& color) {
    // Based on the application font, so that applying a style twice does not compound it.
    label->setFont(font(style, QApplication::font(label)));
    PaletteFollower::follow(label, [label, tone = Tone(color, around(label))] {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, tone.in(around(label)));
        palette.setColor(QPalette::Text, tone.in(around(label)));
        label->setPalette(palette);
    });
}

void makeProminent(QAbstractButton* button) {
    PaletteFollower::follow(button, [button] {
        const QPalette natural = around(button);
        QPalette prominent = button->palette();
        prominent.setColor(QPalette::Button, natural.color(QPalette::Highlight));
        prominent.setColor(QPalette::ButtonText, natural.color(QPalette::HighlightedText));
        button->setPalette(prominent);
    });
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

#include "Style.moc"

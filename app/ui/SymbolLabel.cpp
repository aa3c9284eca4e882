#include "ui/SymbolLabel.h"

#include "ui/Symbols.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// What screen readers are told about a symbol label: a picture that is not on screen, unless it
// was given a name of its own.
class DecorativeAccessible final : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || widget()->accessibleName().isEmpty();
        return state;
    }
};

QAccessibleInterface* decorative(const QString& className, QObject* object) {
    // Asked for the most derived class first, so Qt's own label interface never comes first.
    if (className == QLatin1String("SymbolLabel") && object && object->isWidgetType())
        return new DecorativeAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

SymbolLabel::SymbolLabel(int side, QWidget* parent, QIcon::Mode mode)
    : QWidget(parent), m_side(side), m_mode(mode) {
    static const bool installed = [] {
        QAccessible::installFactory(decorative);
        return true;
    }();
    Q_UNUSED(installed);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

SymbolLabel::SymbolLabel(const QString& symbol, const QColor& color, int side, QWidget* parent,
                         QIcon::Mode mode)
    : SymbolLabel(side, parent, mode) {
    setSymbol(symbol, color);
}

void SymbolLabel::setSymbol(const QString& symbol, const QColor& color) {
    m_symbol = symbol;
    m_tone = Style::Tone(color, parentWidget() ? parentWidget()->palette() : palette());
    update();
}

QSize SymbolLabel::sizeHint() const {
    return {m_side, m_side};
}

void SymbolLabel::paintEvent(QPaintEvent*) {
    if (m_symbol.isEmpty() || !m_tone)
        return;
    QPainter painter(this);
    const QRect square(QPoint((width() - m_side) / 2, (height() - m_side) / 2),
                       QSize(m_side, m_side));
    Symbols::icon(m_symbol, m_tone->in(palette())).paint(&painter, square, Qt::AlignCenter, m_mode);
}

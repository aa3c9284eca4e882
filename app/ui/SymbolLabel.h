#pragma once

#include "ui/Style.h"

#include <QIcon>
#include <QWidget>

#include <optional>

// A drawn symbol beside text that says the same (a card's caption, a status line, a placeholder's
// title). Drawn when painted, at the screen's pixel density and in its colour as a tone of the
// palette, so it stays sharp and follows a change of colour scheme. Screen readers skip it (the
// text beside it is what they read) unless it is given an accessible name. Main thread.
class SymbolLabel final : public QWidget {
    Q_OBJECT

public:
    // `side` in device-independent pixels; `mode` Disabled draws it faded.
    SymbolLabel(int side, QWidget* parent, QIcon::Mode mode = QIcon::Normal);
    SymbolLabel(const QString& symbol, const QColor& color, int side, QWidget* parent,
                QIcon::Mode mode = QIcon::Normal);

    // Symbols::icon's name; the colour as Style gives it (a tone of the palette, or orange, red).
    void setSymbol(const QString& symbol, const QColor& color);
    QString symbol() const { return m_symbol; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    std::optional<Style::Tone> m_tone;
    int m_side;
    QIcon::Mode m_mode;
};

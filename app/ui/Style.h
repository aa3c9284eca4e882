#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <optional>

class QAbstractButton;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// The text styles, colours and layouts the views share, derived from the application font and
// palette so that they follow the desktop's theme, also when its colour scheme changes while
// Quellin runs. Main thread.
namespace Style {

// A colour as a tone of the palette: the views take theirs from the palette (its text colour at
// some opacity, its accent), and such a colour is taken again from a new palette when the
// desktop's colour scheme changes. Any other colour (orange, red) stays as it is.
class Tone {
public:
    Tone(const QColor& color, const QPalette& palette);
    // The same tone in `palette`.
    QColor in(const QPalette& palette) const;

private:
    QColor m_color;
    std::optional<QPalette::ColorRole> m_role;
};

enum class Text { title2, headline, body, callout, caption, caption2 };

QFont font(Text style, const QFont& base);

QColor primary(const QWidget* widget);
QColor secondary(const QWidget* widget);
QColor tertiary(const QWidget* widget);
// A faint fill for cards and rows.
QColor quaternaryFill(const QWidget* widget);
QColor accent(const QWidget* widget);
QColor orange();
QColor red();
// A dark colour scheme for desktops that give Qt none (QUELLIN_COLOR_SCHEME=dark).
QPalette darkPalette();

// Sets a label's font to the style and its text colour; a colour from the palette follows it
// through a change of colour scheme (Tone).
void apply(QLabel* label, Text style, const QColor& color);
// The filled, accent-coloured look of the main action of a screen.
void makeProminent(QAbstractButton* button);
// A column at most `maxWidth` wide, centred in `page` with `margin` around it: the layout to
// fill, its items `spacing` apart (the column is its parent widget).
QVBoxLayout* centredColumn(QWidget* page, int margin, int maxWidth, int spacing);
// A frameless scroll area over `content`, which takes the area's width.
QScrollArea* scrollArea(QWidget* content, QWidget* parent);

} // namespace Style

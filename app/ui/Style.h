#pragma once

#include <QColor>
#include <QFont>

class QAbstractButton;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// The text styles, colours and layouts the views share, derived from the application font and
// palette so that they follow the desktop's theme.
namespace Style {

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

// Sets a label's font to the style and its text colour.
void apply(QLabel* label, Text style, const QColor& color);
// The filled, accent-coloured look of the main action of a screen.
void makeProminent(QAbstractButton* button);
// A column at most `maxWidth` wide, centred in `page` with `margin` around it: the layout to
// fill, its items `spacing` apart (the column is its parent widget).
QVBoxLayout* centredColumn(QWidget* page, int margin, int maxWidth, int spacing);
// A frameless scroll area over `content`, which takes the area's width.
QScrollArea* scrollArea(QWidget* content, QWidget* parent);

} // namespace Style

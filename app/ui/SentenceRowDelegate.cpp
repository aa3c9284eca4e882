#include "ui/SentenceRowDelegate.h"

#include "ui/SentenceListModel.h"
#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QTextLayout>

namespace {

constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 5;
constexpr int spacing = 8;
constexpr int starSize = 13;

QFont captionFont(const QFont& base) {
    return Style::font(Style::Text::caption, base);
}

int viewWidth(const QStyleOptionViewItem& option) {
    // In a list that adjusts its rows to its width, the row is as wide as the viewport.
    if (const auto* view = qobject_cast<const QAbstractScrollArea*>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

// The row's title: the sentence's text, "(no words recognised)" for a stretch of speech in which
// the recogniser heard no words (its text is there but empty), else "Sentence N".
QString titleOf(const QModelIndex& index) {
    const auto* model = qobject_cast<const SentenceListModel*>(index.model());
    if (model && !index.data(SentenceListModel::HasTextRole).toBool()) {
        const std::optional<QString>& text = model->rows().at(size_t(index.row())).sentence.text;
        if (text && text->trimmed().isEmpty())
            return QCoreApplication::translate("SentenceRowDelegate", "(no words recognised)");
    }
    return index.data(Qt::DisplayRole).toString();
}

} // namespace

QStringList SentenceRowDelegate::titleLines(const QString& text, const QFont& font, int width) {
    QStringList lines;
    if (width <= 0)
        return {text};
    QTextLayout layout(text, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    while (lines.size() < 2) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() == 1) {
            // The last line shown takes the rest of the text, elided.
            lines.append(QFontMetrics(font).elidedText(text.mid(line.textStart()).simplified(),
                                                       Qt::ElideRight, width));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

SentenceRowDelegate::Geometry SentenceRowDelegate::layout(const QStyleOptionViewItem& option,
                                                          const QModelIndex& index) const {
    Geometry g;
    const QFont base = option.font;
    const QFontMetrics numberMetrics(captionFont(base));
    const QFontMetrics titleMetrics(base);
    const QFontMetrics detailMetrics(captionFont(base));
    const int width = option.rect.width() > 0 ? option.rect.width() : viewWidth(option);

    const int numberWidth = std::max(
        24, numberMetrics.horizontalAdvance(index.data(SentenceListModel::NumberRole).toString()));
    const bool hard = index.data(SentenceListModel::HardRole).toBool();
    const int left = option.rect.left() + horizontalPadding;
    const int top = option.rect.top() + verticalPadding;
    const int textLeft = left + numberWidth + spacing;
    const int right = option.rect.left() + width - horizontalPadding;
    const int textRight = hard ? right - starSize - spacing : right;

    g.lines = titleLines(titleOf(index), base, textRight - textLeft);
    const int titleHeight = titleMetrics.lineSpacing() * int(g.lines.size());
    g.title = QRect(textLeft, top, textRight - textLeft, titleHeight);
    g.detail = QRect(textLeft, top + titleHeight + 2, textRight - textLeft, detailMetrics.height());
    // The number sits on the first line's baseline.
    const int baseline = top + titleMetrics.ascent();
    g.number = QRect(left, baseline - numberMetrics.ascent(), numberWidth, numberMetrics.height());
    if (hard)
        g.star = QRect(right - starSize, baseline - starSize + 2, starSize, starSize);
    return g;
}

QSize SentenceRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QStyleOptionViewItem sized = option;
    sized.rect = QRect(0, 0, viewWidth(option), 0);
    const Geometry g = layout(sized, index);
    return {sized.rect.width(), g.detail.bottom() + 1 + verticalPadding};
}

void SentenceRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const Geometry g = layout(option, index);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    QColor primary = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    QColor secondary = primary;
    secondary.setAlphaF(0.62f);

    painter->save();
    painter->setFont(captionFont(option.font));
    painter->setPen(secondary);
    painter->drawText(g.number, Qt::AlignRight | Qt::AlignTop,
                      index.data(SentenceListModel::NumberRole).toString());

    painter->setFont(option.font);
    const bool plainTitle = index.data(SentenceListModel::HasTextRole).toBool() &&
                            !index.data(SentenceListModel::FadedRole).toBool();
    painter->setPen(plainTitle ? primary : secondary);
    const int lineSpacing = QFontMetrics(option.font).lineSpacing();
    for (int i = 0; i < g.lines.size(); ++i)
        painter->drawText(
            QRect(g.title.left(), g.title.top() + i * lineSpacing, g.title.width(), lineSpacing),
            Qt::AlignLeft | Qt::AlignTop, g.lines[i]);

    painter->setFont(captionFont(option.font));
    painter->setPen(secondary);
    painter->drawText(g.detail, Qt::AlignLeft | Qt::AlignTop,
                      index.data(SentenceListModel::DetailRole).toString());

    if (!g.star.isNull())
        Symbols::icon(QStringLiteral("star.fill"), Style::orange()).paint(painter, g.star);
    painter->restore();
}

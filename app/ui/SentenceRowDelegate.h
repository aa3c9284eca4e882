#pragma once

#include <QStyledItemDelegate>

// Draws one sentence row: its number, up to two lines of text (or "Sentence N" in the
// secondary colour), the start time and length, and an orange star when it is marked hard.
class SentenceRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The title broken into at most two lines of `width` pixels, the second elided.
    static QStringList titleLines(const QString& text, const QFont& font, int width);

private:
    struct Geometry {
        QRect number;
        QRect title;
        QRect detail;
        QRect star;
        QStringList lines;
    };
    Geometry layout(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

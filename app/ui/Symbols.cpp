#include "ui/Symbols.h"

#include "ui/Style.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <QStandardPaths>

#include <cmath>
#include <functional>
#include <map>

namespace {

using Drawing = std::function<void(QPainter&)>; // on a 24 × 24 canvas

struct Entry {
    QString themeName;
    Drawing draw;
};

// ---- pictures, on a 24 × 24 grid ------------------------------------------------------------

void bars(QPainter& p, const std::vector<double>& heights, double x0, double step, double width) {
    for (size_t i = 0; i < heights.size(); ++i) {
        const double h = heights[i];
        p.drawRoundedRect(QRectF(x0 + step * double(i), 12 - h / 2, width, h), width / 2,
                          width / 2);
    }
}

void waveform(QPainter& p) {
    p.setPen(Qt::NoPen);
    bars(p, {6, 14, 20, 10, 16, 7}, 2.5, 3.4, 2.2);
}

void star(QPainter& p, bool filled) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 10.5 : 4.6;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(12 + radius * std::cos(angle), 12.8 + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    if (filled) {
        p.setPen(Qt::NoPen);
        p.drawPath(path);
    } else {
        QPen pen(p.brush().color(), 1.8);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

void microphone(QPainter& p, const QRectF& box, bool filled) {
    // A capsule with a cradle and a stand, fitted into `box`.
    const double w = box.width(), h = box.height();
    const QRectF capsule(box.left() + w * 0.32, box.top(), w * 0.36, h * 0.62);
    const QColor color = p.brush().color();
    QPen pen(color, std::max(w, h) * 0.08, Qt::SolidLine, Qt::RoundCap);
    p.setPen(filled ? Qt::NoPen : pen);
    if (!filled)
        p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(capsule, capsule.width() / 2, capsule.width() / 2);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF cradle(box.left() + w * 0.18, box.top() + h * 0.22, w * 0.64, h * 0.58);
    p.drawArc(cradle, 180 * 16, 180 * 16);
    p.drawLine(QPointF(box.center().x(), cradle.bottom()), QPointF(box.center().x(), box.bottom()));
    p.drawLine(QPointF(box.left() + w * 0.32, box.bottom()),
               QPointF(box.left() + w * 0.68, box.bottom()));
}

// A circle outline; afterwards the painter fills without an outline again, for what goes inside.
void ring(QPainter& p) {
    const QColor color = p.brush().color();
    p.setPen(QPen(color, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
}

void speaker(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}));
    QPen pen(p.brush().color(), 1.8, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 8, 8, 8), -50 * 16, 100 * 16);
    p.drawArc(QRectF(6, 4.5, 15, 15), -55 * 16, 110 * 16);
}

void person(QPainter& p, bool filled) {
    const QColor color = p.brush().color();
    QPen pen(color, 1.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(filled ? Qt::NoPen : pen);
    if (!filled)
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 4, 7, 7));
    QPainterPath shoulders;
    shoulders.moveTo(2, 21);
    shoulders.cubicTo(2, 14, 15, 14, 15, 21);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 5, 6, 9), -50 * 16, 100 * 16);
    p.drawArc(QRectF(12, 2, 10, 15), -50 * 16, 100 * 16);
}

void triangle(QPainter& p, double left, double right, double top, double bottom, bool pointsRight) {
    const double base = pointsRight ? left : right;
    const double tip = pointsRight ? right : left;
    p.drawPolygon(QPolygonF({{base, top}, {tip, (top + bottom) / 2}, {base, bottom}}));
}

void arrowHead(QPainter& p, QPointF tip, double dx, double dy) {
    // A small filled head pointing along (dx, dy).
    const double length = std::hypot(dx, dy);
    dx /= length;
    dy /= length;
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip.x() - 4.5 * dx + 3.2 * dy, tip.y() - 4.5 * dy - 3.2 * dx);
    path.lineTo(tip.x() - 4.5 * dx - 3.2 * dy, tip.y() - 4.5 * dy + 3.2 * dx);
    path.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.drawPath(path);
    p.restore();
}

void animal(QPainter& p, bool hare) {
    const QColor color = p.brush().color();
    p.setPen(Qt::NoPen);
    if (hare) {
        p.drawEllipse(QRectF(3, 11, 13, 8));        // body
        p.drawEllipse(QRectF(13.5, 8.5, 6.5, 5.5)); // head
        p.save();
        p.translate(16, 9);
        p.rotate(-20);
        p.drawEllipse(QRectF(-1, -8, 2.6, 9)); // ears
        p.rotate(14);
        p.drawEllipse(QRectF(1.2, -7.5, 2.6, 8.5));
        p.restore();
        p.drawEllipse(QRectF(1.5, 12, 3, 3)); // tail
        p.drawRoundedRect(QRectF(12, 17, 6, 2.5), 1.2, 1.2);
    } else {
        QPainterPath shell;
        shell.moveTo(3, 16);
        shell.cubicTo(3, 7, 17, 7, 17, 16);
        shell.closeSubpath();
        p.drawPath(shell);
        p.drawEllipse(QRectF(16, 11.5, 5.5, 4.5)); // head
        p.drawRoundedRect(QRectF(4.5, 15, 3, 4.5), 1.3, 1.3);
        p.drawRoundedRect(QRectF(12.5, 15, 3, 4.5), 1.3, 1.3);
        p.setPen(QPen(color.lighter(160), 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 9.5, 8, 8), 20 * 16, 140 * 16);
    }
}

const std::map<QString, Entry>& table() {
    static const std::map<QString, Entry> entries = {
        // A theme name only where the theme shows the same picture. Its audio icon is a note, its
        // locale icon a flag, its close icon a bare cross, its avatar has no waves: those
        // symbols are always drawn.
        {"waveform", {{}, waveform}},
        {"waveform.badge.mic",
         {"audio-input-microphone",
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              bars(p, {5, 12, 18, 9, 13}, 1.5, 3.1, 2.0);
              microphone(p, QRectF(14, 11, 9, 12), true);
          }}},
        {"waveform.slash",
         {{},
          [](QPainter& p) {
              waveform(p);
              p.setPen(QPen(p.brush().color(), 2, Qt::SolidLine, Qt::RoundCap));
              p.drawLine(QPointF(3, 3), QPointF(21, 21));
          }}},
        {"folder",
         {"document-open",
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {22, 8}, {22, 19}, {2, 19}}));
          }}},
        {"xmark.circle.fill",
         {{},
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              p.drawEllipse(QRectF(2, 2, 20, 20));
              p.setCompositionMode(QPainter::CompositionMode_Clear);
              p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
              p.drawLine(QPointF(8, 8), QPointF(16, 16));
              p.drawLine(QPointF(16, 8), QPointF(8, 16));
          }}},
        {"text.bubble",
         {{},
          [](QPainter& p) {
              QPainterPath bubble;
              bubble.addRoundedRect(QRectF(2.5, 3.5, 19, 13.5), 3.5, 3.5);
              bubble.moveTo(6, 16.5);
              bubble.lineTo(6, 21);
              bubble.lineTo(10.5, 16.5);
              p.setPen(QPen(p.brush().color(), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
              p.setBrush(Qt::NoBrush);
              p.drawPath(bubble.simplified());
              p.drawLine(QPointF(7, 8.5), QPointF(17, 8.5));
              p.drawLine(QPointF(7, 12), QPointF(14, 12));
          }}},
        {"star", {"non-starred", [](QPainter& p) { star(p, false); }}},
        {"star.fill", {"starred", [](QPainter& p) { star(p, true); }}},
        {"text.line.first.and.arrowtriangle.forward",
         {{},
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              triangle(p, 2, 8, 3, 10, true);
              p.setPen(QPen(p.brush().color(), 2, Qt::SolidLine, Qt::RoundCap));
              p.drawLine(QPointF(11, 6.5), QPointF(21, 6.5));
              p.drawLine(QPointF(3, 13), QPointF(21, 13));
              p.drawLine(QPointF(3, 18.5), QPointF(17, 18.5));
          }}},
        {"backward.end.fill",
         {"media-skip-backward",
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              p.drawRect(QRectF(4, 5, 2.5, 14));
              triangle(p, 6.5, 20, 5, 19, false);
          }}},
        {"forward.end.fill",
         {"media-skip-forward",
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              triangle(p, 4, 17.5, 5, 19, true);
              p.drawRect(QRectF(17.5, 5, 2.5, 14));
          }}},
        {"repeat",
         {"media-playlist-repeat",
          [](QPainter& p) {
              p.setPen(QPen(p.brush().color(), 2, Qt::SolidLine, Qt::RoundCap));
              QPainterPath top;
              top.moveTo(4, 13);
              top.lineTo(4, 10);
              top.quadTo(4, 7, 7, 7);
              top.lineTo(18, 7);
              QPainterPath bottom;
              bottom.moveTo(20, 11);
              bottom.lineTo(20, 14);
              bottom.quadTo(20, 17, 17, 17);
              bottom.lineTo(6, 17);
              p.setBrush(Qt::NoBrush);
              p.drawPath(top);
              p.drawPath(bottom);
              p.setBrush(p.pen().color());
              arrowHead(p, QPointF(21, 7), 1, 0);
              arrowHead(p, QPointF(3, 17), -1, 0);
          }}},
        {"stop.fill",
         {"media-playback-stop",
          [](QPainter& p) {
              p.setPen(Qt::NoPen);
              p.drawRoundedRect(QRectF(5, 5, 14, 14), 2, 2);
          }}},
        {"stop.circle",
         {"media-playback-stop",
          [](QPainter& p) {
              ring(p);
              p.drawRoundedRect(QRectF(8.5, 8.5, 7, 7), 1.2, 1.2);
          }}},
        {"mic",
         {"audio-input-microphone",
          [](QPainter& p) { microphone(p, QRectF(5, 2.5, 14, 19), false); }}},
        {"mic.fill",
         {"audio-input-microphone",
          [](QPainter& p) { microphone(p, QRectF(5, 2.5, 14, 19), true); }}},
        {"arrow.left.arrow.right",
         {{},
          [](QPainter& p) {
              p.setPen(QPen(p.brush().color(), 2, Qt::SolidLine, Qt::RoundCap));
              p.drawLine(QPointF(4, 8), QPointF(19, 8));
              p.drawLine(QPointF(5, 16), QPointF(20, 16));
              arrowHead(p, QPointF(3, 8), -1, 0);
              arrowHead(p, QPointF(21, 16), 1, 0);
          }}},
        {"person.wave.2", {{}, [](QPainter& p) { person(p, false); }}},
        {"person.wave.2.fill", {{}, [](QPainter& p) { person(p, true); }}},
        {"speaker.wave.2.fill", {"audio-volume-high", speaker}},
        {"ear",
         {{},
          [](QPainter& p) {
              p.setPen(QPen(p.brush().color(), 2, Qt::SolidLine, Qt::RoundCap));
              p.setBrush(Qt::NoBrush);
              QPainterPath outer;
              outer.moveTo(7, 9.5);
              outer.cubicTo(7, 2, 19, 2, 19, 9.5);
              outer.cubicTo(19, 14, 14, 14, 14, 18);
              outer.cubicTo(14, 22, 8, 22, 8, 18.5);
              p.drawPath(outer);
              QPainterPath inner;
              inner.moveTo(10.5, 10);
              inner.cubicTo(10.5, 6, 15.5, 6, 15.5, 10);
              inner.cubicTo(15.5, 12, 13, 12.5, 12.5, 14);
              p.drawPath(inner);
          }}},
        {"record.circle",
         {"media-record",
          [](QPainter& p) {
              ring(p);
              p.drawEllipse(QRectF(7, 7, 10, 10));
          }}},
        {"tortoise", {{}, [](QPainter& p) { animal(p, false); }}},
        {"hare", {{}, [](QPainter& p) { animal(p, true); }}},
    };
    return entries;
}

// Draws a symbol at any size and at the pixel density of what it is drawn on, so that the
// fallback stays sharp on every screen. The colour is taken from the palette when drawn.
class DrawnSymbolEngine final : public QIconEngine {
public:
    DrawnSymbolEngine(Drawing draw, std::optional<Style::Tone> tone)
        : m_draw(std::move(draw)), m_tone(std::move(tone)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette palette = QApplication::palette();
        QColor color = m_tone ? m_tone->in(palette) : palette.color(QPalette::WindowText);
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.4f);
        const int side = std::min(rect.width(), rect.height());
        const qreal ratio = painter->device()->devicePixelRatioF();
        // Drawn on a layer of its own so that cut-outs (Clear) never reach the painter's canvas.
        QImage layer(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
        layer.setDevicePixelRatio(ratio);
        layer.fill(Qt::transparent);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(side / 24.0, side / 24.0);
            p.setBrush(color);
            p.setPen(Qt::NoPen);
            m_draw(p);
        }
        painter->drawImage(
            QPoint(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2),
            layer);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnSymbolEngine(m_draw, m_tone); }
    QString key() const override { return QStringLiteral("QuellinDrawnSymbol"); }

private:
    Drawing m_draw;
    std::optional<Style::Tone> m_tone; // none: the text colour
};

} // namespace

namespace Symbols {

void ensureTheme() {
    static bool done = false;
    if (done)
        return;
    done = true;
    if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor"))
        return;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(data).filePath(QStringLiteral("icons"));
        if (!paths.contains(icons) && QDir(icons).exists())
            paths.append(icons);
    }
    QIcon::setThemeSearchPaths(paths);
    for (const QString& path : paths) {
        if (QFile::exists(QDir(path).filePath(QStringLiteral("Adwaita/index.theme")))) {
            QIcon::setThemeName(QStringLiteral("Adwaita"));
            return;
        }
    }
    QIcon::setThemeName(QStringLiteral("hicolor"));
}

QIcon icon(const QString& symbol, const QColor& color) {
    ensureTheme();
    const auto found = table().find(symbol);
    Q_ASSERT_X(found != table().end(), "Symbols::icon", qPrintable(symbol));
    if (found == table().end())
        return {};
    // The theme's icons have colours of their own: where a colour is asked for, the picture is
    // drawn in it.
    if (!color.isValid() && !found->second.themeName.isEmpty() &&
        QIcon::hasThemeIcon(found->second.themeName))
        return QIcon::fromTheme(found->second.themeName);
    std::optional<Style::Tone> tone;
    if (color.isValid())
        tone = Style::Tone(color, QApplication::palette());
    return QIcon(new DrawnSymbolEngine(found->second.draw, tone));
}

QString themeName(const QString& symbol) {
    const auto found = table().find(symbol);
    return found == table().end() ? QString() : found->second.themeName;
}

QStringList all() {
    QStringList names;
    for (const auto& [name, entry] : table())
        names.append(name);
    return names;
}

} // namespace Symbols

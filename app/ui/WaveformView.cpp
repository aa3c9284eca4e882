#include "ui/WaveformView.h"

#include "ui/ReducedMotion.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int frameIntervalMs = 16; // every animation frame
constexpr int reducedIntervalMs = 500;
constexpr double fadedOpacity = 0.3;
constexpr double underLinesOpacity = 0.45;

} // namespace

WaveformView::WaveformView(QWidget* parent)
    : QWidget(parent), m_tint(palette().color(QPalette::Highlight), palette()),
      m_reduceMotion(ReducedMotion::desktop()) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        update();
        // Under reduced motion the first tick aligns to the start; after that every 0.5 s.
        if (m_timer.interval() != reducedIntervalMs && m_reduceMotion)
            m_timer.setInterval(reducedIntervalMs);
    });
}

void WaveformView::setBars(std::vector<float> bars) {
    m_bars = std::move(bars);
    update();
}

void WaveformView::setTint(const QColor& tint) {
    m_tint = Style::Tone(tint, palette());
    update();
}

void WaveformView::setPlaying(std::optional<Playing> playing) {
    m_playing = std::move(playing);
    updateTimer();
    update();
}

void WaveformView::setMelodies(std::vector<Melody> melodies) {
    m_melodies = std::move(melodies);
    update();
}

void WaveformView::setMarks(std::vector<std::pair<double, double>> marks) {
    m_marks = std::move(marks);
    update();
}

void WaveformView::setReduceMotion(bool reduce) {
    m_reduceMotion = reduce;
    updateTimer();
}

void WaveformView::updateTimer() {
    m_timer.stop();
    if (!m_playing)
        return;
    if (!m_reduceMotion) {
        m_timer.setInterval(frameIntervalMs);
    } else {
        // Ticks fall on start, start + 0.5 s, start + 1 s, …
        const qint64 elapsed = m_playing->start.msecsTo(QDateTime::currentDateTimeUtc());
        const qint64 sincePrevious =
            ((elapsed % reducedIntervalMs) + reducedIntervalMs) % reducedIntervalMs;
        m_timer.setInterval(static_cast<int>(reducedIntervalMs - sincePrevious));
    }
    m_timer.start();
}

QRectF WaveformView::barRect(int index, int count, const QSizeF& canvas, float height) {
    const double slot = canvas.width() / count;
    const double width = std::max(slot * 0.62, 1.0);
    const double inset = (slot - width) / 2;
    const double h = std::max((canvas.height() - 4) * static_cast<double>(height), 2.0);
    return {inset + slot * index, canvas.height() / 2 - h / 2, width, h};
}

std::optional<double> WaveformView::progress(const std::optional<Playing>& playing,
                                             const QDateTime& now) {
    if (!playing)
        return std::nullopt;
    if (!(playing->length > 0))
        return 1.0;
    const double elapsed = static_cast<double>(playing->start.msecsTo(now)) / 1000.0;
    return std::clamp(elapsed / playing->length, 0.0, 1.0);
}

bool WaveformView::isFull(int index, int count, std::optional<double> progress) {
    return !progress || static_cast<double>(index) / count < *progress;
}

std::vector<QPolygonF> WaveformView::melodyLines(const std::vector<float>& semitones,
                                                 const QSizeF& canvas) {
    std::vector<QPolygonF> lines;
    const double step = canvas.width() / double(std::max<size_t>(semitones.size(), 1));
    const double half = canvas.height() / 2 - 3;
    bool voiced = false;
    for (size_t i = 0; i < semitones.size(); ++i) {
        if (std::isnan(semitones[i])) {
            voiced = false;
            continue;
        }
        if (!voiced)
            lines.emplace_back();
        voiced = true;
        const double s = std::clamp(double(semitones[i]), -semitoneReach, semitoneReach);
        lines.back() << QPointF((double(i) + 0.5) * step,
                                canvas.height() / 2 - s / semitoneReach * half);
    }
    return lines;
}

void WaveformView::paintEvent(QPaintEvent*) {
    const int count = static_cast<int>(m_bars.size());
    if (count == 0)
        return;
    QPainter painter(this);
    paintBars(painter, count);
    QColor band = palette().color(QPalette::Text);
    band.setAlphaF(0.12f);
    for (const auto& [from, to] : m_marks) {
        const double left = from * width();
        painter.fillRect(QRectF(left, 0, std::max((to - from) * width(), 4.0), height()), band);
    }
    painter.setBrush(Qt::NoBrush);
    for (const Melody& melody : m_melodies) {
        QPen pen(melody.colour, melody.faint ? 2 : 3);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        if (melody.faint)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        for (const QPolygonF& line : melodyLines(melody.semitones, size()))
            line.size() == 1 ? painter.drawPoint(line.front()) : painter.drawPolyline(line);
    }
}

void WaveformView::paintBars(QPainter& painter, int count) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const auto current = progress(m_playing, QDateTime::currentDateTimeUtc());
    // Under melody lines the bars step back so that the lines read.
    QColor full = tint();
    if (!m_melodies.empty())
        full.setAlphaF(static_cast<float>(full.alphaF() * underLinesOpacity));
    QColor faded = full;
    faded.setAlphaF(static_cast<float>(full.alphaF() * fadedOpacity));
    const QSizeF canvas = size();
    for (int i = 0; i < count; ++i) {
        const QRectF rect = barRect(i, count, canvas, m_bars[static_cast<size_t>(i)]);
        const double radius = rect.width() / 2;
        painter.setBrush(isFull(i, count, current) ? full : faded);
        painter.drawRoundedRect(rect, radius, radius);
    }
}

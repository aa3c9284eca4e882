#pragma once

#include "ui/Style.h"

#include <QColor>
#include <QDateTime>
#include <QPolygonF>
#include <QRectF>
#include <QTimer>
#include <QWidget>

class QPainter;

#include <optional>
#include <vector>

// Draws loudness as rounded vertical bars on the mid-line. While the sound plays, the bars
// already heard are drawn in full colour and the rest faded. Over the bars it can draw melody
// lines (semitones, spread evenly across the width, gaps where unvoiced) and mark stretches
// (pauses) as shaded bands.
class WaveformView final : public QWidget {
    Q_OBJECT

public:
    struct Playing {
        QDateTime start;
        double length = 0; // seconds
    };
    struct Melody {
        std::vector<float> semitones; // NaN where unvoiced
        QColor colour;
        bool faint = false; // a reference drawn thin and dashed behind the others
    };
    // Semitones from the middle to the top edge.
    static constexpr double semitoneReach = 9;

    explicit WaveformView(QWidget* parent = nullptr);

    void setBars(std::vector<float> bars);
    const std::vector<float>& bars() const { return m_bars; }
    void setTint(const QColor& tint);
    // As a tone of the palette it follows a change of colour scheme.
    QColor tint() const { return m_tint.in(palette()); }
    void setPlaying(std::optional<Playing> playing);
    void setMelodies(std::vector<Melody> melodies);
    const std::vector<Melody>& melodies() const { return m_melodies; }
    // Stretches as fractions of the width (0…1).
    void setMarks(std::vector<std::pair<double, double>> marks);
    const std::optional<Playing>& playing() const { return m_playing; }
    // Under reduced motion the progress is redrawn twice a second instead of every frame. It
    // follows the desktop's setting unless set here.
    void setReduceMotion(bool reduce);
    bool reduceMotion() const { return m_reduceMotion; }

    // The geometry of bar i of n in a canvas of the given size.
    static QRectF barRect(int index, int count, const QSizeF& canvas, float height);
    // Progress of a playing sound at `now`: 0…1, or none when nothing plays.
    static std::optional<double> progress(const std::optional<Playing>& playing,
                                          const QDateTime& now);
    // Whether bar i of n is drawn in full colour at the given progress.
    static bool isFull(int index, int count, std::optional<double> progress);
    // The line of a melody in a canvas: one polyline per voiced run, semitones beyond the reach
    // held at the edge.
    static std::vector<QPolygonF> melodyLines(const std::vector<float>& semitones,
                                              const QSizeF& canvas);

    QSize sizeHint() const override { return {280, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateTimer();
    void paintBars(QPainter& painter, int count);

    std::vector<float> m_bars;
    Style::Tone m_tint;
    std::optional<Playing> m_playing;
    std::vector<Melody> m_melodies;
    std::vector<std::pair<double, double>> m_marks;
    bool m_reduceMotion;
    QTimer m_timer;
};

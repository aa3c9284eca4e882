#pragma once

#include <QColor>
#include <QDateTime>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

// Draws loudness as rounded vertical bars on the mid-line. While the sound plays, the bars
// already heard are drawn in full colour and the rest faded.
class WaveformView final : public QWidget {
    Q_OBJECT

public:
    struct Playing {
        QDateTime start;
        double length = 0; // seconds
    };

    explicit WaveformView(QWidget* parent = nullptr);

    void setBars(std::vector<float> bars);
    const std::vector<float>& bars() const { return m_bars; }
    void setTint(const QColor& tint);
    QColor tint() const { return m_tint; }
    void setPlaying(std::optional<Playing> playing);
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

    QSize sizeHint() const override { return {280, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateTimer();

    std::vector<float> m_bars;
    QColor m_tint;
    std::optional<Playing> m_playing;
    bool m_reduceMotion;
    QTimer m_timer;
};

#pragma once

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;

// The microphone level and the seconds left while an attempt is recorded, redrawn every 0.05 s
// while it is on screen.
class RecordingMeter final : public QWidget {
    Q_OBJECT

public:
    // `level` gives the microphone level in 0…1 (0 when nothing records).
    explicit RecordingMeter(std::function<double()> level, QWidget* parent = nullptr);

    // The recording phase: when it began and how many seconds it may last.
    void setPhase(const QDateTime& start, double length);
    // Reads the level and the clock and redraws; the timer calls it on each tick.
    void tick(const QDateTime& now);

    // Whole seconds left, rounded up, never below 0: 2.3 s left shows 3.
    static int secondsLeft(const QDateTime& start, double length, const QDateTime& now);

    QProgressBar* levelBar() const { return m_level; }
    QLabel* secondsLabel() const { return m_seconds; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::function<double()> m_levelSource;
    QDateTime m_start;
    double m_length = 0;
    QTimer m_timer;
    QProgressBar* m_level;
    QLabel* m_seconds;
};

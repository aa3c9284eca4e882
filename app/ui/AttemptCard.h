#pragma once

#include "ui/Card.h"
#include "ui/WaveformView.h"

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QStackedWidget;
class RecordingMeter;

// "Your attempt": the recording meter while recording, the take's orange waveform when there is
// a take, and otherwise a hint on how to record one.
class AttemptCard final : public Card {
    Q_OBJECT

public:
    enum class State { hint, take, recording };

    // `level` gives the microphone level in 0…1 for the meter.
    explicit AttemptCard(std::function<double()> level, QWidget* parent = nullptr);

    void showHint();
    void showTake(std::vector<float> bars, std::optional<WaveformView::Playing> playing);
    void showRecording(const QDateTime& start, double length);
    State state() const { return m_state; }

    WaveformView* waveform() const { return m_waveform; }
    RecordingMeter* meter() const { return m_meter; }
    QLabel* hint() const { return m_hint; }

private:
    QStackedWidget* m_stack;
    QLabel* m_hint;
    WaveformView* m_waveform;
    RecordingMeter* m_meter;
    State m_state = State::hint;
};

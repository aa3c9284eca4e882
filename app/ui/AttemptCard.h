#pragma once

#include "feedback/AttemptFeedback.h"
#include "ui/Card.h"
#include "ui/WaveformView.h"

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QStackedWidget;
class RecordingMeter;

// "Your attempt": the recording meter while recording, the take's orange waveform when there is
// a take, and otherwise a hint on how to record one. With a take compared with its sentence it
// draws the take's melody on the sentence's time axis (the original's dashed behind it, pauses
// only one of the two makes shaded), shows the sentence's words with those heard in the take
// marked, and explains the figures in words below. Main thread.
class AttemptCard final : public Card {
    Q_OBJECT

public:
    enum class State { hint, take, recording };

    // `level` gives the microphone level in 0…1 for the meter.
    explicit AttemptCard(std::function<double()> level, QWidget* parent = nullptr);

    void showHint();
    // `feedback` none: the take could not be compared; only its waveform shows.
    void showTake(std::vector<float> bars, std::optional<WaveformView::Playing> playing,
                  const std::optional<AttemptFeedback>& feedback, bool showIntonation);
    void showRecording(const QDateTime& start, double length);
    State state() const { return m_state; }

    // The sentence's words as rich text: heard ones in the accent colour, missed ones dimmed.
    QString wordsText(const std::vector<AttemptFeedback::HeardWord>& words) const;
    // The same for a screen reader, which can't see colours: the words missed.
    QString missedText(const std::vector<AttemptFeedback::HeardWord>& words) const;
    // The figures of a comparison in the learner's words, one line each.
    static QString figuresText(const AttemptFeedback& feedback);

    WaveformView* waveform() const { return m_waveform; }
    RecordingMeter* meter() const { return m_meter; }
    QLabel* hint() const { return m_hint; }
    QLabel* figures() const { return m_figures; }
    QLabel* words() const { return m_words; }
    QCheckBox* showIntonationBox() const { return m_showIntonation; }

Q_SIGNALS:
    // The user turned the melody lines on or off.
    void showIntonationChosen(bool show);

private:
    QStackedWidget* m_stack;
    QLabel* m_hint;
    QWidget* m_takePage;
    WaveformView* m_waveform;
    QLabel* m_words;
    QLabel* m_figures;
    QCheckBox* m_showIntonation;
    RecordingMeter* m_meter;
    State m_state = State::hint;
};

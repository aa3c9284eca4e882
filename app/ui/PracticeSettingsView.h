#pragma once

#include "ui/RoundedPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The practice settings panel: repeats, speed, the pause after each repetition and
// auto-advance, in a two-column grid. It shows the values it is given and reports each change.
class PracticeSettingsView final : public RoundedPanel {
    Q_OBJECT

public:
    // `minimumPause` is the shortest pause in seconds, quoted in the pause picker's help text.
    explicit PracticeSettingsView(double minimumPause, QWidget* parent = nullptr);

    void setValues(int repeats, double rate, double gapFactor, bool autoAdvance);

    // round(rate × 100) with halves away from zero, then "%": 0.55 gives "55%".
    static QString speedText(double rate);
    // The pause choices: "None", "½ sentence", "1 sentence", "1½ sentences", "2 sentences".
    static QString gapText(double gapFactor);

    QSpinBox* repeatsBox() const { return m_repeats; }
    QSlider* rateSlider() const { return m_rate; }
    QLabel* speedLabel() const { return m_speed; }
    QPushButton* normalButton() const { return m_normal; }
    QComboBox* gapPicker() const { return m_gap; }
    QCheckBox* autoAdvanceToggle() const { return m_autoAdvance; }

Q_SIGNALS:
    void repeatsChosen(int repeats);
    void rateChosen(double rate);
    void normalSpeedRequested();
    void gapFactorChosen(double gapFactor);
    void autoAdvanceChosen(bool on);

private:
    QSpinBox* m_repeats;
    QSlider* m_rate;
    QLabel* m_speed;
    QPushButton* m_normal;
    QComboBox* m_gap;
    QCheckBox* m_autoAdvance;
};

#include "ui/AttemptCard.h"

#include "ui/RecordingMeter.h"
#include "ui/Style.h"

#include <QLabel>
#include <QStackedWidget>

AttemptCard::AttemptCard(std::function<double()> level, QWidget* parent)
    : Card(QStringLiteral("person.wave.2"), QStringLiteral("Your attempt"), parent) {
    m_stack = new QStackedWidget(this);
    m_hint = new QLabel(QStringLiteral("Press Record (Ctrl+R): you hear the sentence once, then "
                                       "say it. Your attempt shows here."),
                        m_stack);
    m_hint->setObjectName(QStringLiteral("attemptHint"));
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_hint->setMinimumHeight(70);
    Style::apply(m_hint, Style::Text::callout, Style::secondary(this));
    m_stack->addWidget(m_hint);
    m_waveform = new WaveformView(m_stack);
    m_waveform->setObjectName(QStringLiteral("takeWaveform"));
    m_waveform->setFixedHeight(70);
    m_waveform->setTint(Style::orange());
    m_stack->addWidget(m_waveform);
    m_meter = new RecordingMeter(std::move(level), m_stack);
    m_stack->addWidget(m_meter);
    m_stack->setMinimumHeight(70);
    setContent(m_stack);
    showHint();
}

void AttemptCard::showHint() {
    m_waveform->setPlaying(std::nullopt);
    m_stack->setCurrentWidget(m_hint);
    m_state = State::hint;
}

void AttemptCard::showTake(std::vector<float> bars, std::optional<WaveformView::Playing> playing) {
    m_waveform->setBars(std::move(bars));
    m_waveform->setPlaying(std::move(playing));
    m_stack->setCurrentWidget(m_waveform);
    m_state = State::take;
}

void AttemptCard::showRecording(const QDateTime& start, double length) {
    m_waveform->setPlaying(std::nullopt);
    m_meter->setPhase(start, length);
    m_stack->setCurrentWidget(m_meter);
    m_state = State::recording;
}

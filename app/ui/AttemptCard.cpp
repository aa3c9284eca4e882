#include "ui/AttemptCard.h"

#include "ui/RecordingMeter.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>

AttemptCard::AttemptCard(std::function<double()> level, QWidget* parent)
    : Card(QStringLiteral("person.wave.2"), tr("Your attempt"), parent) {
    m_stack = new QStackedWidget(this);
    m_hint = new QLabel(tr("Press Record (Ctrl+R): you hear the sentence once, then "
                           "say it. Your attempt shows here."),
                        m_stack);
    m_hint->setObjectName(QStringLiteral("attemptHint"));
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_hint->setMinimumHeight(70);
    Style::apply(m_hint, Style::Text::callout, Style::secondary(this));
    m_stack->addWidget(m_hint);

    m_takePage = new QWidget(m_stack);
    auto* page = new QVBoxLayout(m_takePage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(8);
    m_waveform = new WaveformView(m_takePage);
    m_waveform->setObjectName(QStringLiteral("takeWaveform"));
    m_waveform->setFixedHeight(70);
    m_waveform->setTint(Style::orange());
    page->addWidget(m_waveform);
    m_words = new QLabel(m_takePage);
    m_words->setObjectName(QStringLiteral("heardWords"));
    m_words->setWordWrap(true);
    m_words->setTextFormat(Qt::RichText);
    Style::apply(m_words, Style::Text::body, Style::primary(this));
    page->addWidget(m_words);
    auto* below = new QHBoxLayout;
    m_figures = new QLabel(m_takePage);
    m_figures->setObjectName(QStringLiteral("attemptFigures"));
    m_figures->setWordWrap(true);
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::apply(m_figures, Style::Text::callout, Style::secondary(this));
    below->addWidget(m_figures, 1);
    m_showIntonation = new QCheckBox(tr("Show Intonation"), m_takePage);
    m_showIntonation->setObjectName(QStringLiteral("showIntonation"));
    m_showIntonation->setToolTip(
        tr("Draw the melody of the original and of your attempt over the waveforms"));
    connect(m_showIntonation, &QCheckBox::toggled, this, &AttemptCard::showIntonationChosen);
    below->addWidget(m_showIntonation, 0, Qt::AlignTop);
    page->addLayout(below);
    m_stack->addWidget(m_takePage);

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

void AttemptCard::showTake(std::vector<float> bars, std::optional<WaveformView::Playing> playing,
                           const std::optional<AttemptFeedback>& feedback, bool showIntonation) {
    m_waveform->setBars(std::move(bars));
    m_waveform->setPlaying(std::move(playing));
    std::vector<WaveformView::Melody> melodies;
    std::vector<std::pair<double, double>> marks;
    if (feedback && showIntonation) {
        melodies.push_back({feedback->originalPitch, Style::accent(this), true});
        melodies.push_back({feedback->takePitch, Style::orange().darker(130), false});
        const double length = feedback->hop * double(feedback->originalPitch.size());
        for (const AttemptFeedback::PauseDifference& pause : feedback->pauses)
            marks.emplace_back(pause.at.start / length, pause.at.end / length);
    }
    m_waveform->setMelodies(std::move(melodies));
    m_waveform->setMarks(std::move(marks));
    const bool words = feedback && feedback->heard && !feedback->heard->empty();
    m_words->setText(words ? wordsText(*feedback->heard) : QString());
    m_words->setToolTip(words ? tr("The sentence’s words: the ones heard in your attempt are "
                                   "coloured, the ones missed are dimmed.")
                              : QString());
    m_words->setAccessibleDescription(words ? missedText(*feedback->heard) : QString());
    m_words->setVisible(words);
    m_figures->setText(feedback ? figuresText(*feedback) : QString());
    m_figures->setVisible(feedback.has_value());
    m_showIntonation->setVisible(feedback.has_value());
    const QSignalBlocker quiet(m_showIntonation);
    m_showIntonation->setChecked(showIntonation);
    m_stack->setCurrentWidget(m_takePage);
    m_state = State::take;
}

void AttemptCard::showRecording(const QDateTime& start, double length) {
    m_waveform->setPlaying(std::nullopt);
    m_meter->setPhase(start, length);
    m_stack->setCurrentWidget(m_meter);
    m_state = State::recording;
}

QString AttemptCard::figuresText(const AttemptFeedback& feedback) {
    QStringList lines;
    lines << (feedback.pace ? AttemptFeedback::paceWords(*feedback.pace)
                            : tr("No speech was heard in your attempt."));
    lines << (feedback.intonationMatch
                  ? tr("Intonation match: %1 of 100, %2.")
                        .arg(*feedback.intonationMatch)
                        .arg(AttemptFeedback::matchWords(*feedback.intonationMatch))
                  : tr("Intonation match: too little of the two was voiced to compare."));
    if (feedback.pace && feedback.pauses.empty())
        lines << tr("You paused where the original pauses.");
    for (const AttemptFeedback::PauseDifference& pause : feedback.pauses)
        lines << AttemptFeedback::pauseWords(pause);
    return lines.join(QLatin1Char('\n'));
}

QString AttemptCard::wordsText(const std::vector<AttemptFeedback::HeardWord>& words) const {
    QStringList spans;
    for (const AttemptFeedback::HeardWord& word : words) {
        // A word the recogniser cannot check is shown as plain text. The dimmed colour is the
        // text colour made translucent: its alpha goes into the rich text too.
        const QColor colour = !word.heard   ? Style::primary(this)
                              : *word.heard ? Style::accent(this)
                                            : Style::tertiary(this);
        spans << QStringLiteral("<span style=\"color:%1\">%2</span>")
                     .arg(colour.name(QColor::HexArgb), word.word.toHtmlEscaped());
    }
    return spans.join(QLatin1Char(' '));
}

QString AttemptCard::missedText(const std::vector<AttemptFeedback::HeardWord>& words) const {
    QStringList missed;
    for (const AttemptFeedback::HeardWord& word : words)
        if (word.heard == false)
            missed << word.word;
    return missed.isEmpty() ? tr("Every word was heard.")
                            : tr("Not heard: %1.").arg(missed.join(QStringLiteral(", ")));
}

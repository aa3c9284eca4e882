#include "ui/PracticeView.h"

#include "audio/Player.h"
#include "audio/Recorder.h"
#include "base/TextConfidence.h"
#include "practice/PracticePlan.h"
#include "ui/AttemptCard.h"
#include "ui/Card.h"
#include "ui/PhaseLabel.h"
#include "ui/PictureView.h"
#include "ui/Placeholder.h"
#include "ui/PracticeSettingsView.h"
#include "ui/Style.h"
#include "ui/Symbols.h"
#include "ui/WaveformView.h"
#include "video/PictureFeed.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int barCount = 140;

QPushButton* controlButton(const QString& symbol, const QString& text, const QString& help,
                           QWidget* parent) {
    // Drawn in the text colour: the theme's media icons are faint next to the other symbols.
    auto* button = new QPushButton(Symbols::icon(symbol, Style::primary(parent)), text, parent);
    button->setToolTip(help);
    button->setIconSize(QSize(18, 18));
    button->setMinimumHeight(36);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Space is the loop button's shortcut anywhere in its window, yet a focused control that Space
// works keeps it: a keyboard user on a button, check box or menu button expects Space to press
// it. Text fields keep it on their own. The filter watches the whole application because the
// focus may be outside this view (the toolbar); it ends with the loop button.
class SpaceForFocusedControls final : public QObject {
public:
    explicit SpaceForFocusedControls(QPushButton* loop) : QObject(loop), m_loop(loop) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->hasFocus() || widget->window() != m_loop->window() ||
            !(qobject_cast<const QAbstractButton*>(widget) ||
              qobject_cast<const QComboBox*>(widget)))
            return false;
        if (QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) != m_loop->shortcut())
            return false;
        // Accepting the override sends the key to the focused control instead of the shortcut.
        event->accept();
        return true;
    }

private:
    QPushButton* m_loop;
};

bool playsOriginal(const AppModel::Phase& phase) {
    using Kind = AppModel::Phase::Kind;
    return phase.kind == Kind::playing || phase.kind == Kind::original ||
           phase.kind == Kind::listenFirst;
}

} // namespace

PracticeView::PracticeView(AppModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    m_stack = new QStackedLayout(this);
    m_placeholder = new Placeholder(this);
    m_placeholder->present(QStringLiteral("text.line.first.and.arrowtriangle.forward"),
                           tr("Pick a sentence"));
    m_stack->addWidget(m_placeholder);

    m_feed = new PictureFeed([this] { return m_model.player().position(); }, this);
    m_stack->addWidget(withPicture(Style::scrollArea(makeContent(), this)));

    for (auto changed : {&AppModel::sessionChanged, &AppModel::showPictureChanged})
        connect(&m_model, changed, this, &PracticeView::showPicture);
    connect(m_feed, &PictureFeed::pictureChanged, this, &PracticeView::showPicture);
    showPicture();
    for (auto changed :
         {&AppModel::sessionChanged, &AppModel::profileChanged, &AppModel::phaseChanged,
          &AppModel::phaseStartChanged, &AppModel::phaseLengthChanged, &AppModel::takeChanged,
          &AppModel::showIntonationChanged, &AppModel::melodyChanged})
        connect(&m_model, changed, this, &PracticeView::refresh);
    m_built = true;
    refresh();
}

QWidget* PracticeView::makeContent() {
    auto* page = new QWidget;
    QVBoxLayout* layout = Style::centredColumn(page, 24, 820, 18);
    QWidget* column = layout->parentWidget();

    m_pictureNotice = new QLabel(column);
    m_pictureNotice->setObjectName(QStringLiteral("pictureNotice"));
    m_pictureNotice->setWordWrap(true);
    Style::apply(m_pictureNotice, Style::Text::callout, Style::secondary(this));
    m_pictureNotice->hide();
    layout->addWidget(m_pictureNotice);

    // Header: place and times, then the phase caption and the hard button.
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    auto* where = new QVBoxLayout;
    where->setSpacing(2);
    m_place = new QLabel(column);
    m_place->setObjectName(QStringLiteral("place"));
    Style::apply(m_place, Style::Text::headline, Style::primary(this));
    where->addWidget(m_place);
    where->addLayout(makeTimesRow(column));
    header->addLayout(where);
    header->addStretch();
    m_phase = new PhaseLabel(column);
    header->addWidget(m_phase, 0, Qt::AlignTop);
    m_hard = new QPushButton(column);
    m_hard->setObjectName(QStringLiteral("hard"));
    m_hard->setFlat(true);
    m_hard->setToolTip(tr("Mark this sentence hard (Ctrl+D)"));
    m_hard->setFocusPolicy(Qt::TabFocus);
    connect(m_hard, &QPushButton::clicked, this, [this] { m_model.toggleHard(); });
    header->addWidget(m_hard, 0, Qt::AlignTop);
    layout->addLayout(header);

    m_transcript = new QLabel(column);
    m_transcript->setObjectName(QStringLiteral("transcript"));
    m_transcript->setWordWrap(true);
    m_transcript->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_transcript->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_transcript);
    layout->addLayout(makeUncertaintyNote(column));

    auto* cards = new QVBoxLayout;
    cards->setSpacing(10);
    auto* originalCard = new Card(QStringLiteral("waveform"), tr("Original"), column);
    m_original = new WaveformView(originalCard);
    m_original->setObjectName(QStringLiteral("originalWaveform"));
    m_original->setFixedHeight(70);
    m_original->setTint(Style::accent(this));
    originalCard->setContent(m_original);
    cards->addWidget(originalCard);
    m_attempt = new AttemptCard([this] { return m_model.recorder().level(); }, column);
    connect(m_attempt, &AttemptCard::showIntonationChosen, this,
            [this](bool show) { m_model.setShowIntonation(show); });
    cards->addWidget(m_attempt);
    layout->addLayout(cards);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(8);
    m_previous = controlButton(QStringLiteral("backward.end.fill"), tr("Previous"),
                               tr("Previous sentence (↑ in the list, or Ctrl+[)"), column);
    connect(m_previous, &QPushButton::clicked, this, [this] { m_model.previous(); });
    controls->addWidget(m_previous);
    m_loop = controlButton(QStringLiteral("repeat"), tr("Loop"), {}, column);
    m_loop->setObjectName(QStringLiteral("loop"));
    m_loop->setMinimumWidth(96);
    m_loop->setDefault(true);
    // Space loops and stops wherever the focus is, except on a control that Space works.
    m_loop->setShortcut(QKeySequence(Qt::Key_Space));
    new SpaceForFocusedControls(m_loop);
    Style::makeProminent(m_loop);
    connect(m_loop, &QPushButton::clicked, this, [this] { m_model.loopOrStop(); });
    controls->addWidget(m_loop);
    m_next = controlButton(QStringLiteral("forward.end.fill"), tr("Next"),
                           tr("Next sentence (↓ in the list, or Ctrl+])"), column);
    connect(m_next, &QPushButton::clicked, this, [this] { m_model.next(); });
    controls->addWidget(m_next);
    m_record = controlButton(QStringLiteral("mic"), tr("Record"),
                             tr("Hear the sentence once, then record yourself (Ctrl+R)"), column);
    m_record->setObjectName(QStringLiteral("record"));
    QPalette red = m_record->palette();
    red.setColor(QPalette::ButtonText, Style::red());
    m_record->setPalette(red);
    connect(m_record, &QPushButton::clicked, this, [this] { m_model.record(); });
    controls->addWidget(m_record);
    m_compare = controlButton(QStringLiteral("arrow.left.arrow.right"), tr("Compare"),
                              tr("Play the original, then your attempt (Ctrl+E)"), column);
    m_compare->setObjectName(QStringLiteral("compare"));
    connect(m_compare, &QPushButton::clicked, this, [this] { m_model.compare(); });
    controls->addWidget(m_compare);
    controls->addStretch();
    layout->addLayout(controls);

    m_settings = new PracticeSettingsView(PracticePlan::minGap, column);
    connect(m_settings, &PracticeSettingsView::repeatsChosen, this,
            [this](int repeats) { m_model.setRepeats(repeats); });
    connect(m_settings, &PracticeSettingsView::rateChosen, this,
            [this](double rate) { m_model.setRate(rate); });
    connect(m_settings, &PracticeSettingsView::normalSpeedRequested, this,
            [this] { m_model.normalSpeed(); });
    connect(m_settings, &PracticeSettingsView::gapFactorChosen, this,
            [this](double factor) { m_model.setGapFactor(factor); });
    connect(m_settings, &PracticeSettingsView::autoAdvanceChosen, this,
            [this](bool on) { m_model.setAutoAdvance(on); });
    layout->addWidget(m_settings);
    layout->addStretch();
    m_page = page;
    return page;
}

QLayout* PracticeView::makeTimesRow(QWidget* column) {
    // The times between the buttons that move the edge beside each, as the keys of the Edit menu
    // do.
    using Edge = SentenceEdits::Edge;
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    const auto edgeButton = [this, column, row](Edge edge, int steps) {
        auto* button = new QToolButton(column);
        const bool start = edge == Edge::start;
        button->setArrowType(steps < 0 ? Qt::LeftArrow : Qt::RightArrow);
        button->setAutoRaise(true);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setToolTip(steps < 0 ? (start ? tr("Start 50 ms earlier (Ctrl+Shift+Left)")
                                              : tr("End 50 ms earlier (Alt+Shift+Left)"))
                                     : (start ? tr("Start 50 ms later (Ctrl+Shift+Right)")
                                              : tr("End 50 ms later (Alt+Shift+Right)")));
        button->setAccessibleName(button->toolTip());
        connect(button, &QToolButton::clicked, this,
                [this, edge, steps] { m_model.nudgeEdge(edge, steps); });
        row->addWidget(button);
        m_edgeButtons.push_back(button);
    };
    edgeButton(Edge::start, -1);
    edgeButton(Edge::start, 1);
    m_times = new QLabel(column);
    m_times->setObjectName(QStringLiteral("times"));
    Style::apply(m_times, Style::Text::callout, Style::secondary(this));
    row->addSpacing(4);
    row->addWidget(m_times);
    row->addSpacing(4);
    edgeButton(Edge::end, -1);
    edgeButton(Edge::end, 1);
    row->addStretch();
    return row;
}

QWidget* PracticeView::withPicture(QWidget* content) {
    m_pictureSplit = new QSplitter(Qt::Vertical, this);
    m_pictureSplit->setObjectName(QStringLiteral("pictureSplit"));
    m_pictureSplit->setChildrenCollapsible(false);
    m_picture = new PictureView(*m_feed, m_pictureSplit);
    m_pictureSplit->addWidget(m_picture);
    m_pictureSplit->addWidget(content);
    // When the window is resized the picture takes the change: on a small screen it shrinks
    // before the controls do.
    m_pictureSplit->setStretchFactor(0, 1);
    m_pictureSplit->setStretchFactor(1, 0);
    m_picture->hide();
    connect(m_picture, &PictureView::enlargeToggled, this,
            [this] { setPictureEnlarged(!m_sizesBeforeEnlarging); });
    m_leaveEnlarged = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_leaveEnlarged->setContext(Qt::WidgetWithChildrenShortcut);
    m_leaveEnlarged->setEnabled(false);
    connect(m_leaveEnlarged, &QShortcut::activated, this, [this] { setPictureEnlarged(false); });
    return m_pictureSplit;
}

void PracticeView::showPicture() {
    const std::optional<Session>& session = m_model.session();
    const bool wanted = m_model.showPicture() && session;
    m_feed->open(wanted ? session->filePath : QString());
    std::optional<TimeRange> range;
    std::optional<double> nextStart;
    if (const std::optional<Sentence> sentence =
            session ? session->currentSentence() : std::nullopt) {
        range.emplace(sentence->start, sentence->end);
        if (const std::optional<qsizetype> next = session->step(session->current, 1))
            nextStart = session->sentences[size_t(*next)].start;
    }
    m_feed->setSentence(range, nextStart);

    const bool shown = m_feed->picture() && !m_feed->failure();
    if (shown != m_pictureShown) {
        m_pictureShown = shown;
        m_picture->setVisible(shown);
        if (shown) {
            // The picture starts as large as leaves the practice buttons in view, at least a fifth
            // of the height and at most under half of it or 16:9 of the column's width.
            const int total = std::max(m_pictureSplit->height(), 400);
            const int largest = std::min(total * 9 / 20, m_pictureSplit->width() * 9 / 16);
            const int buttonsEnd = m_record->mapTo(m_page, QPoint(0, m_record->height())).y();
            const int height =
                std::clamp(total - buttonsEnd - 12, total / 5, std::max(largest, total / 5));
            m_pictureSplit->setSizes({height, total - height});
        } else {
            setPictureEnlarged(false);
        }
    }
    m_pictureNotice->setVisible(m_feed->failure().has_value());
    if (const std::optional<QString>& failure = m_feed->failure())
        m_pictureNotice->setText(tr("%1 Practice goes on with the sound.").arg(*failure));
}

void PracticeView::setPictureEnlarged(bool enlarged) {
    if (enlarged == m_sizesBeforeEnlarging.has_value() || (enlarged && !m_pictureShown))
        return;
    m_leaveEnlarged->setEnabled(enlarged);
    if (enlarged) {
        m_sizesBeforeEnlarging = m_pictureSplit->sizes();
        // The content keeps only its smallest height: the practice keys still work.
        m_pictureSplit->setSizes({m_pictureSplit->height(), 0});
    } else {
        m_pictureSplit->setSizes(*std::exchange(m_sizesBeforeEnlarging, std::nullopt));
    }
}

QLayout* PracticeView::makeUncertaintyNote(QWidget* column) {
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    m_uncertaintyNote =
        new QLabel(tr("These words were recognised with little certainty and may be "
                      "wrong. Choose the recording’s language, or add subtitles or a "
                      "transcript."),
                   column);
    m_uncertaintyNote->setObjectName(QStringLiteral("uncertaintyNote"));
    m_uncertaintyNote->setWordWrap(true);
    Style::apply(m_uncertaintyNote, Style::Text::callout, Style::secondary(this));
    row->addWidget(m_uncertaintyNote, 1);
    m_plainText = new QPushButton(column);
    m_plainText->setObjectName(QStringLiteral("plainText"));
    m_plainText->setFocusPolicy(Qt::TabFocus);
    connect(m_plainText, &QPushButton::clicked, this, [this] {
        if (const std::optional<Session>& session = m_model.session())
            m_model.setShowUncertainText(!session->showUncertainText);
    });
    row->addWidget(m_plainText, 0, Qt::AlignTop);
    return row;
}

void PracticeView::showCertainty(const Session& session, const Sentence& sentence) {
    const bool fileReliable = TextConfidence::textReliable(session.sentences);
    const bool doubtful = TextConfidence::isDoubtful(sentence, fileReliable);
    const bool plain = session.showUncertainText;
    Style::apply(m_transcript, Style::Text::title2,
                 TextConfidence::isFaded(sentence, fileReliable, plain) ? Style::tertiary(this)
                                                                        : Style::primary(this));
    m_uncertaintyNote->setVisible(!fileReliable && !plain);
    m_plainText->setVisible(doubtful);
    m_plainText->setText(plain ? tr("Fade Uncertain Text") : tr("Show Text Plainly"));
    m_plainText->setToolTip(plain ? tr("Fade the words recognised with little certainty")
                                  : tr("Show every recognised word in full colour"));
}

QString PracticeView::placeText(qsizetype current, qsizetype count) {
    return tr("Sentence %1 of %2").arg(current + 1).arg(count);
}

QString PracticeView::timesText(const Sentence& sentence) {
    return TimeText::short_(sentence.start, true) + QStringLiteral(" – ") +
           TimeText::short_(sentence.end, true);
}

void PracticeView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && m_built)
        refresh();
    QWidget::changeEvent(event);
}

void PracticeView::refresh() {
    const std::optional<Session>& session = m_model.session();
    const std::optional<Sentence> sentence =
        session ? session->currentSentence() : std::optional<Sentence>();
    if (!sentence) {
        m_stack->setCurrentIndex(0);
        m_original->setPlaying(std::nullopt);
        m_attempt->showHint();
        return;
    }
    m_stack->setCurrentIndex(1);
    const AppModel::Phase phase = m_model.phase();
    using Kind = AppModel::Phase::Kind;
    const WaveformView::Playing playing{m_model.phaseStart(), m_model.phaseLength()};

    m_place->setText(placeText(session->current, qsizetype(session->sentences.size())));
    m_times->setText(timesText(*sentence));
    m_phase->setPhase(phase);
    m_hard->setText(sentence->hard ? tr("Hard") : tr("Mark Hard"));
    m_hard->setIcon(sentence->hard ? Symbols::icon(QStringLiteral("star.fill"), Style::orange())
                                   : Symbols::icon(QStringLiteral("star")));

    const bool hasText = sentence->text && !sentence->text->trimmed().isEmpty();
    if (hasText) {
        m_transcript->setText(sentence->text->trimmed());
        showCertainty(*session, *sentence);
    } else {
        // Recognition leaves a stretch in which it heard no words with empty text.
        m_transcript->setText(sentence->text
                                  ? tr("No words were recognised in this sentence. Listen, "
                                       "then say it back.")
                                  : tr("No transcript for this sentence: it was split at a "
                                       "pause. Listen, then say it back."));
        Style::apply(m_transcript, Style::Text::body, Style::secondary(this));
        m_uncertaintyNote->hide();
        m_plainText->hide();
    }

    const std::optional<EnergyProfile>& profile = m_model.profile();
    m_original->setBars(profile ? profile->bars(sentence->start, sentence->end, barCount)
                                : std::vector<float>());
    m_original->setPlaying(playsOriginal(phase) ? std::optional(playing) : std::nullopt);
    m_feed->setFollowing(playsOriginal(phase));

    const std::optional<AppModel::Take>& take = m_model.take();
    std::vector<WaveformView::Melody> melody;
    if (m_model.showIntonation() && !m_model.melody().empty())
        melody.push_back({m_model.melody(), Style::accent(this).darker(140)});
    m_original->setMelodies(std::move(melody));
    if (phase.kind == Kind::recording)
        m_attempt->showRecording(m_model.phaseStart(), m_model.phaseLength());
    else if (take)
        m_attempt->showTake(take->bars,
                            phase.kind == Kind::take ? std::optional(playing) : std::nullopt,
                            take->feedback, m_model.showIntonation());
    else
        m_attempt->showHint();

    const bool idle = phase.kind == Kind::idle;
    const PracticeSettings settings = m_model.effectiveSettings();
    m_loop->setText(idle ? tr("Loop") : tr("Stop"));
    m_loop->setIcon(Symbols::icon(idle ? QStringLiteral("repeat") : QStringLiteral("stop.fill"),
                                  m_loop->palette().color(QPalette::ButtonText)));
    m_loop->setToolTip(tr("Play the sentence %n time(s) with a pause to repeat it (Space)", nullptr,
                          settings.repeats));
    const bool recording = phase.kind == Kind::recording;
    m_record->setText(recording ? tr("Stop Recording") : tr("Record"));
    m_record->setIcon(Symbols::icon(
        recording ? QStringLiteral("stop.circle") : QStringLiteral("mic"), Style::red()));
    m_compare->setEnabled(take.has_value());
    m_settings->setValues(settings.repeats, settings.rate, settings.gapFactor,
                          settings.autoAdvance);
}

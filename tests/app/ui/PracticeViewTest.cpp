#include "ui/PracticeView.h"
#include "ModelHarness.h"
#include "ui/AttemptCard.h"
#include "ui/PhaseLabel.h"
#include "ui/Placeholder.h"
#include "ui/PracticeSettingsView.h"
#include "ui/RecordingMeter.h"
#include "ui/Style.h"
#include "ui/WaveformView.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using Phase = AppModel::Phase;

namespace {

const std::vector<double> threeBursts{1.0, 1.4, 0.9};

// Recognition that hears nothing: the pause split stays.
void hearNothing(ModelHarness& h) {
    h.engine().setScript({ScriptedEngine::finish(true)});
}

// Opens three bursts split at their pauses and waits until the model is idle.
bool openThreeBursts(ModelHarness& h) {
    hearNothing(h);
    return h.openAndSettle(
        ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts));
}

} // namespace

class PracticeViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void phaseTexts() {
        using Tone = PhaseLabel::Tone;
        QVERIFY(!PhaseLabel::content(Phase::idle()));
        QCOMPARE(PhaseLabel::content(Phase::playing(2, 3))->text, QStringLiteral("Playing 2 of 3"));
        const auto turn = *PhaseLabel::content(Phase::yourTurn(1, 5));
        QCOMPARE(turn.text, QStringLiteral("Your turn (1 of 5)"));
        QCOMPARE(turn.tone, Tone::accent);
        QCOMPARE(PhaseLabel::content(Phase::listenFirst())->text, QStringLiteral("Listen…"));
        QCOMPARE(PhaseLabel::content(Phase::recording())->tone, Tone::red);
        QCOMPARE(PhaseLabel::content(Phase::original())->text, QStringLiteral("Original"));
        QCOMPARE(PhaseLabel::content(Phase::take())->text, QStringLiteral("Your attempt"));
        QCOMPARE(PhaseLabel::content(Phase::take())->tone, Tone::orange);
        QCOMPARE(PracticeView::placeText(0, 12), QStringLiteral("Sentence 1 of 12"));
        QCOMPARE(PracticeView::timesText(Sentence(1.0, 63.46)), QStringLiteral("0:01.0 – 1:03.5"));
    }

    void showsTheCurrentSentence() {
        ModelHarness h;
        hearNothing(h);
        PracticeView view(h.model());
        view.resize(820, 900);
        view.show();
        QVERIFY(view.placeholder()->isVisible());
        QCOMPARE(view.placeholder()->title(), QStringLiteral("Pick a sentence"));

        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h->open(path);
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 10000);
        QVERIFY(h.settle());
        QVERIFY(!view.placeholder()->isVisible());
        QCOMPARE(view.placeLabel()->text(), QStringLiteral("Sentence 1 of 3"));
        QCOMPARE(view.timesLabel()->text(),
                 PracticeView::timesText(*h->session()->currentSentence()));
        // The recogniser heard no words: the hint, in the body font, not a title.
        QCOMPARE(view.transcript()->text(),
                 QStringLiteral("No words were recognised in this sentence. Listen, then say "
                                "it back."));
        QVERIFY(view.transcript()->font().pointSizeF() < QApplication::font().pointSizeF() * 1.2);
        QCOMPARE(view.originalWaveform()->bars().size(), size_t(140));
        QVERIFY(!view.originalWaveform()->playing());
        QCOMPARE(view.attemptCard()->state(), AttemptCard::State::hint);
        QVERIFY(!view.compareButton()->isEnabled());
        QCOMPARE(view.hardButton()->text(), QStringLiteral("Mark Hard"));
        QCOMPARE(view.loopButton()->toolTip(),
                 QStringLiteral("Play the sentence 3 times with a pause to repeat it (Space)"));

        view.hardButton()->click();
        QVERIFY(h->session()->sentences[0].hard);
        QCOMPARE(view.hardButton()->text(), QStringLiteral("Hard"));
        view.nextButton()->click();
        QCOMPARE(h->session()->current, 1);
        QCOMPARE(view.placeLabel()->text(), QStringLiteral("Sentence 2 of 3"));
        view.previousButton()->click();
        QCOMPARE(h->session()->current, 0);
    }

    void uncertainTextIsFadedUntilShownPlainly() {
        ModelHarness h;
        std::vector<Word> words{word("first", 0.8), word("second", 2.6), word("third", 4.6)};
        for (Word& each : words)
            each.confidence = 0.3;
        h.engine().setScript({ScriptedEngine::result(words), ScriptedEngine::finish(true)});
        PracticeView view(h.model());
        view.show();
        QVERIFY(h.openAndSettle(
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts)));
        const auto colour = [&] {
            return view.transcript()->palette().color(QPalette::WindowText);
        };
        QCOMPARE(view.transcript()->text(), QStringLiteral("first"));
        QCOMPARE(colour(), Style::tertiary(&view));
        QVERIFY(view.uncertaintyNote()->isVisible());
        view.plainTextButton()->click();
        QVERIFY(h->session()->showUncertainText);
        QCOMPARE(colour(), Style::primary(&view));
        QVERIFY(!view.uncertaintyNote()->isVisible());
        QCOMPARE(view.plainTextButton()->text(), QStringLiteral("Fade Uncertain Text"));

        // In a file recognised well, only a sentence unsure on its own is faded, without the note.
        h->setShowUncertainText(false);
        words[0].confidence = words[2].confidence = 0.9;
        h.engine().setScript({ScriptedEngine::result(words), ScriptedEngine::finish(true)});
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(colour(), Style::primary(&view));
        h->next();
        QCOMPARE(colour(), Style::tertiary(&view));
        QVERIFY(view.plainTextButton()->isVisible());
        QVERIFY(!view.uncertaintyNote()->isVisible());
    }

    void loopAndRecordButtons() {
        ModelHarness h;
        QVERIFY(openThreeBursts(h));
        PracticeView view(h.model());
        view.resize(820, 900);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.loopButton()->text(), QStringLiteral("Loop"));
        QVERIFY(!view.phaseLabel()->isVisible());

        // Space, the loop button's shortcut, starts the loop.
        QTest::keyClick(&view, Qt::Key_Space);
        QTRY_COMPARE(h->phase().kind, Phase::Kind::playing);
        QCOMPARE(view.loopButton()->text(), QStringLiteral("Stop"));
        QCOMPARE(view.phaseLabel()->text(), QStringLiteral("Playing 1 of 3"));
        QVERIFY(view.originalWaveform()->playing());
        QCOMPARE(view.originalWaveform()->playing()->length, h->phaseLength());
        view.loopButton()->click();
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(view.loopButton()->text(), QStringLiteral("Loop"));
        QVERIFY(!view.originalWaveform()->playing());

        view.recordButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::recording, 10000);
        // The loop button reads Stop in every phase but idle, recording included.
        QCOMPARE(view.loopButton()->text(), QStringLiteral("Stop"));
        QCOMPARE(view.recordButton()->text(), QStringLiteral("Stop Recording"));
        QCOMPARE(view.attemptCard()->state(), AttemptCard::State::recording);
        QVERIFY(view.attemptCard()->meter()->isVisible());
        QTest::qWait(300);            // some voice to keep
        view.recordButton()->click(); // finishes the recording
        QTRY_VERIFY_WITH_TIMEOUT(h->take().has_value(), 10000);
        QVERIFY(h.settle());
        QCOMPARE(view.attemptCard()->state(), AttemptCard::State::take);
        QCOMPARE(view.attemptCard()->waveform()->bars(), h->take()->bars);
        QVERIFY(view.compareButton()->isEnabled());
        QCOMPARE(view.recordButton()->text(), QStringLiteral("Record"));

        view.compareButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::take, 10000);
        QVERIFY(view.attemptCard()->waveform()->playing());
        QVERIFY(!view.originalWaveform()->playing());
        h->stop();
    }

    // A focused control that Space works keeps it; elsewhere Space is the loop's.
    void spaceStaysWithAFocusedControl_data() {
        QTest::addColumn<bool>("loops");
        QTest::newRow("push button") << false;
        QTest::newRow("check box") << false;
        QTest::newRow("combo box") << false;
        QTest::newRow("tool button") << false;
        QTest::newRow("slider") << true;
    }
    void spaceStaysWithAFocusedControl() {
        QFETCH(bool, loops);
        ModelHarness h;
        QVERIFY(openThreeBursts(h));
        PracticeView view(h.model());
        PracticeSettingsView* settings = view.settingsView();
        const QHash<QByteArray, QWidget*> controls{
            {"push button", view.nextButton()},
            {"check box", settings->autoAdvanceToggle()},
            {"combo box", settings->gapPicker()},
            {"tool button", new QToolButton(&view)}, // as the toolbar's language button
            {"slider", settings->rateSlider()}};
        QWidget* control = controls.value(QTest::currentDataTag());
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        control->setFocus(Qt::TabFocusReason);
        QSignalSpy loopPressed(view.loopButton(), &QAbstractButton::pressed);
        auto* button = qobject_cast<QAbstractButton*>(control);
        QSignalSpy controlClicked(button ? button : view.loopButton(), &QAbstractButton::clicked);

        QTest::keyClick(control, Qt::Key_Space);
        QCOMPARE(loopPressed.size(), loops ? 1 : 0);
        if (button)
            QCOMPARE(controlClicked.size(), 1);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            QTRY_VERIFY(combo->view()->isVisible());
        h->stop();
    }

    void settingsPanelCallsTheSetters() {
        ModelHarness h;
        QVERIFY(openThreeBursts(h));
        PracticeView view(h.model());
        PracticeSettingsView* settings = view.settingsView();
        settings->repeatsBox()->setValue(5);
        QCOMPARE(h->effectiveSettings().repeats, 5);
        QCOMPARE(view.loopButton()->toolTip(),
                 QStringLiteral("Play the sentence 5 times with a pause to repeat it (Space)"));
        settings->rateSlider()->setValue(55);
        QCOMPARE(h->effectiveSettings().rate, 0.55);
        QCOMPARE(settings->speedLabel()->text(), QStringLiteral("55%"));
        QVERIFY(settings->normalButton()->isEnabled());
        settings->normalButton()->click();
        QCOMPARE(h->effectiveSettings().rate, 1.0);
        QVERIFY(!settings->normalButton()->isEnabled());
        // A change made elsewhere (the menu) shows here too.
        h->slower();
        QCOMPARE(settings->speedLabel()->text(),
                 PracticeSettingsView::speedText(h->effectiveSettings().rate));
        QVERIFY(settings->normalButton()->isEnabled());
    }
};

QTEST_MAIN(PracticeViewTest)
#include "PracticeViewTest.moc"

#include "ui/AttemptCard.h"
#include "ui/PracticeSettingsView.h"
#include "ui/RecordingMeter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

class PracticeControlsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void speedTextAndNormalButton() {
        QCOMPARE(PracticeSettingsView::speedText(1.0), QStringLiteral("100%"));
        QCOMPARE(PracticeSettingsView::speedText(0.55), QStringLiteral("55%"));
        QCOMPARE(PracticeSettingsView::speedText(1.5), QStringLiteral("150%"));
        QCOMPARE(PracticeSettingsView::speedText(0.625), QStringLiteral("63%")); // half away

        PracticeSettingsView view(0.8);
        QSignalSpy normal(&view, &PracticeSettingsView::normalSpeedRequested);
        view.setValues(3, 1.0, 1.0, false);
        QVERIFY(!view.normalButton()->isEnabled());
        QCOMPARE(view.speedLabel()->text(), QStringLiteral("100%"));
        view.setValues(3, 0.55, 1.0, false);
        QVERIFY(view.normalButton()->isEnabled());
        QCOMPARE(view.speedLabel()->text(), QStringLiteral("55%"));
        QCOMPARE(view.rateSlider()->value(), 55);
        // Only exactly 1.0 is normal speed.
        view.setValues(3, 1.0000001, 1.0, false);
        QVERIFY(view.normalButton()->isEnabled());
        view.show();
        QTest::mouseClick(view.normalButton(), Qt::LeftButton);
        QCOMPARE(normal.size(), 1);
    }

    void controlsReportChangesButNotTheValuesShown() {
        PracticeSettingsView view(0.8);
        QSignalSpy repeats(&view, &PracticeSettingsView::repeatsChosen);
        QSignalSpy rate(&view, &PracticeSettingsView::rateChosen);
        QSignalSpy gap(&view, &PracticeSettingsView::gapFactorChosen);
        QSignalSpy advance(&view, &PracticeSettingsView::autoAdvanceChosen);
        view.setValues(5, 0.75, 1.5, true);
        QCOMPARE(repeats.size() + rate.size() + gap.size() + advance.size(), 0);
        QCOMPARE(view.repeatsBox()->text(), QStringLiteral("5×"));
        QCOMPARE(view.gapPicker()->currentText(), QStringLiteral("1½ sentences"));
        QVERIFY(view.autoAdvanceToggle()->isChecked());

        view.repeatsBox()->stepUp();
        QCOMPARE(repeats.size(), 1);
        QCOMPARE(repeats[0][0].toInt(), 6);
        // A drag may stop anywhere; the rate moves in steps of 0.05.
        view.rateSlider()->setValue(73);
        QCOMPARE(rate.size(), 1);
        QCOMPARE(rate[0][0].toDouble(), 0.75);
        view.gapPicker()->activated(1);
        QCOMPARE(gap.size(), 1);
        QCOMPARE(gap[0][0].toDouble(), 0.5);
        view.autoAdvanceToggle()->click();
        QCOMPARE(advance.size(), 1);
        QCOMPARE(advance[0][0].toBool(), false);

        QCOMPARE(view.repeatsBox()->minimum(), 1);
        QCOMPARE(view.repeatsBox()->maximum(), 20);
        QStringList choices;
        for (int i = 0; i < view.gapPicker()->count(); ++i)
            choices.append(view.gapPicker()->itemText(i));
        QCOMPARE(choices, QStringList({QStringLiteral("None"), QStringLiteral("½ sentence"),
                                       QStringLiteral("1 sentence"), QStringLiteral("1½ sentences"),
                                       QStringLiteral("2 sentences")}));
        QCOMPARE(view.gapPicker()->toolTip(),
                 QStringLiteral("Time to say it yourself after each repetition, sized to the "
                                "sentence’s length (at least 0.8 s)"));
        // A factor beyond the choices is shown as it is rather than as a blank picker.
        view.setValues(5, 0.75, 3.0, true);
        QCOMPARE(view.gapPicker()->currentText(), QStringLiteral("3 sentences"));
        view.setValues(5, 0.75, 2.0, true);
        QCOMPARE(view.gapPicker()->currentText(), QStringLiteral("2 sentences"));
        QCOMPARE(view.gapPicker()->count(), 6);
    }

    void meter() {
        const QDateTime start =
            QDateTime::fromString(QStringLiteral("2026-01-01T10:00:00Z"), Qt::ISODate);
        // 2.3 s left shows 3; once the length has passed, 0.
        QCOMPARE(RecordingMeter::secondsLeft(start, 6.0, start.addMSecs(3700)), 3);
        QCOMPARE(RecordingMeter::secondsLeft(start, 6.0, start.addMSecs(4000)), 2);
        QCOMPARE(RecordingMeter::secondsLeft(start, 6.0, start.addMSecs(9000)), 0);
        QCOMPARE(RecordingMeter::secondsLeft(start, 6.0, start), 6);

        double level = 0.5;
        RecordingMeter meter([&level] { return level; });
        meter.setPhase(start, 6.0);
        meter.tick(start.addMSecs(3700));
        QCOMPARE(meter.secondsLabel()->text(), QStringLiteral("3 s"));
        QCOMPARE(meter.secondsLabel()->accessibleName(), QStringLiteral("3 seconds left"));
        QCOMPARE(meter.levelBar()->value() * 2, meter.levelBar()->maximum());
        level = 7; // whatever the source says, the bar stays within its range
        meter.tick(start.addMSecs(3800));
        QCOMPARE(meter.levelBar()->value(), meter.levelBar()->maximum());
        QCOMPARE(meter.levelBar()->accessibleName(), QStringLiteral("Microphone level"));
    }

    void attemptCardStates() {
        AttemptCard card([] { return 0.0; });
        card.resize(500, 120);
        card.show();
        QCOMPARE(card.state(), AttemptCard::State::hint);
        QVERIFY(card.hint()->isVisible());
        QCOMPARE(card.hint()->text(),
                 QStringLiteral("Press Record (Ctrl+R): you hear the sentence "
                                "once, then say it. Your attempt shows here."));

        card.showRecording(QDateTime::currentDateTimeUtc(), 4.0);
        QCOMPARE(card.state(), AttemptCard::State::recording);
        QVERIFY(card.meter()->isVisible());
        QVERIFY(!card.hint()->isVisible());
        QCOMPARE(card.meter()->secondsLabel()->text(), QStringLiteral("4 s"));

        const QDateTime start = QDateTime::currentDateTimeUtc();
        card.showTake({0.2f, 0.9f, 0.4f}, WaveformView::Playing{start, 1.5});
        QCOMPARE(card.state(), AttemptCard::State::take);
        QVERIFY(card.waveform()->isVisible());
        QVERIFY(!card.meter()->isVisible());
        QCOMPARE(card.waveform()->bars(), std::vector<float>({0.2f, 0.9f, 0.4f}));
        QVERIFY(card.waveform()->playing());
        const int hue = card.waveform()->tint().hue(); // orange, not the accent colour
        QVERIFY2(hue >= 20 && hue <= 45, qPrintable(QString::number(hue)));

        card.showHint();
        QVERIFY(card.hint()->isVisible());
        QVERIFY(!card.waveform()->playing());
    }
};

QTEST_MAIN(PracticeControlsTest)
#include "PracticeControlsTest.moc"

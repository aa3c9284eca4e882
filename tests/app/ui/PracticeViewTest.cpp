#include "ui/PracticeView.h"
#include "audio/Player.h"
#include "ModelHarness.h"
#include "TestMedia.h"
#include "ui/AttemptCard.h"
#include "ui/PhaseLabel.h"
#include "ui/PictureView.h"
#include "ui/PracticeSettingsView.h"
#include "ui/RecordingMeter.h"
#include "ui/Style.h"
#include "ui/WaveformView.h"
#include "video/PictureFeed.h"

#include <QtTest>
#include <QtWidgets>

using Phase = AppModel::Phase;

class PracticeViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texts() {
        QVERIFY(!PhaseLabel::content(Phase::idle()));
        QCOMPARE(PhaseLabel::content(Phase::playing(2, 3))->text, QStringLiteral("Playing 2 of 3"));
        const auto turn = *PhaseLabel::content(Phase::yourTurn(1, 5));
        QCOMPARE(turn.text, QStringLiteral("Your turn (1 of 5)"));
        QCOMPARE(turn.tone, PhaseLabel::Tone::accent);
        QCOMPARE(PracticeSettingsView::speedText(0.625), QStringLiteral("63%")); // half away
        // 2.3 s left shows 3.
        const QDateTime start = QDateTime::currentDateTimeUtc();
        QCOMPARE(RecordingMeter::secondsLeft(start, 6.0, start.addMSecs(3700)), 3);
    }

    void uncertainTextIsFadedUntilShownPlainly() {
        ModelHarness h;
        std::vector<Word> words{word("first", 0.8), word("second", 2.6), word("third", 4.6)};
        for (Word& each : words)
            each.confidence = 0.3;
        PracticeView view(h.model());
        view.show();
        h.engine().setScript({ScriptedEngine::result(words), ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("a.wav"))));
        const auto colour = [&] {
            return view.transcript()->palette().color(QPalette::WindowText);
        };
        QCOMPARE(view.transcript()->text(), QStringLiteral("first"));
        QCOMPARE(colour(), Style::tertiary(&view));
        QVERIFY(view.uncertaintyNote()->isVisible());
        view.plainTextButton()->click();
        QCOMPARE(colour(), Style::primary(&view));
        QVERIFY(!view.uncertaintyNote()->isVisible());

        // In a file recognised well, only a sentence unsure on its own is faded, without the note.
        h->setShowUncertainText(false);
        words[0].confidence = words[2].confidence = 0.9;
        h.engine().setScript({ScriptedEngine::result(words), ScriptedEngine::finish(true)});
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(colour(), Style::primary(&view));
        h->next();
        QCOMPARE(colour(), Style::tertiary(&view));
        QVERIFY(view.plainTextButton()->isVisible() && !view.uncertaintyNote()->isVisible());
    }

    // The current sentence as it opens, and the buttons that drive the model.
    void showsAndDrivesTheCurrentSentence() {
        ModelHarness h;
        PracticeView view(h.model());
        view.show();
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("a.wav"))));
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.placeLabel()->text(), QStringLiteral("Sentence 1 of 3"));
        // The recogniser heard no words: the hint, in the body font, not a title.
        QCOMPARE(view.transcript()->text(),
                 QStringLiteral("No words were recognised in this sentence. Listen, then say "
                                "it back."));
        QVERIFY(view.transcript()->font().pointSizeF() < QApplication::font().pointSizeF() * 1.2);
        QCOMPARE(view.originalWaveform()->bars().size(), size_t(140));
        QVERIFY(!view.compareButton()->isEnabled()); // no take yet
        view.hardButton()->click();
        QVERIFY(h->session()->sentences[0].hard);
        // Space, the loop button's shortcut, starts the loop.
        QTest::keyClick(&view, Qt::Key_Space);
        QTRY_COMPARE(h->phase().kind, Phase::Kind::playing);
        QCOMPARE(view.originalWaveform()->playing()->length, h->phaseLength());
        view.loopButton()->click();
        QCOMPARE(h->phase(), Phase::idle());

        view.recordButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::recording, 10000);
        // The loop button reads Stop in every phase but idle, recording included.
        QCOMPARE(view.loopButton()->text(), QStringLiteral("Stop"));
        QTest::qWait(300);            // some voice to keep
        view.recordButton()->click(); // finishes the recording
        QTRY_VERIFY_WITH_TIMEOUT(h->take().has_value(), 10000);
        QVERIFY(h.settle());
        QCOMPARE(view.attemptCard()->waveform()->bars(), h->take()->bars);
        const int hue = view.attemptCard()->waveform()->tint().hue(); // orange, not the accent
        QVERIFY2(hue >= 20 && hue <= 45, qPrintable(QString::number(hue)));
        // The take compared: both melodies over it, the original's over its own card, the
        // figures in words; Show Intonation hides the lines and is remembered.
        QCOMPARE(view.attemptCard()->waveform()->melodies().size(), size_t(2));
        QCOMPARE(view.originalWaveform()->melodies().size(), size_t(1));
        QVERIFY(view.attemptCard()->figures()->text().contains(u"Intonation match: "));
        // The words heard show only for a sentence with text: heard, missed (dimmed, said to a
        // screen reader) and unchecked.
        QVERIFY(view.attemptCard()->words()->isHidden());
        AttemptFeedback heard = *h->take()->feedback;
        heard.heard = {{{"one", true}, {"two", false}, {"3", std::nullopt}}};
        view.attemptCard()->showTake({}, std::nullopt, heard, true);
        const QColor dimmed = Style::tertiary(view.attemptCard());
        QVERIFY(view.attemptCard()->words()->text().contains(dimmed.name(QColor::HexArgb)));
        QCOMPARE(view.attemptCard()->words()->accessibleDescription(), "Not heard: two.");
        view.attemptCard()->showIntonationBox()->click();
        QVERIFY(!h->showIntonation());
        QVERIFY(view.attemptCard()->waveform()->melodies().empty());
        QVERIFY(view.originalWaveform()->melodies().empty());
        QCOMPARE(QSettings(h.settingsFile(), QSettings::IniFormat)
                     .value(QStringLiteral("showIntonation")),
                 false);
        view.compareButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::take, 10000);
        QVERIFY(view.attemptCard()->waveform()->playing() && !view.originalWaveform()->playing());
        h->stop();
        view.nextButton()->click();
        QCOMPARE(view.placeLabel()->text(), QStringLiteral("Sentence 2 of 3"));
    }

    // A focused control that Space works keeps it; elsewhere Space is the loop's.
    void spaceStaysWithAFocusedControl() {
        ModelHarness h;
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("a.wav"))));
        PracticeView view(h.model());
        PracticeSettingsView* settings = view.settingsView();
        auto* tool = new QToolButton(&view); // as the toolbar's language button
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QSignalSpy loopPressed(view.loopButton(), &QAbstractButton::pressed);
        for (QAbstractButton* button :
             QList<QAbstractButton*>{view.nextButton(), settings->autoAdvanceToggle(), tool}) {
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
            QVERIFY2(clicked.size() == 1, button->metaObject()->className());
        }
        QComboBox* gap = settings->gapPicker();
        gap->setFocus(Qt::TabFocusReason);
        QTest::keyClick(gap, Qt::Key_Space);
        QTRY_VERIFY(gap->view()->isVisible());
        gap->hidePopup();
        QCOMPARE(loopPressed.size(), 0);
        settings->rateSlider()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(settings->rateSlider(), Qt::Key_Space);
        QCOMPARE(loopPressed.size(), 1);
        h->stop();
    }

    // Showing the model's values is no choice of the user's: nothing is reported back.
    void settingsShownAreNotReported() {
        PracticeSettingsView view(0.8);
        QSignalSpy repeats(&view, &PracticeSettingsView::repeatsChosen);
        QSignalSpy rate(&view, &PracticeSettingsView::rateChosen);
        QSignalSpy gap(&view, &PracticeSettingsView::gapFactorChosen);
        QSignalSpy advance(&view, &PracticeSettingsView::autoAdvanceChosen);
        view.setValues(5, 0.75, 1.5, true);
        QCOMPARE(repeats.size() + rate.size() + gap.size() + advance.size(), 0);
        // Normal speed is offered whenever the rate is not 1×, faster rates too.
        view.setValues(5, 1.5, 1.5, true);
        QVERIFY(view.normalButton()->isEnabled());
        view.setValues(5, 1.0, 1.5, true);
        QVERIFY(!view.normalButton()->isEnabled());
        // A drag may stop anywhere; the rate moves in steps of 0.05.
        view.rateSlider()->setValue(73);
        QCOMPARE(QList<QVariantList>(rate), QList<QVariantList>{{0.75}});
        // A factor beyond the choices is shown as it is rather than as a blank picker, once.
        view.setValues(5, 0.75, 3.0, true);
        QCOMPARE(view.gapPicker()->currentText(), QStringLiteral("3 sentences"));
        view.setValues(5, 0.75, 2.0, true);
        QCOMPARE(view.gapPicker()->count(), 6);
    }

    void pictureFollowsTheSound_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("sentence");
        QTest::newRow("half speed") << 0.5 << 0;
        QTest::newRow("normal speed") << 1.0 << 0;
        QTest::newRow("faster") << 1.5 << 0;
        QTest::newRow("after moving on") << 1.0 << 1;
    }

    // A video whose frames show their numbers as gray levels (3 per frame, 20 a second), looped
    // twice: while the sentence is heard the frame on screen is the one at the sound's place or
    // the one before; during the learner's turn the sentence's first frame holds.
    void pictureFollowsTheSound() {
        QFETCH(double, rate);
        QFETCH(int, sentence);
        constexpr double interval = 0.05;
        ModelHarness h;
        h.devices().options().speed = 1;
        const QString video = h.mediaFolder() + QStringLiteral("/talk.mp4");
        TestMedia::run(QStringLiteral("ffmpeg"),
                       {"-v", "error", "-y", "-f", "lavfi", "-i",
                        "nullsrc=s=64x48:r=20:d=4.2,format=gray,geq=lum='N*3'", "-i",
                        h.media(QStringLiteral("talk.wav"), {1.2, 1.2}, 0.6), "-c:v", "libx264",
                        "-pix_fmt", "yuv420p", "-crf", "0", "-c:a", "aac", video});
        PracticeView view(h.model());
        view.resize(800, 700);
        view.show();
        QVERIFY(h.openAndSettle(video));
        QTRY_VERIFY(view.pictureView()->isVisible());
        const auto shownTime = [&] {
            const QImage& frame = view.pictureFeed().frame();
            return frame.isNull() ? -1.0 : qRound(qGray(frame.pixel(0, 0)) / 3.0) * interval;
        };
        h->setRepeats(2);
        h->setRate(rate);
        if (sentence > 0)
            h->select(sentence);
        const Sentence played = *h->session()->currentSentence();
        const double first = std::floor(played.start / interval + 1e-6) * interval;
        QTRY_COMPARE(shownTime(), first);
        // Where the sound is heard, from the fake speaker: the seconds it was handed, each
        // `rate` seconds of the file.
        const auto heard = [&]() -> std::optional<double> {
            if (!h->player().position())
                return std::nullopt;
            const ClockedAudioDevices::Playback out = h.devices().playbacks().back();
            return played.start +
                   double(out.frames.size()) / out.format.channels / out.format.sampleRate * rate;
        };
        h->loop();
        // The frame drawn now was chosen up to a display refresh ago, once the window had time
        // for a tick of the feed (4 passes of its event loop): it is checked against where the
        // sound was then, and must not be ahead of it now (but for the fake speaker's tick).
        std::vector<std::pair<qint64, double>> track;
        QElapsedTimer clock;
        clock.start();
        int followed = 0;
        int held = 0;
        while (h->phase().kind != Phase::Kind::idle) {
            QTest::qWait(3);
            const std::optional<double> now = heard();
            if (!now || *now <= first + interval)
                track.clear();
            else
                track.emplace_back(clock.elapsed(), *now);
            const auto then = std::find_if(
                track.rbegin() + std::min<ptrdiff_t>(4, ssize(track)), track.rend(),
                [&](const auto& sample) { return clock.elapsed() - sample.first >= 17; });
            if (then != track.rend()) {
                QVERIFY2(shownTime() < *now + 0.005 && then->second - shownTime() < 2 * interval,
                         qPrintable(QStringLiteral("%1 shown at %2").arg(shownTime()).arg(*now)));
                ++followed;
            } else if (h->phase().kind == Phase::Kind::yourTurn &&
                       h->phaseStart().msecsTo(QDateTime::currentDateTimeUtc()) > 100) {
                QCOMPARE(shownTime(), first);
                ++held;
            }
        }
        QVERIFY(followed > 20 && held > 20);
        // A double-click makes the picture larger within the window; Esc puts it back. Hidden,
        // it stays hidden at the next start.
        const QList<int> sizes = view.pictureSplit()->sizes();
        QTest::mouseDClick(view.pictureView(), Qt::LeftButton);
        QVERIFY(view.pictureSplit()->sizes()[0] > sizes[0]);
        view.activateWindow();
        view.pictureView()->setFocus();
        QTest::keyClick(view.pictureView(), Qt::Key_Escape);
        QCOMPARE(view.pictureSplit()->sizes(), sizes);
        h->setShowPicture(false);
        QVERIFY(!view.pictureView()->isVisible());
        QCOMPARE(
            QSettings(h.settingsFile(), QSettings::IniFormat).value(QStringLiteral("showPicture")),
            false);
    }

    // A video whose picture is damaged throughout: the view says why there is no picture, and
    // the sentence plays.
    void damagedPictureLeavesTheSound() {
        ModelHarness h;
        const QString video = h.mediaFolder() + QStringLiteral("/damaged.mp4");
        TestMedia::run(QStringLiteral("ffmpeg"),
                       {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=s=64x48:d=3", "-i",
                        h.media(QStringLiteral("talk.wav"), {1.0}), "-c:v", "libx264", "-bsf:v",
                        "noise=1", "-c:a", "aac", video});
        PracticeView view(h.model());
        view.show();
        QVERIFY(h.openAndSettle(video));
        QTRY_VERIFY(view.pictureNotice()->isVisible());
        QCOMPARE(view.pictureNotice()->text(),
                 QStringLiteral("The picture of this video can’t be shown. Practice goes on "
                                "with the sound."));
        QVERIFY(!view.pictureView()->isVisible());
        h->loop();
        QTRY_VERIFY(h->player().position().has_value());
    }
};

QTEST_MAIN(PracticeViewTest)
#include "PracticeViewTest.moc"

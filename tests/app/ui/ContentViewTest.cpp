#include "ui/ContentView.h"
#include "base/Translations.h"
#include "ModelHarness.h"
#include "TestMedia.h"
#include "ui/Placeholder.h"
#include "ui/RelativeDate.h"
#include "ui/SentenceList.h"
#include "ui/StartView.h"
#include "ui/Symbols.h"
#include "ui/Toolbar.h"
#include "ui/TranscriptDialog.h"

#include <QtTest>
#include <QtWidgets>

namespace {

template <typename T> T* child(QObject* view, const char* name) {
    return view->findChild<T*>(QString::fromLatin1(name));
}

QAction* find(const QMenu* menu, const char* text) {
    for (QAction* action : menu->actions())
        if (action->text() == QLatin1String(text))
            return action;
    return nullptr;
}

QDateTime at(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

} // namespace

// The window: start screen, sentence list, toolbar, alerts and the symbols they draw.
class ContentViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English texts with their plural forms, whatever the machine's language.
    void initTestCase() { Translations::install(QLocale(QLocale::English)); }

    void startScreenThenPracticeScreen() {
        ModelHarness h;
        ContentView view(h.model());
        view.show();
        QVERIFY(view.startView()->isVisible() && !view.toolbar()->isVisible());
        // A small file may be read before open() returns: the spinner is noted as it shows.
        bool spinnerShown = false;
        connect(&h.model(), &AppModel::splittingChanged, this,
                [&] { spinnerShown = spinnerShown || view.startView()->isOpening(); });
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("Lesson 4.wav"))));
        QVERIFY(spinnerShown && view.splitter()->isVisible() && view.toolbar()->isVisible());
        QCOMPARE(view.windowTitle(), QStringLiteral("Lesson 4.wav"));
        h->close();
        QVERIFY(view.startView()->isVisible() && !view.startView()->isOpening());
        QCOMPARE(view.windowTitle(), QStringLiteral("Quellin"));
    }

    void startScreenWhileOpening() {
        StartView view;
        view.show();
        view.setRecent({{QStringLiteral("lesson.m4a"), QStringLiteral("Sentence 1 of 2")}});
        auto* spinner = child<QProgressBar>(&view, "openingSpinner");
        auto* caption = child<QLabel>(&view, "openingCaption");
        // The spinner alone shows: no open button, no recent list.
        view.setOpening(true, 0.426);
        QVERIFY(spinner->isVisible() && !child<QWidget>(&view, "openButton")->isVisible());
        QVERIFY(!child<QWidget>(&view, "recentSection")->isVisible());
        QCOMPARE(caption->text(), QStringLiteral("Reading the file… 43%"));
        // Busy while nothing is known about the progress.
        view.setOpening(true);
        QCOMPARE(caption->text(), QStringLiteral("Reading the file…"));
        QCOMPARE(spinner->maximum(), 0);
    }

    void recentSessionsOpenAndAreForgotten() {
        ModelHarness h;
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("a.wav"))));
        h->select(1);
        h->toggleHard();
        h->close();
        ContentView view(h.model());
        view.show();
        auto* detail = child<QLabel>(view.startView(), "recentDetail");
        QVERIFY2(detail->text().startsWith(QStringLiteral("Sentence 2 of 3 · 1 hard · ")),
                 qPrintable(detail->text()));
        // A click anywhere on the row's label opens it, also on its detail line.
        QTest::mouseClick(detail, Qt::LeftButton);
        QVERIFY(h.settle());
        QCOMPARE(h->session()->current, 1);
        h->close();
        const QString key = h->recent().front().key;
        child<QAbstractButton>(view.startView(), "recentForget")->click();
        QVERIFY(h->recent().empty() && !h.store().load(key));
        QTRY_VERIFY(!child<QWidget>(view.startView(), "recentSection")->isVisible());
    }

    void droppingFilesOpensTheFirst() {
        ModelHarness h;
        QMimeData text, web, files;
        text.setText(QStringLiteral("just text"));
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.mp3"))});
        files.setUrls({QUrl::fromLocalFile(h.media(QStringLiteral("first.wav"))),
                       QUrl::fromLocalFile(h.media(QStringLiteral("second.wav")))});
        ContentView view(h.model());
        // Text or a web address is no file: refused as it is dragged over the window.
        for (QMimeData* data : {&text, &web, &files}) {
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &enter);
            QCOMPARE(enter.isAccepted(), data == &files);
        }
        QDropEvent drop({10, 10}, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &drop);
        QVERIFY(h.settle());
        QCOMPARE(h->session()->fileName(), QStringLiteral("first.wav"));
        // Subtitles and a transcript dropped on the open file are added to it, not opened.
        for (const char* name : {"first.en.srt", "first notes.txt"}) {
            QMimeData text;
            text.setUrls({QUrl::fromLocalFile(
                TestMedia::textFile(h.mediaFolder() + u'/' + QLatin1String(name),
                                    "1\n00:00:01,000 --> 00:00:02,000\nOne.\n"))});
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
            QDropEvent dropText({10, 10}, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &enter);
            QCoreApplication::sendEvent(&view, &dropText);
            QVERIFY(h.settle(60000));
        }
        QCOMPARE(h->session()->fileName(), QStringLiteral("first.wav"));
        QCOMPARE(h->subtitleTracks().size(), size_t(1));
        QCOMPARE(h->transcripts().size(), size_t(1));
    }

    void alertsClearTheModel() {
        ModelHarness h;
        ContentView view(h.model());
        view.show();
        const QString error = QStringLiteral(
            "Couldn’t open “a rather long file name.mp3”: This file can’t be read as audio.");
        h->setError(error);
        QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
        // A long message reads as a paragraph, not as a narrow column under the short heading.
        const auto* message = child<QLabel>(view.errorAlert(), "qt_msgbox_informativelabel");
        QCOMPARE(message->text(), error);
        QVERIFY2(message->width() >= message->fontMetrics().averageCharWidth() * 50,
                 qPrintable(QString::number(message->width())));
        // Escape closes it and clears the error, as OK does.
        QTest::keyClick(view.errorAlert(), Qt::Key_Escape);
        QTRY_VERIFY(!h->error() && !view.errorAlert());

        h->setMicDenied(true);
        QTRY_VERIFY(view.microphoneAlert() && view.microphoneAlert()->isVisible());
        for (QAbstractButton* button : view.microphoneAlert()->buttons())
            if (button->text() == QStringLiteral("Not Now"))
                button->click();
        QTRY_VERIFY(!h->micDenied());
    }

    void toolbarAndListDriveTheModel() {
        ModelHarness h;
        ContentView view(h.model());
        view.show();
        SentenceList* list = view.sentenceList();
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("a.wav"), {1.0, 1.0, 1.0, 1.0, 1.0})));

        // Picking a row makes its sentence current; the model's place selects the row.
        QListView* rows = list->listView();
        rows->selectionModel()->select(rows->model()->index(3, 0),
                                       QItemSelectionModel::ClearAndSelect);
        QCOMPARE(h->session()->current, 3);
        h->toggleHard(1);
        h->toggleHard(3);
        view.toolbar()->hardOnlyAction()->trigger();
        QCOMPARE(rows->model()->rowCount(), 2);
        QCOMPARE(rows->currentIndex().row(), 1);
        h->toggleHard(1);
        h->toggleHard(3);
        QVERIFY(list->placeholder()->isVisible());

        // Choosing the language in use runs recognition again all the same.
        const int started = h.engine().started();
        find(view.toolbar()->languageMenu(), "English (United States)")->trigger();
        QVERIFY(h.settle());
        QCOMPARE(h.engine().started(), started + 1);
    }

    void languageMenu() {
        const Toolbar::Language english{QStringLiteral("en-US"),
                                        QStringLiteral("English (United States)"), true};
        Toolbar toolbar;
        QSignalSpy chosen(&toolbar, &Toolbar::languageChosen);
        QMenu* menu = toolbar.languageMenu();
        toolbar.setLanguages(
            {english, {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), false}});
        toolbar.setLanguage(english.id, english.name);
        QAction* notYet = find(menu, "Not on This Computer Yet");
        notYet->menu()->actions()[0]->trigger();
        QCOMPARE(QList<QVariantList>(chosen), QList<QVariantList>{{QStringLiteral("de-DE")}});

        // Once its speech model is in place the language moves into the picker, and the
        // sub-menu goes, not merely emptied. The language in use stays checked.
        toolbar.setLanguages(
            {english, {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), true}});
        QVERIFY(!find(menu, "Not on This Computer Yet"));
        QVERIFY(find(menu, "English (United States)")->isChecked());
        QCOMPARE(menu->findChildren<QMenu*>().size(), 0);
        QCOMPARE(menu->findChildren<QActionGroup*>().size(), 1);

        // Subtitle tracks come first; one that cannot give text is listed, not chosen. The track
        // in use is checked in place of the language.
        QSignalSpy track(&toolbar, &Toolbar::subtitleTrackChosen);
        toolbar.setSubtitleTracks({{QStringLiteral("Spanish · talk.es.srt"), std::nullopt},
                                   {QStringLiteral("Stream 3"), QStringLiteral("Pictures.")}});
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Spanish · talk.es.srt"));
        QVERIFY(!menu->actions()[2]->isEnabled());
        toolbar.setSubtitleTrack(0, QStringLiteral("Subtitles (Spanish)"));
        QVERIFY(menu->actions()[1]->isChecked() &&
                !find(menu, "English (United States)")->isChecked());
        menu->actions()[1]->trigger();
        QCOMPARE(QList<QVariantList>(track), QList<QVariantList>{{qsizetype(0)}});

        // Showing the model's hard-only is no request; the user's toggle is.
        QSignalSpy hardOnly(&toolbar, &Toolbar::hardOnlyChosen);
        toolbar.setHardOnly(true);
        QVERIFY(toolbar.hardOnlyAction()->isChecked() && hardOnly.isEmpty());
        toolbar.hardOnlyAction()->trigger();
        QCOMPARE(QList<QVariantList>(hardOnly), QList<QVariantList>{{false}});
    }

    // The transcript's language starts as the recognition language's voice, or its nearest.
    void transcriptVoice() {
        const std::vector<SynthesisLanguage> voices{
            {QStringLiteral("de"), QStringLiteral("German")},
            {QStringLiteral("en"), QStringLiteral("English")},
            {QStringLiteral("en-us"), QStringLiteral("English (US)")},
            {QStringLiteral("pt-br"), QStringLiteral("Portuguese (Brazil)")}};
        QCOMPARE(TranscriptDialog::voiceFor(voices, QStringLiteral("en-US")), 2);
        QCOMPARE(TranscriptDialog::voiceFor(voices, QStringLiteral("de_AT")), 0);
        QCOMPARE(TranscriptDialog::voiceFor(voices, QStringLiteral("en-GB")), 1);
        QCOMPARE(TranscriptDialog::voiceFor(voices, QStringLiteral("pt")), 3);
        QCOMPARE(TranscriptDialog::voiceFor(voices, QStringLiteral("ja")), 0);
    }

    void symbols() {
        Symbols::ensureTheme();
        const QString theme = QIcon::themeName();
        // The theme's star has its own colour; an orange star asked for is drawn orange.
        const QIcon orange = Symbols::icon(QStringLiteral("star.fill"), QColor(255, 149, 0));
        QCOMPARE(orange.pixmap(48, 48).toImage().pixel(24, 26), QColor(255, 149, 0).rgba());
        // A flag or a bare cross in the theme is not the picture asked for: drawn instead.
        QVERIFY(Symbols::icon(QStringLiteral("text.bubble")).name().isEmpty());
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        for (const QString& symbol : Symbols::all()) {
            // Something is drawn, and not a filled square: a picture (4 to 80 % of the square).
            const QImage image = Symbols::icon(symbol, Qt::black).pixmap(48, 48).toImage();
            int ink = 0;
            for (int i = 0; i < 48 * 48; ++i)
                ink += qAlpha(image.pixel(i % 48, i / 48)) > 40 ? 1 : 0;
            QVERIFY2(ink > 92 && ink < 1843, qPrintable(symbol));
        }
        QIcon::setThemeName(theme);
    }

    void dates() {
        const QDateTime day = at(QStringLiteral("2026-03-10T12:00:00Z"));
        // Numbers are written without grouping.
        QCOMPARE(StartView::detailLine(1233, 5000, 1, day.addDays(-2), day.addDays(1)),
                 QStringLiteral("Sentence 1234 of 5000 · 1 hard · 3 days ago"));
        QCOMPARE(StartView::detailLine(0, 40, 0, day, day),
                 QStringLiteral("Sentence 1 of 40 · now"));

        const QDateTime now = at(QStringLiteral("2026-03-31T12:00:00Z"));
        const auto ago = [&](const QDateTime& date) { return RelativeDate::text(date, now); };
        QCOMPARE(ago(now.addSecs(-1)), QStringLiteral("1 second ago"));
        QCOMPARE(ago(now.addSecs(-23 * 3600)), QStringLiteral("23 hours ago"));
        QCOMPARE(ago(now.addDays(-8)), QStringLiteral("last week"));
        // Months are calendar months: 28 February to 31 March is one month, not four weeks.
        QCOMPARE(ago(at(QStringLiteral("2026-02-28T12:00:00Z"))), QStringLiteral("last month"));
        QCOMPARE(ago(now.addMonths(-13)), QStringLiteral("last year"));
        // A date after now (a clock that was ahead) reads forwards.
        QCOMPARE(ago(now.addSecs(2 * 3600 + 5)), QStringLiteral("in 2 hours"));
        QCOMPARE(ago(now.addDays(1)), QStringLiteral("tomorrow"));
        QCOMPARE(ago(QDateTime()), QString());
    }
};

QTEST_MAIN(ContentViewTest)
#include "ContentViewTest.moc"

#include "ui/ContentView.h"
#include "ModelHarness.h"
#include "TestMedia.h"
#include "ui/Placeholder.h"
#include "ui/SentenceList.h"
#include "ui/SplitStatus.h"
#include "ui/StartView.h"
#include "ui/Toolbar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;

namespace {

const std::vector<double> threeBursts{1.0, 1.4, 0.9};

// Recognition that hears nothing: the pause split stays.
void hearNothing(ModelHarness& h) {
    h.engine().setScript({ScriptedEngine::finish(true)});
}

// Sends a drop of these URLs (or of plain text when there are none) to the window.
bool drop(ContentView& view, const QList<QUrl>& urls) {
    QMimeData data;
    if (urls.isEmpty())
        data.setText(QStringLiteral("just text"));
    else
        data.setUrls(urls);
    const QPointF at = view.rect().center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
    return event.isAccepted();
}

QStringList listedTitles(SentenceList* list) {
    QStringList titles;
    const QAbstractItemModel* rows = list->listView()->model();
    for (int row = 0; row < rows->rowCount(); ++row)
        titles.append(rows->index(row, 0).data().toString());
    return titles;
}

} // namespace

class ContentViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startScreenThenPracticeScreen() {
        ModelHarness h;
        hearNothing(h);
        ContentView view(h.model());
        view.show();
        QCOMPARE(view.windowTitle(), QStringLiteral("Quellin"));
        QVERIFY(view.startView()->isVisible());
        QVERIFY(!view.toolbar()->isVisible());
        QVERIFY(view.minimumWidth() >= 860 && view.minimumHeight() >= 560);

        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/Lesson 4.wav"), threeBursts);
        h->open(path);
        // While the file is read the start screen shows the spinner.
        QVERIFY(view.startView()->isOpening());
        QVERIFY(h.settle());
        QVERIFY(!view.startView()->isVisible());
        QVERIFY(view.splitter()->isVisible());
        QCOMPARE(view.windowTitle(), QStringLiteral("Lesson 4.wav"));
        QVERIFY(view.toolbar()->isVisible());
        const int sidebar = view.sentenceList()->width();
        QVERIFY2(sidebar >= 260 && sidebar <= 460, qPrintable(QString::number(sidebar)));
        QCOMPARE(view.sentenceList()->listView()->model()->rowCount(), 3);

        h->close();
        QVERIFY(view.startView()->isVisible());
        QCOMPARE(view.windowTitle(), QStringLiteral("Quellin"));
        QVERIFY(!view.startView()->isOpening());
    }

    // A video's sound takes a while to read: the spinner's caption says how far it has got.
    void openingShowsHowFarTheFileIsRead() {
        ModelHarness h;
        hearNothing(h);
        const QString video =
            TestMedia::longVideo(h.mediaFolder() + QStringLiteral("/lecture.mkv"), 120);
        ContentView view(h.model());
        view.show();
        auto* caption = view.startView()->findChild<QLabel*>(QStringLiteral("openingCaption"));
        QStringList captions;
        connect(&h.model(), &AppModel::openingProgressChanged, this, [&] {
            if (h->openingProgress() && view.startView()->isOpening())
                captions.append(caption->text());
        });
        h->open(video);
        QCOMPARE(caption->text(), QStringLiteral("Reading the file…"));
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 60000);
        QVERIFY(h.settle());
        QVERIFY(!view.startView()->isVisible());

        static const QRegularExpression percent(QStringLiteral("^Reading the file… (\\d+)%$"));
        QVERIFY2(captions.size() >= 3, qPrintable(captions.join(QStringLiteral(" | "))));
        int last = -1;
        for (const QString& text : captions) {
            const QRegularExpressionMatch match = percent.match(text);
            QVERIFY2(match.hasMatch(), qPrintable(text));
            QVERIFY(match.captured(1).toInt() > last);
            last = match.captured(1).toInt();
        }
    }

    void recentSessionsOpenAndAreForgotten() {
        ModelHarness h;
        hearNothing(h);
        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        QVERIFY(h.openAndSettle(path));
        h->select(1);
        h->toggleHard();
        h->close();
        QCOMPARE(h->recent().size(), size_t(1));

        ContentView view(h.model());
        view.show();
        auto details = view.startView()->findChildren<QLabel*>(QStringLiteral("recentDetail"));
        QCOMPARE(details.size(), 1);
        QVERIFY2(details[0]->text().startsWith(QStringLiteral("Sentence 2 of 3 · 1 hard · ")),
                 qPrintable(details[0]->text()));

        auto* open = view.startView()->findChild<QAbstractButton*>(QStringLiteral("recentOpen"));
        open->click();
        QVERIFY(h.settle());
        QCOMPARE(h->session()->filePath, path);
        QCOMPARE(h->session()->current, 1);
        h->close();

        const QString key = h->recent().front().key;
        view.startView()->findChild<QToolButton*>(QStringLiteral("recentForget"))->click();
        QVERIFY(h->recent().empty());
        QVERIFY(!h.store().load(key));
        QCoreApplication::processEvents();
        QVERIFY(
            !view.startView()->findChild<QWidget*>(QStringLiteral("recentSection"))->isVisible());
    }

    void droppingFilesOpensTheFirst() {
        ModelHarness h;
        hearNothing(h);
        const QString first =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/first.wav"), threeBursts);
        const QString second =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/second.wav"), {1.0});
        ContentView view(h.model());
        view.show();
        // Text is no file: the drop is refused and nothing opens.
        QVERIFY(!drop(view, {}));
        QVERIFY(!drop(view, {QUrl(QStringLiteral("https://example.org/a.mp3"))}));
        QCOMPARE(h->splitting().kind, AppModel::Splitting::Kind::idle);

        QVERIFY(drop(view, {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second),
                            QUrl::fromLocalFile(second)}));
        QVERIFY(h.settle());
        QCOMPARE(h->session()->filePath, first);
    }

    void alertsClearTheModel() {
        ModelHarness h;
        hearNothing(h);
        ContentView view(h.model());
        view.show();
        h->setError(QStringLiteral("The file could not be read."));
        QMessageBox* alert = view.errorAlert();
        QVERIFY(alert);
        QTRY_VERIFY(alert->isVisible());
        QCOMPARE(alert->text(), QStringLiteral("Something went wrong"));
        QCOMPARE(alert->informativeText(), QStringLiteral("The file could not be read."));
        // Escape closes it and clears the error, as OK does.
        QTest::keyClick(alert, Qt::Key_Escape);
        QTRY_VERIFY(!h->error());
        QTRY_VERIFY(!view.errorAlert());

        h->setError(
            QStringLiteral("Couldn’t open “a rather long file name.mp3”: This file can’t be "
                           "read as audio or video."));
        QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
        // A long message reads as a paragraph, not as a narrow column under the short heading.
        const auto* message =
            view.errorAlert()->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        QVERIFY(message);
        QVERIFY2(message->width() >= message->fontMetrics().averageCharWidth() * 50,
                 qPrintable(QString::number(message->width())));
        view.errorAlert()->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!h->error());

        h->setMicDenied(true);
        QMessageBox* mic = view.microphoneAlert();
        QVERIFY(mic);
        QTRY_VERIFY(mic->isVisible());
        QCOMPARE(mic->text(), QStringLiteral("Microphone is off for Quellin"));
        QCOMPARE(mic->informativeText(),
                 QStringLiteral("To record your attempts, allow Quellin to use the microphone in "
                                "your system’s sound and privacy settings."));
        QStringList buttons;
        for (QAbstractButton* button : mic->buttons())
            buttons.append(button->text());
        QVERIFY(buttons.contains(QStringLiteral("Not Now")));
        QCOMPARE(buttons.contains(QStringLiteral("Open Sound Settings")),
                 !ContentView::soundSettingsCommand().isEmpty());
        for (QAbstractButton* button : mic->buttons())
            if (button->text() == QStringLiteral("Not Now"))
                button->click();
        QTRY_VERIFY(!h->micDenied());
    }

    void toolbarDrivesTheModel() {
        ModelHarness::Options options;
        options.languages = {{QStringLiteral("en-US"), true}, {QStringLiteral("de-DE"), false}};
        ModelHarness h(options);
        hearNothing(h);
        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        QVERIFY(h.openAndSettle(path));
        ContentView view(h.model());
        view.show();
        Toolbar* toolbar = view.toolbar();
        QCOMPARE(toolbar->languageButton()->text(), QStringLiteral("English (United States)"));

        // Choosing the language in use runs recognition again all the same.
        const int started = h.engine().started();
        for (QAction* action : toolbar->languageMenu()->actions())
            if (action->text() == QStringLiteral("English (United States)"))
                action->trigger();
        QVERIFY(h.settle());
        QCOMPARE(h.engine().started(), started + 1);

        toolbar->hardOnlyAction()->trigger();
        QVERIFY(h->session()->hardOnly);
        QVERIFY(toolbar->hardOnlyAction()->isChecked());
    }

    void sentenceListFollowsTheModel() {
        ModelHarness h;
        hearNothing(h);
        const QString path = ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"),
                                                {1.0, 1.0, 1.0, 1.0, 1.0});
        // Recognition reports its progress, then hangs on until the test lets it end.
        h.engine().setScript(
            {ScriptedEngine::reached(2.0, 10ms), ScriptedEngine::finish(true, std::nullopt, 60s)});
        ContentView view(h.model());
        view.show();
        SentenceList* list = view.sentenceList();
        h->open(path);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, AppModel::Splitting::Kind::listening, 10000);
        QTRY_COMPARE(h->splitting().seconds, 2.0);
        auto* progress = list->findChild<QProgressBar*>(QStringLiteral("listeningProgress"));
        QVERIFY(progress->isVisible());
        const double expected = 2.0 / h->session()->duration;
        QVERIFY(std::abs(double(progress->value()) / progress->maximum() - expected) < 0.002);
        QCOMPARE(listedTitles(list), (QStringList{"Sentence 1", "Sentence 2", "Sentence 3",
                                                  "Sentence 4", "Sentence 5"}));

        // Picking a row makes its sentence current; the model's place selects the row.
        QListView* rows = list->listView();
        rows->selectionModel()->select(rows->model()->index(3, 0),
                                       QItemSelectionModel::ClearAndSelect);
        QCOMPARE(h->session()->current, 3);
        h->toggleHard(1);
        h->toggleHard(3);
        h->setHardOnly(true);
        // Hard-only keeps the numbers of the whole list.
        QCOMPARE(listedTitles(list), (QStringList{"Sentence 2", "Sentence 4"}));
        QCOMPARE(rows->currentIndex().row(), 1);
        h->toggleHard(1);
        h->toggleHard(3);
        QCOMPARE(list->placeholder()->title(), QStringLiteral("No hard sentences yet"));
        QVERIFY(list->placeholder()->isVisible());
        h->stop();
        h->close();
    }
};

QTEST_MAIN(ContentViewTest)
#include "ContentViewTest.moc"

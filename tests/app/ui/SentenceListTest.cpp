#include "ui/SentenceList.h"
#include "base/Translations.h"
#include "session/Session.h"
#include "ui/SentenceRowDelegate.h"
#include "ui/SplitStatus.h"

#include <QtTest>
#include <QtWidgets>

class SentenceListTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English texts with their plural forms, whatever the machine's language.
    void initTestCase() { Translations::install(QLocale(QLocale::English)); }

    void rows() {
        const SentenceRow spoken{4, Sentence(1.0, 3.5, QStringLiteral("Guten Morgen."), true)};
        QCOMPARE(spoken.accessibilityLabel(),
                 QStringLiteral("Sentence 4, Guten Morgen., 0:01.0, marked hard"));
        // Without text the row names the sentence by its number; white space counts as none.
        // An end before the start is a length of nothing, not a negative one.
        const SentenceRow silent{7, Sentence(65.25, 64.0, QStringLiteral("  \n"))};
        QCOMPARE(silent.title(), QStringLiteral("Sentence 7"));
        QCOMPARE(silent.detail(), QStringLiteral("1:05.3 · 0.0 s"));
        QCOMPARE(silent.accessibilityLabel(), QStringLiteral("Sentence 7, 1:05.3"));
        // Hard-only rows keep their numbers in the whole list; indices outside draw nothing.
        const auto rows = SentenceList::rows(std::vector(12, Sentence(0, 1)), {-1, 2, 6, 12});
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[1].number, 7);
    }

    // Recognised text is faded where doubtful, in a file whose text is reliable or is not.
    void fadesDoubtfulText() {
        Session session;
        session.sentences = {Sentence(0, 2, QStringLiteral("sure")),
                             Sentence(2, 4, QStringLiteral("unsure")), Sentence(4, 5)};
        session.sentences[0].confidence = 0.9;
        session.sentences[1].confidence = 0.2;
        std::vector<SentenceRow> rows;
        const auto faded = [&] {
            rows = SentenceList::rows(session.sentences, {0, 1, 2});
            SentenceList::fadeDoubtful(rows, session);
            return QList<bool>{rows[0].faded, rows[1].faded, rows[2].faded};
        };
        QCOMPARE(faded(), QList<bool>({false, true, false}));
        QCOMPARE(rows[1].accessibilityLabel(),
                 QStringLiteral("Sentence 2, unsure, words uncertain, 0:02.0"));
        session.sentences[0].confidence = 0.5;
        QCOMPARE(faded(), QList<bool>({true, true, false}));
        session.showUncertainText = true;
        QCOMPARE(faded(), QList<bool>({false, false, false}));
    }

    void emptyStates() {
        using Empty = SentenceList::Empty;
        // Hard-only with no hard sentence says so even while sentences are still being found.
        QCOMPARE(SentenceList::emptyState(true, true, true), Empty::noHardSentences);
        QCOMPARE(SentenceList::emptyState(true, false, false), Empty::noSentences);
        QCOMPARE(SentenceList::emptyState(true, false, true), Empty::none);
    }

    void selectionAndContextMenu() {
        std::vector<Sentence> sentences(12, Sentence(0, 1));
        sentences[2].hard = true;
        SentenceList list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy select(&list, &SentenceList::selectRequested);
        QSignalSpy toggle(&list, &SentenceList::toggleHardRequested);
        // Showing the model's place selects its row without asking to select it again; a place
        // that is not listed (hard-only, current not hard) selects nothing.
        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 6);
        QListView* view = list.listView();
        QCOMPARE(view->currentIndex().row(), 1);
        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 4);
        QVERIFY(view->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(select.size(), 0);
        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 6);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(QList<QVariantList>(select),
                 QList<QVariantList>{{QVariant::fromValue(qsizetype(11))}});

        list.setRows(SentenceList::rows(sentences, {0, 2}), 0);
        QMenu* hard = list.contextMenu(view->model()->index(1, 0));
        QCOMPARE(hard->actions()[0]->text(), QStringLiteral("Unmark Hard"));
        hard->actions()[0]->trigger();
        QCOMPARE(QList<QVariantList>(toggle),
                 QList<QVariantList>{{QVariant::fromValue(qsizetype(2))}});
        QSignalSpy edit(&list, &SentenceList::editTextRequested);
        list.contextMenu(view->model()->index(1, 0))->actions()[1]->trigger();
        QCOMPARE(edit.takeFirst().at(0).value<qsizetype>(), qsizetype(2));
    }

    // Progress and saves redraw the rows; only a new current sentence moves the list.
    void redrawingKeepsWhereTheUserScrolled() {
        std::vector<Sentence> sentences(200, Sentence(0, 1));
        std::vector<qsizetype> all(200);
        std::iota(all.begin(), all.end(), 0);
        SentenceList list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setRows(SentenceList::rows(sentences, all), 0);
        QScrollBar* bar = list.listView()->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);
        sentences[5].text = QStringLiteral("Now with words.");
        list.setRows(SentenceList::rows(sentences, all), 0);
        QCOMPARE(bar->value(), bar->maximum());
        list.setRows(SentenceList::rows(sentences, all), 1);
        QListView* view = list.listView();
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
    }

    void texts() {
        const QFont font;
        const QStringList lines = SentenceRowDelegate::titleLines(
            QStringLiteral("A sentence long enough to need far more than two lines in a narrow "
                           "sidebar, so that it must be cut short."),
            font, 160);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].endsWith(QChar(0x2026)));
        QVERIFY(QFontMetrics(font).horizontalAdvance(lines[1]) <= 160);
        // A file under a second divides by one second.
        QCOMPARE(SplitStatus::fraction(0.4, 0.6), 0.4);
        QCOMPARE(SplitStatus::fraction(5, 0), 1.0);
        QCOMPARE(SplitStatus::methodText(12, SplitMethod::speech(QStringLiteral("de-DE")),
                                         QStringLiteral("German (Germany)")),
                 QStringLiteral("12 sentences · transcript (German (Germany), on this computer)"));
        QCOMPARE(SplitStatus::methodText(1, SplitMethod::pauses(), {}),
                 QStringLiteral("1 sentence · split at pauses"));
        const SplitMethod subtitles =
            SplitMethod::subtitles(QStringLiteral("es"), QStringLiteral("talk.es.srt"));
        QCOMPARE(SplitStatus::methodText(42, subtitles, QStringLiteral("Spanish")),
                 QStringLiteral("42 sentences · subtitles (Spanish, talk.es.srt)"));
        QCOMPARE(SplitStatus::methodText(2, subtitles, {}),
                 QStringLiteral("2 sentences · subtitles (talk.es.srt)"));
    }
};

QTEST_MAIN(SentenceListTest)
#include "SentenceListTest.moc"

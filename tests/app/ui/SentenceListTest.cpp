#include "ui/SentenceList.h"
#include "session/Session.h"
#include "ui/Placeholder.h"
#include "ui/SentenceListModel.h"
#include "ui/SentenceRowDelegate.h"
#include "ui/SplitStatus.h"

#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class SentenceListTest final : public QObject {
    Q_OBJECT

private:
    static std::vector<Sentence> twelve() {
        std::vector<Sentence> sentences;
        for (int i = 0; i < 12; ++i)
            sentences.emplace_back(i * 3.0, i * 3.0 + 2.0, QStringLiteral("Line %1.").arg(i + 1),
                                   i == 2 || i == 6 || i == 11);
        return sentences;
    }

    static QList<int> numbers(const std::vector<SentenceRow>& rows) {
        QList<int> result;
        for (const SentenceRow& row : rows)
            result.append(row.number);
        return result;
    }

private Q_SLOTS:
    void rowTexts() {
        const SentenceRow spoken{4, Sentence(1.0, 3.5, QStringLiteral("Guten Morgen."), true)};
        QCOMPARE(spoken.title(), QStringLiteral("Guten Morgen."));
        QCOMPARE(spoken.detail(), QStringLiteral("0:01.0 · 2.5 s"));
        QCOMPARE(spoken.accessibilityLabel(),
                 QStringLiteral("Sentence 4, Guten Morgen., 0:01.0, marked hard"));

        // Without text the row names the sentence by its number; white space counts as none.
        const SentenceRow silent{7, Sentence(65.25, 64.0)};
        QVERIFY(!silent.hasText());
        QCOMPARE(silent.title(), QStringLiteral("Sentence 7"));
        // An end before the start is a length of nothing, not a negative one.
        QCOMPARE(silent.detail(), QStringLiteral("1:05.3 · 0.0 s"));
        QCOMPARE(silent.accessibilityLabel(), QStringLiteral("Sentence 7, 1:05.3"));
        const SentenceRow blank{2, Sentence(0, 1, QStringLiteral("  \n"))};
        QCOMPARE(blank.title(), QStringLiteral("Sentence 2"));

        SentenceListModel model;
        model.setRows({spoken, silent});
        QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(),
                 QStringLiteral("Sentence 7"));
        QCOMPARE(model.data(model.index(1), SentenceListModel::HasTextRole).toBool(), false);
        QCOMPARE(model.data(model.index(0), SentenceListModel::IndexRole).value<qsizetype>(), 3);

        // Recognised text: faded where doubtful, in a file whose text is reliable or is not.
        Session session;
        session.sentences = {Sentence(0, 2, QStringLiteral("sure")),
                             Sentence(2, 4, QStringLiteral("unsure")), Sentence(4, 5)};
        session.sentences[0].confidence = 0.9;
        session.sentences[1].confidence = 0.2;
        std::vector<SentenceRow> rows = SentenceList::rows(session.sentences, {0, 1, 2});
        const auto faded = [&] {
            SentenceList::fadeDoubtful(rows, session);
            return QList<bool>{rows[0].faded, rows[1].faded, rows[2].faded};
        };
        QCOMPARE(faded(), QList<bool>({false, true, false}));
        QCOMPARE(rows[1].accessibilityLabel(),
                 QStringLiteral("Sentence 2, unsure, words uncertain, 0:02.0"));
        session.sentences[0].confidence = 0.5;
        rows = SentenceList::rows(session.sentences, {0, 1, 2});
        QCOMPARE(faded(), QList<bool>({true, true, false}));
        session.showUncertainText = true;
        QCOMPARE(faded(), QList<bool>({false, false, false}));
    }

    void rowsKeepTheirNumbersInHardOnlyMode() {
        const auto sentences = twelve();
        QCOMPARE(numbers(SentenceList::rows(sentences, {2, 6, 11})), QList<int>({3, 7, 12}));
        // Indices that point outside the sentences draw nothing.
        QCOMPARE(numbers(SentenceList::rows(sentences, {-1, 0, 12, 40})), QList<int>({1}));
    }

    void placeholders() {
        using Empty = SentenceList::Empty;
        QCOMPARE(SentenceList::emptyState(false, true, false), Empty::none);
        // Hard-only with no hard sentence says so even while sentences are still being found.
        QCOMPARE(SentenceList::emptyState(true, true, false), Empty::noHardSentences);
        QCOMPARE(SentenceList::emptyState(true, true, true), Empty::noHardSentences);
        QCOMPARE(SentenceList::emptyState(true, false, false), Empty::noSentences);
        QCOMPARE(SentenceList::emptyState(true, false, true), Empty::none);

        SentenceList list;
        list.resize(300, 500);
        list.show();
        list.setEmpty(Empty::noHardSentences);
        QVERIFY(list.placeholder()->isVisible());
        QCOMPARE(list.placeholder()->title(), QStringLiteral("No hard sentences yet"));
        QCOMPARE(list.placeholder()->description(),
                 QStringLiteral("Mark a sentence hard with Ctrl+D or its star, then practise only "
                                "those."));
        list.setEmpty(Empty::noSentences);
        QCOMPARE(list.placeholder()->title(), QStringLiteral("No sentences found"));
        QCOMPARE(list.placeholder()->description(),
                 QStringLiteral("This file seems to be silent."));
        list.setEmpty(Empty::none);
        QVERIFY(!list.placeholder()->isVisible());
    }

    void selectionAndContextMenu() {
        const auto sentences = twelve();
        SentenceList list;
        list.resize(300, 500);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy select(&list, &SentenceList::selectRequested);
        QSignalSpy toggle(&list, &SentenceList::toggleHardRequested);

        // Showing the model's place selects its row without asking to select it again.
        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 6);
        QListView* view = list.listView();
        QCOMPARE(view->currentIndex().row(), 1);
        QCOMPARE(select.size(), 0);
        // The place is not listed (hard-only, current not hard): nothing is selected.
        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 4);
        QVERIFY(view->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(select.size(), 0);

        list.setRows(SentenceList::rows(sentences, {2, 6, 11}), 6);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(select.size(), 1);
        QCOMPARE(select[0][0].value<qsizetype>(), 11);
        const QRect first = view->visualRect(view->model()->index(0, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(select.size(), 2);
        QCOMPARE(select[1][0].value<qsizetype>(), 2);

        list.setRows(SentenceList::rows(sentences, {0, 2}), 0);
        QMenu* plain = list.contextMenu(view->model()->index(0, 0));
        QCOMPARE(plain->actions().size(), 1);
        QCOMPARE(plain->actions()[0]->text(), QStringLiteral("Mark Hard"));
        QMenu* hard = list.contextMenu(view->model()->index(1, 0));
        QCOMPARE(hard->actions()[0]->text(), QStringLiteral("Unmark Hard"));
        hard->actions()[0]->trigger();
        QCOMPARE(toggle.size(), 1);
        QCOMPARE(toggle[0][0].value<qsizetype>(), 2);
    }

    // Progress and saves redraw the rows; only a new current sentence moves the list.
    void redrawingKeepsWhereTheUserScrolled() {
        std::vector<Sentence> sentences;
        std::vector<qsizetype> all;
        for (int i = 0; i < 200; ++i) {
            sentences.emplace_back(i * 3.0, i * 3.0 + 2.0);
            all.push_back(i);
        }
        SentenceList list;
        list.resize(300, 400);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setRows(SentenceList::rows(sentences, all), 0);
        QScrollBar* bar = list.listView()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());

        sentences[5].text = QStringLiteral("Now with words.");
        list.setRows(SentenceList::rows(sentences, all), 0);
        QCOMPARE(bar->value(), bar->maximum());

        list.setRows(SentenceList::rows(sentences, all), 1);
        QListView* view = list.listView();
        QCOMPARE(view->currentIndex().row(), 1);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
    }

    void longTitlesWrapToTwoLines() {
        const QFont font;
        const QString text =
            QStringLiteral("A sentence long enough to need far more than two lines "
                           "in a narrow sidebar, so that it must be cut short.");
        const QStringList lines = SentenceRowDelegate::titleLines(text, font, 160);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].endsWith(QChar(0x2026)));
        QVERIFY(QFontMetrics(font).horizontalAdvance(lines[1]) <= 160);
        QCOMPARE(SentenceRowDelegate::titleLines(QStringLiteral("Short."), font, 160),
                 QStringList({QStringLiteral("Short.")}));
    }

    void splitStatus() {
        // 30 s heard of a 20-minute file; a file under a second divides by one second.
        QCOMPARE(SplitStatus::fraction(30, 1200), 0.025);
        QCOMPARE(SplitStatus::fraction(0.4, 0.6), 0.4);
        QCOMPARE(SplitStatus::fraction(3, 0.6), 1.0);
        QCOMPARE(SplitStatus::fraction(5, 0), 1.0);
        QCOMPARE(SplitStatus::listeningValue(30, 1200),
                 QStringLiteral("0:30 of 20:00. You can practise meanwhile."));
        QCOMPARE(SplitStatus::methodText(12, SplitMethod::speech(QStringLiteral("de-DE")),
                                         QStringLiteral("German (Germany)")),
                 QStringLiteral("12 sentences · transcript (German (Germany), on this computer)"));
        QCOMPARE(SplitStatus::methodText(1500, SplitMethod::pauses(), {}),
                 QStringLiteral("1500 sentences · split at pauses"));
        QCOMPARE(SplitStatus::methodText(1, SplitMethod::pauses(), {}),
                 QStringLiteral("1 sentence · split at pauses"));

        SplitStatus status;
        status.show();
        auto* bar = status.findChild<QProgressBar*>(QStringLiteral("listeningProgress"));
        auto* label = status.findChild<QLabel*>(QStringLiteral("listeningLabel"));
        auto* notice = status.findChild<QLabel*>(QStringLiteral("notice"));
        status.showListening(30, 1200, QStringLiteral("English (United States)"));
        QVERIFY(bar->isVisible());
        QCOMPARE(double(bar->value()) / bar->maximum(), 0.025);
        QCOMPARE(label->text(),
                 QStringLiteral("Listening for sentences (English (United States))…"));
        status.showMethod(3, SplitMethod::pauses(), {});
        QVERIFY(!bar->isVisible());
        QVERIFY(!notice->isVisible());
        status.setNotice(QStringLiteral("No speech was recognised."));
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QStringLiteral("No speech was recognised."));
        status.setNotice(std::nullopt);
        QVERIFY(!notice->isVisible());
    }
};

QTEST_MAIN(SentenceListTest)
#include "SentenceListTest.moc"

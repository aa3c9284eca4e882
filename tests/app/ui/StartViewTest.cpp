#include "ui/StartView.h"
#include "ui/RelativeDate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class StartViewTest final : public QObject {
    Q_OBJECT

private:
    static QDateTime at(const QString& iso) { return QDateTime::fromString(iso, Qt::ISODate); }

    template <typename T> static T* child(QWidget& view, const char* name) {
        T* found = view.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }

    static int visibleRows(QWidget& view) {
        int count = 0;
        for (QWidget* row : view.findChildren<QWidget*>(QStringLiteral("recentRow")))
            count += row->isVisible() ? 1 : 0;
        return count;
    }

private Q_SLOTS:
    void spinnerOnlyWhileOpening() {
        StartView view;
        view.resize(900, 600);
        view.show();
        auto* open = child<QPushButton>(view, "openButton");
        auto* spinner = child<QProgressBar>(view, "openingSpinner");
        auto* caption = child<QLabel>(view, "openingCaption");
        QVERIFY(open->isVisible());
        QVERIFY(!spinner->isVisible());

        view.setRecent({{QStringLiteral("lesson.m4a"), QStringLiteral("Sentence 1 of 2")}});
        view.setOpening(true);
        QVERIFY(spinner->isVisible());
        QCOMPARE(spinner->maximum(), 0); // busy: nothing known about the progress
        QCOMPARE(caption->text(), QStringLiteral("Reading the file…"));
        // Nothing else shows: no open button, no recent list.
        QVERIFY(!open->isVisible());
        QCOMPARE(visibleRows(view), 0);

        view.setOpening(true, 0.426);
        QCOMPARE(caption->text(), QStringLiteral("Reading the file… 43%"));
        QCOMPARE(spinner->value(), 43);
        view.setOpening(true);
        QCOMPARE(caption->text(), QStringLiteral("Reading the file…"));

        view.setOpening(false);
        QVERIFY(open->isVisible());
        QVERIFY(!spinner->isVisible());
        QCOMPARE(visibleRows(view), 1);
    }

    void recentListAndItsActions() {
        StartView view;
        view.resize(900, 700);
        view.show();
        auto* heading = child<QLabel>(view, "recentHeading");
        QVERIFY(!heading->isVisible());

        view.setRecent({{QStringLiteral("episode.mp3"), QStringLiteral("Sentence 3 of 40")},
                        {QStringLiteral("lesson.m4a"), QStringLiteral("Sentence 1 of 12")}});
        QVERIFY(heading->isVisible());
        QCOMPARE(heading->text(), QStringLiteral("Pick up where you left off"));
        QCOMPARE(visibleRows(view), 2);

        QSignalSpy chosen(&view, &StartView::recentChosen);
        QSignalSpy forget(&view, &StartView::forgetRequested);
        QSignalSpy open(&view, &StartView::openRequested);
        const auto opens = view.findChildren<QAbstractButton*>(QStringLiteral("recentOpen"));
        const auto forgets = view.findChildren<QToolButton*>(QStringLiteral("recentForget"));
        QCOMPARE(opens.size(), 2);
        QCOMPARE(forgets[1]->accessibleName(), QStringLiteral("Forget lesson.m4a"));
        QCOMPARE(forgets[1]->toolTip(), QStringLiteral("Forget this session and its recordings"));
        // A click anywhere on the row's label opens it, also on its detail line.
        auto* detail = opens[1]->findChild<QLabel*>(QStringLiteral("recentDetail"));
        QCOMPARE(detail->text(), QStringLiteral("Sentence 1 of 12"));
        QTest::mouseClick(opens[1], Qt::LeftButton, {}, detail->geometry().center());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 1);
        QTest::mouseClick(forgets[0], Qt::LeftButton);
        QCOMPARE(forget.size(), 1);
        QCOMPARE(forget[0][0].toInt(), 0);
        QTest::mouseClick(child<QPushButton>(view, "openButton"), Qt::LeftButton);
        QCOMPARE(open.size(), 1);

        // Forgetting the last session removes the whole section, heading included.
        view.setRecent({});
        QApplication::processEvents();
        QVERIFY(!heading->isVisible());
        QCOMPARE(visibleRows(view), 0);
    }

    void detailLine() {
        const QDateTime now = at(QStringLiteral("2026-03-10T12:00:00Z"));
        const QDateTime yesterday = now.addSecs(-26 * 3600);
        QCOMPARE(StartView::detailLine(0, 40, 0, yesterday, now),
                 QStringLiteral("Sentence 1 of 40 · yesterday"));
        QCOMPARE(StartView::detailLine(0, 40, 3, yesterday, now),
                 QStringLiteral("Sentence 1 of 40 · 3 hard · yesterday"));
        // Numbers are written without grouping.
        QCOMPARE(StartView::detailLine(1233, 5000, 1, now.addDays(-3), now),
                 QStringLiteral("Sentence 1234 of 5000 · 1 hard · 3 days ago"));
    }

    void relativeDates() {
        const QDateTime now = at(QStringLiteral("2026-03-31T12:00:00Z"));
        QCOMPARE(RelativeDate::text(now, now), QStringLiteral("now"));
        QCOMPARE(RelativeDate::text(now.addSecs(-1), now), QStringLiteral("1 second ago"));
        QCOMPARE(RelativeDate::text(now.addSecs(-5 * 60 - 30), now),
                 QStringLiteral("5 minutes ago"));
        QCOMPARE(RelativeDate::text(now.addSecs(-3600), now), QStringLiteral("1 hour ago"));
        QCOMPARE(RelativeDate::text(now.addSecs(-23 * 3600), now), QStringLiteral("23 hours ago"));
        QCOMPARE(RelativeDate::text(now.addDays(-1), now), QStringLiteral("yesterday"));
        QCOMPARE(RelativeDate::text(now.addDays(-6), now), QStringLiteral("6 days ago"));
        QCOMPARE(RelativeDate::text(now.addDays(-8), now), QStringLiteral("last week"));
        QCOMPARE(RelativeDate::text(now.addDays(-15), now), QStringLiteral("2 weeks ago"));
        // Months are calendar months: 28 February to 31 March is one month, not four weeks.
        QCOMPARE(RelativeDate::text(at(QStringLiteral("2026-02-28T12:00:00Z")), now),
                 QStringLiteral("last month"));
        QCOMPARE(RelativeDate::text(now.addMonths(-5), now), QStringLiteral("5 months ago"));
        QCOMPARE(RelativeDate::text(now.addMonths(-13), now), QStringLiteral("last year"));
        QCOMPARE(RelativeDate::text(now.addYears(-4), now), QStringLiteral("4 years ago"));
        // A date after now (a clock that was ahead) reads forwards.
        QCOMPARE(RelativeDate::text(now.addSecs(2 * 3600 + 5), now), QStringLiteral("in 2 hours"));
        QCOMPARE(RelativeDate::text(now.addDays(1), now), QStringLiteral("tomorrow"));
        QCOMPARE(RelativeDate::text(QDateTime(), now), QString());
    }
};

QTEST_MAIN(StartViewTest)
#include "StartViewTest.moc"

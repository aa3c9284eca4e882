#include "ui/WaveformView.h"
#include "ui/ReducedMotion.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

class PaintCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// How often a playing view redraws in one second.
int paintsPerSecond(bool reduceMotion) {
    WaveformView view;
    view.resize(200, 60);
    view.setBars({0.5f, 1.0f, 0.2f});
    view.setReduceMotion(reduceMotion);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return -1;
    QTest::qWait(100); // the first paint of showing the view
    PaintCounter counter;
    view.installEventFilter(&counter);
    view.setPlaying(WaveformView::Playing{QDateTime::currentDateTimeUtc(), 30});
    QTest::qWait(1000);
    return counter.count;
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class WaveformViewTest final : public QObject {
    Q_OBJECT

private:
    static WaveformView::Playing playingFor(double length, double elapsed, const QDateTime& now) {
        return {now.addMSecs(static_cast<qint64>(-elapsed * 1000)), length};
    }

    // The colour at the centre of bar i, drawn on a transparent canvas.
    static QColor centreOf(WaveformView& view, int index) {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image, {}, {}, QWidget::DrawChildren);
        const QRectF rect = WaveformView::barRect(index, static_cast<int>(view.bars().size()),
                                                  view.size(), view.bars()[size_t(index)]);
        return image.pixelColor(rect.center().toPoint());
    }

private Q_SLOTS:
    void barGeometry() {
        const QSizeF canvas(100, 44);
        const QRectF first = WaveformView::barRect(0, 4, canvas, 1.0f);
        QCOMPARE(first.width(), 25 * 0.62);
        QCOMPARE(first.x(), (25 - 25 * 0.62) / 2);
        QCOMPARE(first.height(), 40.0);
        QCOMPARE(first.center().y(), 22.0);
        const QRectF third = WaveformView::barRect(2, 4, canvas, 0.5f);
        QCOMPARE(third.x(), first.x() + 50);
        QCOMPARE(third.height(), 20.0);
        // Silent bars stay visible, and narrow canvases keep bars one pixel wide.
        QCOMPARE(WaveformView::barRect(1, 4, canvas, 0.0f).height(), 2.0);
        QCOMPARE(WaveformView::barRect(0, 140, QSizeF(70, 44), 1.0f).width(), 1.0);
    }

    void progressColouring() {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        auto fullBars = [&](std::optional<WaveformView::Playing> playing) {
            const auto progress = WaveformView::progress(playing, now);
            QList<bool> full;
            for (int i = 0; i < 4; ++i)
                full.append(WaveformView::isFull(i, 4, progress));
            return full;
        };
        QCOMPARE(fullBars(std::nullopt), QList<bool>({true, true, true, true}));
        QCOMPARE(fullBars(playingFor(2, 0, now)), QList<bool>({false, false, false, false}));
        QCOMPARE(fullBars(playingFor(2, 0.5, now)), QList<bool>({true, false, false, false}));
        QCOMPARE(fullBars(playingFor(2, 1, now)), QList<bool>({true, true, false, false}));
        QCOMPARE(fullBars(playingFor(2, 2, now)), QList<bool>({true, true, true, true}));
        QCOMPARE(fullBars(playingFor(2, 60, now)), QList<bool>({true, true, true, true}));
        QCOMPARE(fullBars(playingFor(2, -1, now)), QList<bool>({false, false, false, false}));
        QCOMPARE(fullBars(playingFor(0, 0, now)), QList<bool>({true, true, true, true}));
    }

    void paintsPlayedBarsInFullColour() {
        WaveformView view;
        view.resize(200, 60);
        view.setTint(QColor(0, 0, 255));
        view.setBars({1.0f, 1.0f, 1.0f, 1.0f});
        QCOMPARE(centreOf(view, 3).alpha(), 255);

        view.setPlaying(playingFor(10, 4.5, QDateTime::currentDateTimeUtc()));
        QCOMPARE(centreOf(view, 0).alpha(), 255);
        QCOMPARE(centreOf(view, 1).alpha(), 255);
        QCOMPARE(centreOf(view, 2).alpha(), 77);
        QCOMPARE(centreOf(view, 3).alpha(), 77);

        view.setBars({});
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image, {}, {}, QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(100, 30).alpha(), 0);
    }

    void redrawsEveryFrameOrTwiceASecond() {
        const int smooth = paintsPerSecond(false);
        const int reduced = paintsPerSecond(true);
        // Ticks at 0, 0.5 and 1 s; one more may slip in around the edges.
        QVERIFY2(reduced >= 2 && reduced <= 4, qPrintable(QString::number(reduced)));
        QVERIFY2(smooth >= 10, qPrintable(QString::number(smooth)));

        // Nothing playing: drawn once, then left alone.
        WaveformView view;
        view.resize(200, 60);
        view.setBars({0.5f});
        view.setReduceMotion(false);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::qWait(100);
        PaintCounter counter;
        view.installEventFilter(&counter);
        view.setPlaying(WaveformView::Playing{QDateTime::currentDateTimeUtc(), 30});
        view.setPlaying(std::nullopt);
        QTest::qWait(400);
        QVERIFY2(counter.count <= 1, qPrintable(QString::number(counter.count)));
    }

    void readsTheDesktopsMotionSetting() {
        QVERIFY(ReducedMotion::fromGsettings("false\n"));
        QVERIFY(!ReducedMotion::fromGsettings("true\n"));
        QVERIFY(!ReducedMotion::fromGsettings(""));

        QTemporaryDir dir;
        const QString gtk = dir.filePath(QStringLiteral("settings.ini"));
        QVERIFY(!ReducedMotion::fromGtkSettings(gtk)); // no file
        write(gtk, "[Settings]\ngtk-theme-name=Adwaita\n");
        QVERIFY(!ReducedMotion::fromGtkSettings(gtk));
        write(gtk, "[Settings]\ngtk-enable-animations=0\n");
        QVERIFY(ReducedMotion::fromGtkSettings(gtk));
        write(gtk, "[Settings]\ngtk-enable-animations=false\n");
        QVERIFY(ReducedMotion::fromGtkSettings(gtk));
        write(gtk, "[Settings]\ngtk-enable-animations=true\n");
        QVERIFY(!ReducedMotion::fromGtkSettings(gtk));

        const QString kde = dir.filePath(QStringLiteral("kdeglobals"));
        QVERIFY(!ReducedMotion::fromKdeGlobals(kde));
        write(kde, "[KDE]\nAnimationDurationFactor=0.5\n");
        QVERIFY(!ReducedMotion::fromKdeGlobals(kde));
        write(kde, "[KDE]\nAnimationDurationFactor=0\n");
        QVERIFY(ReducedMotion::fromKdeGlobals(kde));
        write(kde, "[General]\nAnimationDurationFactor=0\n");
        QVERIFY(!ReducedMotion::fromKdeGlobals(kde));
    }
};

QTEST_MAIN(WaveformViewTest)
#include "WaveformViewTest.moc"

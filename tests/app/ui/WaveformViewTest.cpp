#include "ui/WaveformView.h"
#include "media/EnergyProfile.h"
#include "ui/ReducedMotion.h"

#include <QtTest>
#include <QtWidgets>

namespace {

class PaintCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

// Whether the settings file of this text asks for less motion, as the reader sees it.
bool reduces(bool (*read)(const QString&), const QByteArray& text) {
    QTemporaryFile file;
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        qFatal("cannot write a settings file");
    return read(file.fileName());
}

} // namespace

class WaveformViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bars() {
        const QSizeF canvas(100, 44);
        QCOMPARE(WaveformView::barRect(0, 4, canvas, 1.0f), QRectF(4.75, 2, 15.5, 40));
        // Silent bars stay visible, and narrow canvases keep bars one pixel wide.
        QCOMPARE(WaveformView::barRect(1, 4, canvas, 0.0f).height(), 2.0);
        QCOMPARE(WaveformView::barRect(0, 140, QSizeF(70, 44), 1.0f).width(), 1.0);
        // A bar covering several frames of the profile is as tall as the loudest of them.
        const EnergyProfile profile(0.01, {0.1f, 1.0f, 0.1f, 0.1f, 0.1f, 0.1f, 0.25f, 0.1f});
        QCOMPARE(profile.bars(0, 0.08, 2), std::vector<float>({1.0f, 0.5f}));
    }

    // One line per voiced run; semitones beyond the reach stay at the edge.
    void melodyLines() {
        const float gap = std::numeric_limits<float>::quiet_NaN();
        const auto lines =
            WaveformView::melodyLines({0, 0, gap, gap, 30, -4.5f, gap, 1}, QSizeF(80, 46));
        QCOMPARE(lines.size(), size_t(3));
        QCOMPARE(lines[0], QPolygonF({QPointF(5, 23), QPointF(15, 23)}));
        QCOMPARE(lines[1], QPolygonF({QPointF(45, 3), QPointF(55, 33)}));
        QCOMPARE(lines[2].size(), 1);
    }

    // Played bars are drawn in full colour, the rest faded (77 of 255).
    void paintsPlayedBarsInFullColour_data() {
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QList<int>>("alphas");
        // A length of -1 stands for nothing playing.
        QTest::newRow("not playing") << -1.0 << 0.0 << QList<int>{255, 255, 255, 255};
        QTest::newRow("not started") << 10.0 << -1.0 << QList<int>{77, 77, 77, 77};
        QTest::newRow("under half") << 10.0 << 4.5 << QList<int>{255, 255, 77, 77};
        QTest::newRow("no length") << 0.0 << 0.0 << QList<int>{255, 255, 255, 255};
    }
    void paintsPlayedBarsInFullColour() {
        QFETCH(double, length);
        QFETCH(double, elapsed);
        WaveformView view;
        view.resize(200, 60);
        view.setTint(QColor(0, 0, 255));
        view.setBars({1.0f, 1.0f, 1.0f, 1.0f});
        if (length >= 0)
            view.setPlaying(WaveformView::Playing{
                QDateTime::currentDateTimeUtc().addMSecs(qint64(-elapsed * 1000)), length});
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image, {}, {}, QWidget::DrawChildren);
        QList<int> alphas;
        for (int i = 0; i < 4; ++i)
            alphas.append(qAlpha(image.pixel(25 + 50 * i, 30)));
        QTEST(alphas, "alphas");
    }

    // Playing redraws every frame, or twice a second under reduced motion; stopped, not at all.
    // Load only slows redraws down, so the quiet cases are bounds from above.
    void redrawsWhilePlaying() {
        for (const bool reduce : {false, true}) {
            WaveformView view;
            view.setReduceMotion(reduce);
            PaintCounter paints;
            view.installEventFilter(&paints);
            view.show();
            QTRY_VERIFY(paints.count > 0);
            view.setPlaying(WaveformView::Playing{QDateTime::currentDateTimeUtc(), 30});
            paints.count = 0;
            if (!reduce) { // twice a second would take over a second for these
                QTRY_VERIFY_WITH_TIMEOUT(paints.count >= 4, 1000);
                view.setPlaying(std::nullopt);
                paints.count = 0;
            }
            QTest::qWait(300);
            QVERIFY2(paints.count <= 1, qPrintable(QString::number(paints.count)));
        }
    }

    void readsTheDesktopsMotionSetting() {
        QVERIFY(ReducedMotion::fromGsettings("false\n") && !ReducedMotion::fromGsettings("true\n"));
        const auto gtk = ReducedMotion::fromGtkSettings;
        QVERIFY(reduces(gtk, "[Settings]\ngtk-enable-animations=0") &&
                reduces(gtk, "[Settings]\ngtk-enable-animations=false"));
        QVERIFY(!reduces(gtk, "[Settings]\ngtk-enable-animations=true") &&
                !reduces(gtk, "[Settings]\ngtk-theme=Adwaita"));
        const auto kde = ReducedMotion::fromKdeGlobals;
        QVERIFY(reduces(kde, "[KDE]\nAnimationDurationFactor=0") &&
                !reduces(kde, "[KDE]\nAnimationDurationFactor=0.5") &&
                !reduces(kde, "[General]\nAnimationDurationFactor=0"));
    }
};

QTEST_MAIN(WaveformViewTest)
#include "WaveformViewTest.moc"

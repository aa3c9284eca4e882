#include "ui/Symbols.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

class SymbolsTest final : public QObject {
    Q_OBJECT

private:
    // The share of pixels that are not transparent when the icon is drawn at `side` pixels.
    static double coverage(const QIcon& icon, int side) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
        painter.end();
        int drawn = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                drawn += qAlpha(image.pixel(x, y)) > 40 ? 1 : 0;
        return double(drawn) / (side * side);
    }

    static QRgb centre(const QIcon& icon) {
        return icon.pixmap(QSize(48, 48)).toImage().pixel(24, 26);
    }

private Q_SLOTS:
    void themeIconsWhereTheThemeHasThem() {
        Symbols::ensureTheme();
        if (!QIcon::hasThemeIcon(QStringLiteral("starred")))
            QSKIP("the desktop icon theme has no starred icon");
        QCOMPARE(Symbols::icon(QStringLiteral("star.fill")).name(), QStringLiteral("starred"));
        QCOMPARE(Symbols::icon(QStringLiteral("star")).name(), QStringLiteral("non-starred"));
        // The theme has no tortoise: the picture is drawn.
        QVERIFY(Symbols::icon(QStringLiteral("tortoise")).name().isEmpty());
        // The theme's star has its own colour; an orange star asked for is drawn orange.
        const QIcon orange = Symbols::icon(QStringLiteral("star.fill"), QColor(255, 149, 0));
        QVERIFY(orange.name().isEmpty());
        const QColor ink = QColor::fromRgba(centre(orange));
        QCOMPARE(ink.alpha(), 255);
        QCOMPARE(ink.rgb(), QColor(255, 149, 0).rgb());
        // A flag or a bare cross is not the picture asked for: drawn, also without a colour.
        QVERIFY(Symbols::icon(QStringLiteral("text.bubble")).name().isEmpty());
        QVERIFY(Symbols::icon(QStringLiteral("xmark.circle.fill")).name().isEmpty());
    }

    void everySymbolIsDrawnWithoutATheme() {
        Symbols::ensureTheme();
        const QString theme = QIcon::themeName();
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        for (const QString& symbol : Symbols::all()) {
            const QIcon icon = Symbols::icon(symbol, Qt::black);
            QVERIFY2(icon.name().isEmpty(), qPrintable(symbol));
            // Something is drawn, and not a filled square: a picture.
            const double drawn = coverage(icon, 48);
            QVERIFY2(drawn > 0.04 && drawn < 0.8,
                     qPrintable(symbol + ": " + QString::number(drawn)));
            QVERIFY2(!icon.pixmap(QSize(16, 16)).isNull(), qPrintable(symbol));
        }
        // The filled star has ink at its centre, the outlined one does not.
        QVERIFY(qAlpha(centre(Symbols::icon(QStringLiteral("star.fill"), Qt::black))) > 200);
        QCOMPARE(qAlpha(centre(Symbols::icon(QStringLiteral("star"), Qt::black))), 0);
        QIcon::setThemeName(theme);
    }
};

QTEST_MAIN(SymbolsTest)
#include "SymbolsTest.moc"

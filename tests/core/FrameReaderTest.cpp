#include "video/FrameReader.h"
#include "media/MediaError.h"

#include "TestMedia.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestMedia::Picture;

namespace {

// The colour at (x, y) as 0xRRGGBB, each channel rounded to 0 or 255 (compression blurs them).
int colourAt(const VideoFrame& frame, int x, int y) {
    const uint8_t* pixel = &frame.rgba[(size_t(y) * size_t(frame.width) + size_t(x)) * 4];
    return (pixel[0] > 127) * 0xff0000 | (pixel[1] > 127) * 0x00ff00 | (pixel[2] > 127) * 0xff;
}

// The number a frame of a numbered video shows.
int numberOf(const VideoFrame& frame) {
    return (frame.rgba[(size_t(frame.height / 2) * size_t(frame.width) + 2) * 4] + 4) / 8;
}

} // namespace

class FrameReaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    const QStringList cover =
        u"-map 1:a -map 0:v -frames:v 1 -c:v png -pix_fmt rgb24"_s.split(u' ');

private Q_SLOTS:
    void showsTheFrameAtEachTime_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<QList<int>>("frames");
        QTest::newRow("forward, back, past either end")
            << QStringList{u"-g"_s, u"10"_s} << QList<double>{0, 0.15, 2.35, 0.55, 9, -1}
            << QList<int>{0, 1, 23, 5, 29, 0};
        QTest::newRow("picture a second after the sound, a minute into the file")
            << u"-vf setpts=PTS+1/TB -output_ts_offset 60"_s.split(u' ')
            << QList<double>{0.2, 1.25, 0.5} << QList<int>{0, 2, 0};
        QTest::newRow("variable frame rate: half a second's gap after frame 9")
            << QStringList{u"-vf"_s, u"setpts=N+5*gte(N\\,10)"_s, u"-fps_mode"_s, u"passthrough"_s}
            << QList<double>{0.95, 1.45, 1.55, 1.65} << QList<int>{9, 9, 10, 11};
    }
    void showsTheFrameAtEachTime() {
        QFETCH(QStringList, arguments);
        QFETCH(QList<double>, times);
        QFETCH(QList<int>, frames);
        const QString video = TestMedia::videoOf(Picture::numbered, path(u"n.mp4"_s), 3,
                                                 arguments + QStringList{u"-c:v"_s, u"libx264"_s});
        FrameReader reader(video, 640, 480);
        for (qsizetype i = 0; i < times.size(); ++i)
            QCOMPARE(numberOf(reader.frameAt(times[i])), frames[i]);
        QCOMPARE(numberOf(*reader.nextFrame()), frames.last() + 1);
    }

    void showsThePictureUpright_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("corners"); // top left, top right
        const QString phone =
            TestMedia::videoOf(Picture::quadrants, path(u"p.mov"_s), 1, {u"-c:v"_s, u"libx264"_s});
        TestMedia::turnClockwise(phone);
        QTest::newRow("turned a quarter clockwise, as phones store it")
            << phone << QSize(48, 64) << QList<int>{0xff0000, 0xffff00};
        QTest::newRow("pixels twice as wide as high")
            << TestMedia::videoOf(Picture::quadrants, path(u"s.mkv"_s), 1,
                                  {u"-vf"_s, u"scale=32:48,setsar=2"_s, u"-c:v"_s, u"libvpx-vp9"_s})
            << QSize(64, 48) << QList<int>{0xffff00, 0x00ff00};
        QTest::newRow("cover of an MP3")
            << TestMedia::videoOf(Picture::quadrants, path(u"c.mp3"_s), 1, cover) << QSize(64, 48)
            << QList<int>{0xffff00, 0x00ff00};
    }
    void showsThePictureUpright() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QList<int>, corners);
        const std::optional<PictureInfo> found = findPicture(file);
        QVERIFY(found && (found->kind == PictureInfo::Kind::Cover) == file.endsWith(u".mp3"_s));
        QCOMPARE(QSize(found->displayWidth, found->displayHeight), size);
        FrameReader reader(file, 640, 480);
        const VideoFrame frame = reader.frameAt(0.5);
        QCOMPARE(QSize(frame.width, frame.height), size);
        QCOMPARE(QList<int>({colourAt(frame, 2, 2), colourAt(frame, frame.width - 3, 2)}), corners);
    }

    // Nothing crashes and nothing grows without bound: a picture gives its frames (0: some) or is
    // refused with the message (-1).
    void refusesOrHoldsBadPictures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("frames");
        QTest::newRow("one frame") << TestMedia::videoOf(Picture::numbered, path(u"1.mkv"_s), 0.1,
                                                         {u"-c:v"_s, u"libvpx"_s})
                                   << 1;
        const QString whole = TestMedia::videoOf(Picture::numbered, path(u"w.mp4"_s), 3,
                                                 u"-g 10 -movflags +faststart"_s.split(u' '));
        QTest::newRow("cut off halfway, its index listing the frames lost: the last one held")
            << TestMedia::truncated(whole, path(u"half.mp4"_s), QFile(whole).size() / 2) << 0;
        QTest::newRow("damaged throughout")
            << TestMedia::videoOf(Picture::numbered, path(u"d.mp4"_s), 1,
                                  {u"-c:v"_s, u"libx264"_s, u"-bsf:v"_s, u"noise=1"_s})
            << -1;
        const QString huge = TestMedia::videoOf(Picture::quadrants, path(u"h.mp3"_s), 1, cover);
        QFile mp3(huge);
        QVERIFY(mp3.open(QIODevice::ReadWrite) && mp3.seek(mp3.readAll().indexOf("IHDR") + 4));
        QDataStream(&mp3) << quint32(16384) << quint32(16384);
        QTest::newRow("cover claiming 16384 × 16384") << huge << -1;
    }
    void refusesOrHoldsBadPictures() {
        QFETCH(QString, file);
        QFETCH(int, frames);
        try {
            FrameReader reader(file, 64, 64);
            QVERIFY(!reader.frameAt(5).isNull() && !reader.frameAt(0.2).isNull());
            int count = 1;
            for (reader.frameAt(-1); reader.nextFrame() && count < 100;)
                ++count;
            QVERIFY2(frames ? count == frames : count > 1, qPrintable(QString::number(count)));
        } catch (const MediaError& error) {
            QCOMPARE(error.description(), u"The picture of this video can’t be shown."_s);
            QCOMPARE(frames, -1);
        }
    }
};

QTEST_GUILESS_MAIN(FrameReaderTest)
#include "FrameReaderTest.moc"

#pragma once

#include <QWidget>

class PictureFeed;

// The picture of the open video, or the cover of an audio file: the feed's frame drawn as large
// as fits at its display aspect, centred on a dark ground. It tells the feed the size it is shown
// at, so frames come already scaled to it. Double-clicking asks for a larger view (or back).
// Lives on the main thread; the feed outlives it.
class PictureView final : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(PictureFeed& feed, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void enlargeToggled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PictureFeed& m_feed;
};

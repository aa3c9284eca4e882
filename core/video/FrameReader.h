#pragma once

#include "video/PictureInfo.h"
#include "video/VideoFrame.h"

#include <QString>

#include <memory>
#include <optional>

// Decodes the picture of a media file (its video stream, or its cover art) into frames scaled to
// the size shown, upright and at the display aspect. Times are on the sound's clock: 0 is the
// sound's first sample, as for sentences and the player, also when the video starts later.
//
// Used on one thread at a time (a worker: decoding a frame of a long-GOP 4K video can take a
// while); owns the FFmpeg contexts. At most two decoded frames are held besides the one returned,
// each converted to the box's size before it is handed out, so memory stays bounded by the box.
//
// Throws MediaError in the user's terms ("The picture of this video can’t be shown.") when the
// picture cannot be decoded: a stream nothing decodes from, or a picture too large to hold; "This
// file has no picture." for a sound file without a cover. The sound is unaffected. Damaged frames
// inside a stream are skipped; past the last frame the last one is held, also in a file cut short
// whose index lists frames it lost.
class FrameReader {
public:
    // `boxWidth` × `boxHeight`: as for fitInBox.
    FrameReader(const QString& mediaPath, int boxWidth, int boxHeight);
    ~FrameReader();
    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    const PictureInfo& info() const;

    // The size shown from now on; frames scale to fit, never larger than the source.
    void setBox(int boxWidth, int boxHeight);

    // The frame shown at `seconds`: the last one whose time <= seconds (the first frame before the
    // stream starts, the last after it ends). Decodes forward from the last frame when that is the
    // shorter way and seeks otherwise. A cover is the frame at every time.
    VideoFrame frameAt(double seconds);

    // The frame after the last one returned, for playing ahead; none at the end (a cover: none
    // once it was returned).
    std::optional<VideoFrame> nextFrame();

private:
    struct State;
    std::unique_ptr<State> d;
};

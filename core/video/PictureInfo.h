#pragma once

#include <QString>

#include <optional>

// What a media file shows: its video stream, or the cover art of a sound file. Plain values, any
// thread.
struct PictureInfo {
    enum class Kind {
        Moving, // a video stream
        Cover,  // an attached picture (cover art of MP3, M4A, FLAC, Opus)
    };
    Kind kind = Kind::Moving;
    int stream = -1;                         // the stream's index in the file
    int displayWidth = 0, displayHeight = 0; // upright (rotation applied), at the display aspect
    double start = 0;         // the first frame's time in seconds on the sound's clock
    double frameInterval = 0; // nominal seconds per frame (1 / frame rate); 0 for a cover
};

// The picture of `mediaPath` (a video stream is preferred to cover art), or none when the file has
// no picture (a sound file without a cover) or cannot be read. Reads the file's headers only, no
// frame: whether the picture decodes shows when a FrameReader opens it. Never throws; any thread.
std::optional<PictureInfo> findPicture(const QString& mediaPath);

// The size a picture of `width` × `height` is shown at in a box of `boxWidth` × `boxHeight`: as
// large as fits with its aspect kept, never larger than the picture itself, at least 1 × 1. A box
// side of 0 or less leaves that side free.
struct PictureSize {
    int width = 0, height = 0;
};
PictureSize fitInBox(int width, int height, int boxWidth, int boxHeight);

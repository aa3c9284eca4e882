#pragma once

// Internal to core/video: reading what a file's picture stream is from FFmpeg's view of it, shared
// by findPicture and FrameReader. Plain functions, any thread.

#include "media/FFmpegSupport.h"
#include "video/PictureInfo.h"

namespace PictureStream {

// How the stored picture is turned to be shown upright, from the stream's display matrix: a shown
// pixel (x', y') = (a·x + c·y, b·x + d·y) up to an offset, in picture coordinates (y down). Only
// quarter turns and mirrorings; another angle is shown as stored.
struct Orientation {
    int a = 1, b = 0, c = 0, d = 1;
    bool swapsSides() const { return a == 0; }
    bool isIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1; }
};

// Opens `path` (local files only) and reads its stream information. Throws MediaError.
FFmpeg::Input open(const QString& path);

// The index of the picture stream: the first video stream that is not an attached picture, else
// the first attached picture; -1 when there is none.
int choose(const AVFormatContext& input);

Orientation orientation(const AVStream& stream);

// The stored picture's size at its display aspect (sample aspect ratio applied), before turning.
PictureSize aspectSize(const AVStream& stream);

// Where the sound's clock starts on the file's clock, in seconds: the presentation time of the
// sound's first sample, as the player and the sentences count it; the file's start when it has no
// sound.
double soundStart(const QString& path, const AVFormatContext& input);

// What findPicture answers for `stream` of `input`.
PictureInfo describe(const AVFormatContext& input, int stream, double soundStart);

} // namespace PictureStream

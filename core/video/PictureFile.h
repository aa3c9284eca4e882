#pragma once

#include "video/VideoFrame.h"

#include <QString>

// Saves a frame as an image file with FFmpeg's encoders: PNG (lossless, for a faithful copy) when
// `path` ends in ".png", else JPEG (small, for flashcards). Written atomically: a failure leaves
// no file. Any thread. Throws MediaError in the user's terms when the file cannot be written.
void writePicture(const VideoFrame& frame, const QString& path);

#pragma once

#include "media/EnergyProfile.h"

#include <QString>

#include <functional>
#include <stop_token>

// The first step of opening a media file, shared by the window and quellin-cli: the sound the
// player plays and its energy profile, from which every sentence source starts.
struct OpenedSound {
    QString playable; // the media file itself: its sound track is read where it is
    EnergyProfile profile;
};

namespace SoundOpening {

// Seconds per frame of the profile that sentences are split on.
inline constexpr double profileFrame = 0.01;

// `path`: a media file in Locations::canonicalMediaPath form. The sound track is decoded where it
// is, in any container FFmpeg reads, video or not: FFmpeg seeks in it as in an audio file, so a
// long video is practisable once its sound track has been decoded once, with nothing converted or
// stored first. Synchronous and long: run it off the main thread; `progress` receives the fraction
// read (0…1) on that thread. Throws MediaError for a file that cannot be used, also one whose
// sound track holds no sample, and OperationCancelled once `stop` is requested.
OpenedSound open(const QString& path, std::stop_token stop = {},
                 const std::function<void(double)>& progress = {});

} // namespace SoundOpening

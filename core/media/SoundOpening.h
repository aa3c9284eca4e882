#pragma once

#include "media/EnergyProfile.h"

#include <QString>

#include <functional>
#include <stop_token>

// The first step of opening a media file, shared by the window and quellin-cli: the sound the
// player plays and its energy profile, from which every sentence source starts.
struct OpenedSound {
    QString playable; // the media file itself or its cached sound track
    EnergyProfile profile;
};

namespace SoundOpening {

// Seconds per frame of the profile that sentences are split on.
inline constexpr double profileFrame = 0.01;

// Converting a sound track (the media file's, or instantly none) comes before reading the sound.
enum class Stage { converting, reading };
// The stage and the fraction of it done so far (0…1), called on the working thread.
using Progress = std::function<void(Stage, double)>;

// `path`: a media file in Locations::canonicalMediaPath form, so that the window and quellin-cli
// find the same cached sound track in `cacheFolder`. Synchronous and long: run it off the main
// thread. Throws MediaError for a file that cannot be used, OperationCancelled once `stop` is
// requested.
OpenedSound open(const QString& path, const QString& cacheFolder, std::stop_token stop = {},
                 const Progress& progress = {});

// One fraction for the whole opening: a sound track that has to be converted first takes the
// first half of the way and the reading the rest; without a conversion the reading is all of it.
Progress wholeWay(std::function<void(double)> progress);

} // namespace SoundOpening

#include "media/SoundOpening.h"

#include "media/MediaError.h"

namespace SoundOpening {

OpenedSound open(const QString& path, std::stop_token stop,
                 const std::function<void(double)>& progress) {
    OpenedSound sound{path, EnergyProfile::read(path, profileFrame, std::move(stop), progress)};
    if (sound.profile.rms.empty())
        throw MediaError::noAudio();
    return sound;
}

} // namespace SoundOpening

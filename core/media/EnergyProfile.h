#pragma once

#include <QString>

#include <functional>
#include <stop_token>
#include <vector>

// The loudness of a sound over time: one RMS amplitude per frame of `frameDuration` seconds.
struct EnergyProfile {
    double frameDuration = 0.01;
    std::vector<float> rms;

    EnergyProfile() = default;
    EnergyProfile(double frameDuration, std::vector<float> rms)
        : frameDuration(frameDuration), rms(std::move(rms)) {}

    double duration() const { return frameDuration * static_cast<double>(rms.size()); }
    // The frame holding time t, clamped to the frames that exist (0 when there are none).
    qsizetype frame(double t) const;
    // Whether the profile holds any time: frames, each of a finite positive length.
    bool holdsTime() const;
    // `count` bar heights in 0…1 for the span, normalised to the loudest bar of the span.
    std::vector<float> bars(double from, double to, int count) const;
    static float decibels(float x, float floor);

    bool operator==(const EnergyProfile&) const = default;

    // Reads the sound track of a media file (video or not) in blocks and computes
    // its profile. Throws MediaError. `progress` receives the fraction read so far; a stop request
    // ends reading with OperationCancelled.
    static EnergyProfile read(const QString& path, double frameDuration, std::stop_token stop = {},
                              const std::function<void(double)>& progress = {});
};

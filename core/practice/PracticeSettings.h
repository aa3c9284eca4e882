#pragma once

#include <QJsonObject>

#include <array>

// A closed range [lowerBound, upperBound] that values are limited to when they are used.
template <typename T> struct ClosedRange {
    T lowerBound;
    T upperBound;

    constexpr bool contains(T value) const { return lowerBound <= value && value <= upperBound; }
    // A value that is not a number (it fails every comparison) is taken as the lower bound.
    constexpr T clamp(T value) const {
        if (value <= lowerBound || !(value == value))
            return lowerBound;
        return value < upperBound ? value : upperBound;
    }
};

// How one sentence is practised: how often it plays, how fast, how long the pause after each
// play is, and whether practice goes on to the next sentence by itself. The values are kept as
// given; they are limited to their ranges (`clamped`) where they are used.
struct PracticeSettings {
    int repeats = 3;
    double rate = 1.0;
    double gapFactor = 1.0;
    bool autoAdvance = false;

    static constexpr ClosedRange<int> repeatRange{1, 20};
    static constexpr ClosedRange<double> rateRange{0.5, 1.5};
    // The pause factor may be set above the largest choice offered in the settings panel.
    static constexpr ClosedRange<double> gapFactorRange{0.0, 4.0};
    static constexpr std::array<double, 5> gapChoices{0.0, 0.5, 1.0, 1.5, 2.0};

    PracticeSettings() = default;
    PracticeSettings(int repeats, double rate, double gapFactor, bool autoAdvance)
        : repeats(repeats), rate(rate), gapFactor(gapFactor), autoAdvance(autoAdvance) {}
    // The values of a new session when the user has not chosen any before.
    static PracticeSettings standard() { return {}; }

    PracticeSettings clamped() const;

    // The speed moves in steps of 5 %: Slower and Faster take one step, a rate chosen on the
    // slider is rounded to the nearest step, and Normal Speed goes back to 1.0. Limiting the
    // result is left to `clamped`.
    static constexpr int stepsPerRate = 20;
    static constexpr double rateStep = 1.0 / stepsPerRate;
    void slower();
    void faster();
    void normalSpeed();
    void setRateToNearestStep(double chosen);

    bool operator==(const PracticeSettings&) const = default;

    QJsonObject toJson() const;
    // Reads the values as stored, without limiting them. Throws DecodingError.
    static PracticeSettings fromJson(const QJsonValue& value);
};

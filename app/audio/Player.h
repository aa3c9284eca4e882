#pragma once

#include "audio/AudioDevices.h"
#include "audio/Resumer.h"

#include <QObject>
#include <QString>

#include <QCoroTask>

#include <memory>
#include <optional>

class DecoderLender;
class SegmentStream;

// Plays stretches of the opened media file at a rate without changing their pitch, and the
// user's recorded takes. Callers await the end of what they started and learn whether it was
// heard to the end (true) or not (false): cut short by stop(), or not played, for which
// failure() says why. Lives on the main thread.
class Player : public QObject {
    Q_OBJECT
public:
    explicit Player(std::shared_ptr<AudioDevices> devices = AudioDevices::system(),
                    QObject* parent = nullptr);
    ~Player() override;

    // Stops, then opens `path` for playing. Throws MediaError when it cannot be played; the
    // file loaded before then stays loaded.
    void load(const QString& path);
    // Plays the loaded file from `start` to `end` seconds at `rate`. True when played to its
    // end or when there is nothing to play; false with no file, when the output cannot start or
    // fails before the end, or when stopped first.
    QCoro::Task<bool> play(double start, double end, double rate);
    // Plays a take from `start` to `end` seconds (its end when absent) at normal speed, its
    // samples scaled by `gain`. True when it ended by itself; false when it cannot be opened, when
    // the output cannot start or fails before the end, or when it was stopped or cut short by
    // another take.
    QCoro::Task<bool> playTake(QString path, double start, std::optional<double> end,
                               double gain = 1);
    // Stops everything that plays; every waiting call returns false.
    void stop();
    // Stops and forgets the file: play returns false until a file is loaded again.
    void unload();

    // Counts stops; an operation begun under one generation reports false once it changed.
    quint64 generation() const { return m_generation; }
    bool hasFile() const { return m_file != nullptr; }
    // Where in the loaded file the stretch that play() started is being heard, in seconds on the
    // file's clock (the rate applied: at 0.5 it moves half as fast as the wall clock); nothing
    // while no stretch plays (takes, pauses, stopped).
    std::optional<double> position() const;
    // Why the last play or playTake that returned false could not be played, in the user's
    // terms; nothing when it was stopped or had no file.
    const std::optional<QString>& failure() const { return m_failure; }

private:
    struct TakePlayback;

    // Whether a playback that nobody stopped was heard to its end; keeps the failure if not.
    bool heard(const Resumer& end);

    std::shared_ptr<AudioDevices> m_devices;
    std::unique_ptr<AudioOutput> m_engine;
    std::shared_ptr<DecoderLender> m_file;
    std::shared_ptr<SegmentStream> m_segment;
    std::shared_ptr<TakePlayback> m_takePlayer;
    std::shared_ptr<Resumer> m_pending;
    // The stretch play() is playing: its start and rate, for position().
    double m_playingFrom = 0;
    double m_playingTo = 0;
    double m_playingRate = 1;
    quint64 m_generation = 0;
    std::optional<QString> m_failure;
};

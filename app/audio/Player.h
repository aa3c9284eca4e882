#pragma once

#include "AudioDevices.h"
#include "Resumer.h"

#include <QObject>
#include <QString>

#include <qcoro/qcorotask.h>

#include <memory>
#include <optional>

class DecoderLender;
class SegmentStream;

// Plays stretches of the opened media file at a rate without changing their pitch, and the
// user's recorded takes. Callers await the end of what they started and learn whether it was
// heard to the end (true) or cut short by stop() (false). Lives on the main thread.
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
    // end or when there is nothing to play; false with no file, when the output cannot start,
    // or when stopped first.
    QCoro::Task<bool> play(double start, double end, double rate);
    // Plays a take from `start` to `end` seconds (its end when absent) at normal speed. True
    // when it ended by itself; false when it cannot be opened, was stopped or was cut short by
    // another take.
    QCoro::Task<bool> playTake(QString path, double start, std::optional<double> end);
    // Stops everything that plays; every waiting call returns false.
    void stop();
    // Stops and forgets the file: play returns false until a file is loaded again.
    void unload();

    // Counts stops; an operation begun under one generation reports false once it changed.
    quint64 generation() const { return m_generation; }
    bool hasFile() const { return m_file != nullptr; }

private:
    struct TakePlayback;

    std::shared_ptr<AudioDevices> m_devices;
    std::unique_ptr<AudioOutput> m_engine;
    std::shared_ptr<DecoderLender> m_file;
    std::shared_ptr<SegmentStream> m_segment;
    std::shared_ptr<TakePlayback> m_takePlayer;
    std::shared_ptr<Resumer> m_pending;
    quint64 m_generation = 0;
};

#include "audio/Player.h"

#include "audio/DecoderLender.h"
#include "audio/SegmentStream.h"

#include <QCoreApplication>
#include <QPointer>

#include <QCoroTimer>

#include <chrono>
#include <cmath>
#include <coroutine>
#include <limits>

namespace {

// Suspends the caller until the resumer fires. The end of a segment may be reported on an
// audio thread, so the caller is resumed through the main thread's event loop.
struct SegmentEnd {
    std::shared_ptr<Resumer> resumer;

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> caller) {
        resumer->attach([caller] {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [caller] { caller.resume(); }, Qt::QueuedConnection);
        });
    }
    void await_resume() const noexcept {}
};

} // namespace

struct Player::TakePlayback {
    std::unique_ptr<AudioOutput> output;
    std::shared_ptr<SegmentStream> segment;
    std::shared_ptr<Resumer> end = std::make_shared<Resumer>();
};

namespace {

AudioOutput::Ended reportTo(std::shared_ptr<Resumer> end) {
    return
        [end = std::move(end)](std::optional<QString> failure) { end->resume(std::move(failure)); };
}

} // namespace

Player::Player(std::shared_ptr<AudioDevices> devices, QObject* parent)
    : QObject(parent), m_devices(std::move(devices)), m_engine(m_devices->makeOutput()) {}

Player::~Player() {
    stop();
}

void Player::load(const QString& path) {
    stop();
    m_engine->stop();
    m_file = std::make_shared<DecoderLender>(path);
}

QCoro::Task<bool> Player::play(double start, double end, double rate) {
    m_failure.reset();
    if (!m_file)
        co_return false;
    const double sampleRate = m_file->format().sampleRate;
    const qint64 first = qint64(std::max(start, 0.0) * sampleRate);
    const qint64 left = std::max<qint64>(m_file->lengthFrames() - first, 0);
    // A segment's frame count is an unsigned 32-bit number: over 12 hours even at 96 kHz.
    const double wanted = std::min(
        {sampleRate * (end - start), double(left), double(std::numeric_limits<quint32>::max())});
    const qint64 count = wanted > 0 ? qint64(wanted) : 0;
    if (count == 0)
        co_return true;

    // A caller that did not stop an earlier segment still playing would otherwise wait for it in
    // vain: one output plays one segment.
    if (m_pending && !m_pending->done())
        stop();
    const quint64 generation = m_generation;
    auto resumer = std::make_shared<Resumer>();
    m_pending = resumer;
    m_segment = std::make_shared<SegmentStream>(m_file, first, count, rate);
    m_playingFrom = double(first) / sampleRate;
    m_playingTo = double(first + count) / sampleRate;
    m_playingRate = rate;
    m_failure = m_engine->start(m_file->format(), m_segment, reportTo(resumer));
    if (m_failure) {
        if (m_pending == resumer)
            m_pending.reset();
        co_return false;
    }
    QPointer<Player> self(this);
    // A named awaiter: GCC 12 destroys some temporaries of a co_await expression twice.
    SegmentEnd segmentEnd{resumer};
    co_await segmentEnd;
    if (!self)
        co_return false;
    if (m_pending == resumer)
        m_pending.reset();
    if (m_generation != generation)
        co_return false;
    co_return heard(*resumer);
}

QCoro::Task<bool> Player::playTake(QString path, double start, std::optional<double> end,
                                   double gain) {
    m_failure.reset();
    std::shared_ptr<DecoderLender> file;
    try {
        file = std::make_shared<DecoderLender>(path);
    } catch (const std::exception& error) {
        m_failure = QString::fromUtf8(error.what());
        co_return false;
    }
    const AudioFormat format = file->format();
    const quint64 generation = m_generation;
    auto take = std::make_shared<TakePlayback>();
    take->output = m_devices->makeOutput();
    // A take that was playing is dropped, which cuts it short.
    if (auto previous = std::exchange(m_takePlayer, take)) {
        previous->output->stop();
        previous->end->resume();
    }

    const qint64 first = qint64(std::max(start, 0.0) * format.sampleRate);
    qint64 limit = file->lengthFrames();
    if (end)
        limit = std::min(limit, qint64(std::max(*end, 0.0) * format.sampleRate));
    if (limit > first) {
        take->segment = std::make_shared<SegmentStream>(file, first, limit - first, 1.0, gain);
        m_failure = take->output->start(format, take->segment, reportTo(take->end));
        if (m_failure) {
            if (m_takePlayer == take)
                m_takePlayer.reset();
            co_return false;
        }
    } else {
        take->end->resume();
    }

    QPointer<Player> self(this);
    while (m_generation == generation && !take->end->done()) {
        co_await QCoro::sleepFor(std::chrono::milliseconds(30));
        if (!self)
            co_return false;
    }
    take->output->stop();
    // Neither stopped nor cut short by another take.
    const bool current = m_generation == generation && m_takePlayer == take;
    if (m_takePlayer == take)
        m_takePlayer.reset();
    if (!current)
        co_return false;
    co_return heard(*take->end);
}

std::optional<double> Player::position() const {
    if (!m_pending || m_pending->done() || !m_segment)
        return std::nullopt;
    // The output plays stretched frames: one second heard is `rate` seconds of the file.
    return std::min(m_playingFrom + m_engine->heardSeconds() * m_playingRate, m_playingTo);
}

bool Player::heard(const Resumer& end) {
    m_failure = end.failure();
    return !m_failure;
}

void Player::stop() {
    ++m_generation;
    m_engine->stop();
    if (auto segment = std::exchange(m_segment, nullptr))
        segment->cancel();
    if (auto take = std::exchange(m_takePlayer, nullptr))
        take->output->stop();
    if (auto pending = std::exchange(m_pending, nullptr))
        pending->resume();
}

void Player::unload() {
    stop();
    m_file.reset();
}

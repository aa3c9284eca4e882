#include "speech/SphinxDecoderPool.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <exception>

// One decoder asked for: loaded by the pool's thread, handed to the asker, or kept idle when the
// asker has stopped waiting.
struct SphinxDecoderPool::Load {
    SphinxDecoder::Model model;
    bool abandoned = false;
    bool done = false;
    std::unique_ptr<SphinxDecoder> decoder;
    std::exception_ptr failure;
};

namespace {

// How often a caller waiting for a decoder looks at its stop request.
constexpr auto stopCheck = std::chrono::milliseconds(5);

// Why a load failed, for a debug line; nothing when it was only stopped.
std::optional<QString> failureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const OperationCancelled&) {
        return std::nullopt;
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QCoreApplication::translate("SphinxDecoderPool", "an unknown failure");
    }
}

} // namespace

SphinxDecoderPool::SphinxDecoderPool(size_t keep) : m_keep(keep), m_thread([this] { run(); }) {}

SphinxDecoderPool::~SphinxDecoderPool() {
    {
        std::lock_guard lock(m_mutex);
        m_shuttingDown = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::unique_ptr<SphinxDecoder> SphinxDecoderPool::take(const SphinxDecoder::Model& model,
                                                       const std::function<bool()>& stopped) {
    std::unique_lock lock(m_mutex);
    const auto idle = std::find_if(m_idle.begin(), m_idle.end(),
                                   [&](const auto& decoder) { return decoder->model() == model; });
    if (idle != m_idle.end()) {
        std::unique_ptr<SphinxDecoder> decoder = std::move(*idle);
        m_idle.erase(idle);
        return decoder;
    }
    auto load = std::make_shared<Load>();
    load->model = model;
    m_loads.push_back(load);
    m_changed.notify_all();
    while (!load->done) {
        if (stopped && stopped()) {
            load->abandoned = true;
            m_changed.notify_all();
            throw OperationCancelled();
        }
        m_changed.wait_for(lock, stopCheck);
    }
    if (load->failure)
        std::rethrow_exception(load->failure);
    return std::move(load->decoder);
}

void SphinxDecoderPool::give(std::unique_ptr<SphinxDecoder> decoder) {
    if (!decoder)
        return;
    std::lock_guard lock(m_mutex);
    if (decoder->hasAbandonedUtterance())
        m_toFinish.push_back(std::move(decoder));
    else
        keepIdle(std::move(decoder));
    m_changed.notify_all();
}

void SphinxDecoderPool::keepIdle(std::unique_ptr<SphinxDecoder> decoder) {
    m_idle.push_back(std::move(decoder));
    while (m_idle.size() > m_keep) {
        m_toFree.push_back(std::move(m_idle.front()));
        m_idle.erase(m_idle.begin());
    }
}

void SphinxDecoderPool::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] {
            return m_shuttingDown || !m_loads.empty() || !m_toFree.empty() || !m_toFinish.empty();
        });
        if (!m_toFinish.empty() && !m_shuttingDown) {
            std::unique_ptr<SphinxDecoder> decoder = std::move(m_toFinish.front());
            m_toFinish.erase(m_toFinish.begin());
            lock.unlock();
            decoder->endAbandonedUtterance();
            lock.lock();
            keepIdle(std::move(decoder));
            continue;
        }
        if (!m_toFree.empty()) {
            auto freeing = std::move(m_toFree);
            m_toFree.clear();
            lock.unlock();
            freeing.clear();
            lock.lock();
            continue;
        }
        if (m_shuttingDown)
            break;
        const std::shared_ptr<Load> load = m_loads.front();
        m_loads.pop_front();
        if (load->abandoned)
            continue;
        lock.unlock();
        std::unique_ptr<SphinxDecoder> decoder;
        std::exception_ptr failure;
        try {
            // A model check nobody waits for any more is killed.
            decoder = std::make_unique<SphinxDecoder>(load->model, [this, load] {
                std::lock_guard guard(m_mutex);
                return m_shuttingDown || load->abandoned;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (load->abandoned) {
            if (const auto text = failure ? failureText(failure) : std::nullopt)
                qCDebug(lcSpeech) << "a model load nobody waits for any more failed:" << *text;
            if (decoder && !m_shuttingDown)
                keepIdle(std::move(decoder));
            else
                m_toFree.push_back(std::move(decoder));
            continue;
        }
        load->decoder = std::move(decoder);
        load->failure = failure;
        load->done = true;
        m_changed.notify_all();
    }
    // Shutting down: the owner has ended every recognition, so nobody should be waiting.
    for (const std::shared_ptr<Load>& load : m_loads) {
        load->failure = std::make_exception_ptr(OperationCancelled());
        load->done = true;
    }
    m_idle.clear();
    m_toFinish.clear();
    lock.unlock();
}

#pragma once

#include <QCoroTask>
#include <QObject>

#include <chrono>
#include <memory>
#include <stop_token>

// The stop flag of one long operation of the model. QCoro tasks cannot be cancelled from
// outside, so the model keeps the token of each running task (`work`, `splitTask`) and the
// coroutine holds its own copy; a coroutine checks `isCancelled()` after every co_await and
// returns without touching state once it is set. Workers off the main thread get `stopToken()`.
class TaskToken final : public QObject {
    Q_OBJECT
public:
    static std::shared_ptr<TaskToken> make() { return std::make_shared<TaskToken>(); }

    bool isCancelled() const { return m_stop.stop_requested(); }
    std::stop_token stopToken() const { return m_stop.get_token(); }
    // Sets the flag and ends a running `sleep` at once.
    void cancel();

    // False once the coroutine that carries the token has returned (see `Running`).
    bool isRunning() const { return m_running > 0; }

    // Sleeps on a monotonic clock. True when the whole time passed, false when the token was
    // cancelled before or during the sleep.
    QCoro::Task<bool> sleep(std::chrono::milliseconds duration);
    QCoro::Task<bool> sleep(double seconds);

    // Held in a coroutine's frame for its whole life, so that the model can tell that no task is
    // left running.
    class Running {
    public:
        explicit Running(std::shared_ptr<TaskToken> token);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        std::shared_ptr<TaskToken> m_token;
    };

Q_SIGNALS:
    void cancelRequested();

private:
    std::stop_source m_stop;
    int m_running = 0;
};

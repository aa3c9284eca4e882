#pragma once

#include <QCoroTask>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>
#include <stop_token>
#include <vector>

// The stop flag of one long operation of the model. QCoro tasks cannot be cancelled from
// outside, so the model keeps the token of each running task (`work`, `splitTask`) and the
// coroutine holds its own copy in a ModelTasks::Scope, which it asks after every co_await
// whether to return without touching state. Workers off the main thread get `stopToken()`.
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

// The model's tasks: starts each one with a token of its own, cancels them, and tells whether any
// is still running. Main thread only.
class ModelTasks {
public:
    using Token = std::shared_ptr<TaskToken>;

    // A fresh token, remembered until its coroutine has returned.
    Token start();
    // Cancels the task (when there is one) and forgets its token.
    static void cancel(Token& token);
    static bool isRunning(const Token& token) { return token && token->isRunning(); }
    bool anyRunning() const;
    // When the owner goes away: tasks still suspended must find themselves cancelled when they
    // wake while the owner's services are destroyed.
    void cancelAll();

    // Held in a coroutine's frame for its whole life: marks the task running, and says after
    // each co_await whether the coroutine must return at once.
    class Scope {
    public:
        Scope(const QObject* owner, Token token)
            : m_owner(owner), m_token(token), m_running(std::move(token)) {}
        // The owner has gone, or the task was cancelled.
        bool stale() const { return !m_owner || m_token->isCancelled(); }

    private:
        QPointer<const QObject> m_owner;
        Token m_token;
        TaskToken::Running m_running;
    };

private:
    std::vector<std::weak_ptr<TaskToken>> m_tasks;
};

#include "model/TaskToken.h"

#include <QCoroTimer>
#include <QTimer>

#include <algorithm>
#include <cmath>

void TaskToken::cancel() {
    if (m_stop.request_stop())
        Q_EMIT cancelRequested();
}

QCoro::Task<bool> TaskToken::sleep(std::chrono::milliseconds duration) {
    if (isCancelled())
        co_return false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    // A cancellation fires the timer early instead of leaving the coroutine waiting.
    connect(this, &TaskToken::cancelRequested, &timer, [&timer] { timer.start(0); });
    timer.start(std::max(duration, std::chrono::milliseconds(0)));
    co_await timer;
    co_return !isCancelled();
}

QCoro::Task<bool> TaskToken::sleep(double seconds) {
    const double ms = std::isfinite(seconds) ? std::round(seconds * 1000.0) : 0.0;
    return sleep(std::chrono::milliseconds(static_cast<qint64>(std::max(ms, 0.0))));
}

TaskToken::Running::Running(std::shared_ptr<TaskToken> token) : m_token(std::move(token)) {
    ++m_token->m_running;
}

TaskToken::Running::~Running() {
    --m_token->m_running;
}

ModelTasks::Token ModelTasks::start() {
    std::erase_if(m_tasks,
                  [](const std::weak_ptr<TaskToken>& weak) { return !isRunning(weak.lock()); });
    Token token = TaskToken::make();
    m_tasks.push_back(token);
    return token;
}

void ModelTasks::cancel(Token& token) {
    if (token)
        token->cancel();
    token.reset();
}

bool ModelTasks::anyRunning() const {
    return std::any_of(m_tasks.begin(), m_tasks.end(),
                       [](const std::weak_ptr<TaskToken>& weak) { return isRunning(weak.lock()); });
}

void ModelTasks::cancelAll() {
    for (const std::weak_ptr<TaskToken>& weak : m_tasks)
        if (const Token token = weak.lock())
            token->cancel();
}

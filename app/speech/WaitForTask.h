#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>
#include <utility>

namespace WaitForTask {

// The task's value or what it threw. QCoro 0.8's waitFor never returns when the awaited task
// throws, so the waiting goes through this wrapper, which does not.
template <typename T>
QCoro::Task<std::pair<std::optional<T>, std::exception_ptr>> settle(QCoro::Task<T> task) {
    std::exception_ptr failure;
    try {
        co_return {co_await std::move(task), nullptr};
    } catch (...) {
        failure = std::current_exception();
    }
    co_return {std::nullopt, failure};
}

} // namespace WaitForTask

// Runs a task to its end in a nested event loop on the calling thread, for callers without an
// event loop of their own; returns its value or rethrows what it threw.
template <typename T> T waitForTask(QCoro::Task<T>&& task) {
    auto [value, failure] = QCoro::waitFor(WaitForTask::settle(std::move(task)));
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*value);
}

#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>

// QCoro 0.8's waitFor never returns when the awaited task throws, so the tests wait for a wrapper
// that catches and hand the exception back afterwards.
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

// Runs the task to its end in a nested event loop; rethrows what it threw.
template <typename T>
T await(QCoro::Task<T>&& task) {
    auto [value, failure] = QCoro::waitFor(settle(std::move(task)));
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*value);
}

// Runs the task to its end and gives the error of the given type it threw, if it threw one.
template <typename Error, typename T>
std::optional<Error> failureOf(QCoro::Task<T>&& task) {
    try {
        await(std::move(task));
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

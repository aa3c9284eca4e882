#pragma once

#include "speech/WaitForTask.h"

#include <optional>

// Runs the task to its end and gives the error of the given type it threw, if it threw one.
template <typename Error, typename T> std::optional<Error> failureOf(QCoro::Task<T>&& task) {
    try {
        waitForTask(std::move(task));
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

#pragma once

#include <QString>

#include <optional>
#include <stop_token>
#include <vector>

// A stretch of a media file's sound as mono samples at a chosen rate, for analysis. Reading a
// sentence of a long file seeks to it first. Synchronous, any thread; throws MediaError when the
// file cannot be read and OperationCancelled on a stop request.
std::vector<float> readMonoClip(const QString& path, int sampleRate, double start = 0,
                                std::optional<double> end = std::nullopt,
                                std::stop_token stop = {});

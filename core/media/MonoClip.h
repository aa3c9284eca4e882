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

class AudioDecoder;
// The same from a decoder already open on the file, at its output format (mono for analysis):
// one decoder serves many stretches of a file without opening it again. Seconds from the file's
// start; the stop token is the decoder's.
std::vector<float> readMonoClip(AudioDecoder& decoder, double start = 0,
                                std::optional<double> end = std::nullopt);

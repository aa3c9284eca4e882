#pragma once

#include "model/AppModel.h"

#include <QTemporaryDir>

#include <memory>

// An application model for the benchmarks: clocked devices (no sound card), sessions and settings
// in `dir`, no file chooser. Main thread.
namespace BenchModel {

// With `transcriber`, or one that refuses recognition (only opening is measured) when null.
std::unique_ptr<AppModel> make(const QTemporaryDir& dir,
                               std::unique_ptr<Transcriber> transcriber = nullptr);

// Runs the event loop until `done` holds; exits the benchmark with the model's error if one comes.
void waitUntil(AppModel& model, const std::function<bool()>& done);

} // namespace BenchModel

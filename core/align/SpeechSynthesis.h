#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <stop_token>
#include <utility>
#include <vector>

// Speech synthesised by espeak-ng's library, for aligning a text to a recording of it.
// espeak-ng keeps global state: every call here takes one process-wide lock, so syntheses run one
// at a time on whatever thread calls; the library is initialised once, on first use.

// A language espeak-ng has a voice for: its identifier ("de", "en-us", "pt-br") and the name to
// show ("German", "English (United States)").
struct SynthesisLanguage {
    QString code;
    QString name;
    bool operator==(const SynthesisLanguage&) const = default;
};

// Every language with a voice, sorted by name. Empty when espeak-ng cannot start.
std::vector<SynthesisLanguage> synthesisLanguages();

// Whether espeak-ng speaks a language identifier ("de", "en-US", "pt_BR"): the dialect's voice,
// else the language's main voice ("en" speaks as en-gb), else any voice of the language.
bool hasSynthesisVoice(const QString& language);

// The rate of the synthesised samples (22050 Hz), 0 when espeak-ng cannot start.
int synthesisRate();

struct SynthesisResult {
    // For each text, the samples of its speech (silence trimmed) in the whole output.
    std::vector<std::pair<qint64, qint64>> ranges;
};

// Speaks each text with the voice of `language` (hasSynthesisVoice), `pause` seconds of silence
// before, between and after them, and hands the mono samples (-1…1) to `sink` block by block.
// Throws std::runtime_error when espeak-ng cannot start or has no such voice (callers check
// hasSynthesisVoice first for a message in the user's terms), OperationCancelled on stop (checked
// every block, a few milliseconds of work). `progress` receives the share of texts spoken.
SynthesisResult synthesise(const QStringList& texts, const QString& language, double pause,
                           const std::function<void(std::span<const float>)>& sink,
                           std::stop_token stop = {},
                           const std::function<void(double)>& progress = {});

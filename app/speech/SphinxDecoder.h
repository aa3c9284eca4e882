#pragma once

#include "speech/Transcription.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

struct ps_decoder_s;
struct ps_seg_s;

// One PocketSphinx decoder with its model loaded, decoding stretches of 16 kHz mono 16-bit speech
// one utterance at a time. Loading takes a while and a good deal of memory; use one per thread.
class SphinxDecoder {
public:
    static constexpr int sampleRate = 16000;

    struct Model {
        QString acousticModel; // the folder holding mdef, means, variances…
        QString languageModel; // *.lm.bin, *.lm or *.lm.DMP
        QString dictionary;    // *.dict
        bool operator==(const Model&) const = default;
    };

    // Throws QuellinError when the model does not load, OperationCancelled when `stopped`
    // answers true while the model is checked in a process of its own (which is then killed).
    // Loading it here afterwards can't be interrupted and takes about a second.
    explicit SphinxDecoder(const Model& model, const std::function<bool()>& stopped = {});
    ~SphinxDecoder();
    SphinxDecoder(const SphinxDecoder&) = delete;
    SphinxDecoder& operator=(const SphinxDecoder&) = delete;

    // Decodes one stretch of speech whose first sample lies `offset` seconds into the file, and
    // gives its words with file times. A faint noise is added first, so that exact digital silence
    // sounds like a quiet room, which is what the model knows. `progress` hears, every tenth of a
    // second of audio, the file time reached; when it answers false decoding stops with
    // OperationCancelled.
    Transcription decode(std::span<const int16_t> samples, double offset,
                         const std::function<bool(double)>& progress = {});

    const Model& model() const { return m_model; }

    // Which of `words` the stretch says, in the given order, any of them skipped: the decoder
    // follows a grammar in which each word competes with a free run of phones, so that a word is
    // taken only where its sound fits better than any other sound would. `words` are written as
    // the dictionary spells them (see knows); one it lacks is never heard. One flag per word.
    // Throws QuellinError when the recogniser fails.
    std::vector<bool> hearInOrder(const QStringList& words, std::span<const int16_t> samples);
    // Whether the dictionary holds the word.
    bool knows(const QString& word) const;

    // A recogniser's token as a word: fillers and sentence marks give nothing, and the number of
    // an alternative pronunciation ("read(2)") is removed.
    static QString wordOf(const char* token);

    // Whether a decode was stopped part-way, leaving its utterance open.
    bool hasAbandonedUtterance() const { return m_utteranceOpen; }
    // Ends such an utterance, so that the decoder can decode again. Takes a while.
    void endAbandonedUtterance();

private:
    // False when `stopped` answered true before the mean was set.
    bool normaliseLoudness(std::span<const int16_t> samples, const std::function<bool()>& stopped);
    // How likely the segment's word is right given the sound, from 0 to 1.
    double posteriorOf(ps_seg_s* segment) const;
    // Starts an utterance, hands it the stretch (noise added, loudness normalised) and ends it.
    // The chunked decode does the same step by step, to hear stop requests.
    void decodeWhole(std::span<const int16_t> stretch);
    // Makes a search of a JSGF grammar; below 0 when the grammar is malformed.
    int setGrammar(const char* name, const QByteArray& grammar);
    // Adds the model's phones as words of their own once, for hearInOrder's phone runs.
    QStringList phoneWords();

    const Model m_model;
    ps_decoder_s* m_decoder = nullptr;
    bool m_utteranceOpen = false;
    QStringList m_phoneWords;
};

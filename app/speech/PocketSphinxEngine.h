#pragma once

#include "speech/RecognitionEngine.h"
#include "speech/SphinxDecoder.h"

#include <mutex>
#include <optional>
#include <vector>

class SphinxDecoderPool;
class SphinxRecognition;

// Speech recognition with PocketSphinx, entirely on this computer. A language is on the device
// when its model folder ($XDG_DATA_HOME/Quellin/Models/<identifier>, and for en-US also Debian's
// pocketsphinx-en-us) holds an acoustic model, a language model and a pronunciation dictionary.
class PocketSphinxEngine final : public RecognitionEngine {
public:
    // `decoders`: how many decode at once; 0 means as many as fit in the memory budget
    // (decodersWithin), one per core at most.
    explicit PocketSphinxEngine(int decoders = 0);
    ~PocketSphinxEngine() override; // cancels what still runs and waits for it

    QStringList supportedLanguages() const override;
    bool isOnDevice(const QString& language) const override;
    QString modelFolder(const QString& language) const override;
    std::unique_ptr<RecognitionTask> start(const QString& path, const QString& language,
                                           double from, RecognitionDelegate delegate) override;

    // The installed model of a language, if any.
    std::optional<SphinxDecoder::Model> model(const QString& language) const;
    // The same without an engine: the model folders depend on nothing the engine holds.
    static std::optional<SphinxDecoder::Model> installedModel(const QString& language);
    // The languages for which PocketSphinx models are published.
    static QStringList publishedLanguages();
    // The model a folder holds: an acoustic model (the folder itself or a folder in it with an
    // mdef file), a language model and a dictionary.
    static std::optional<SphinxDecoder::Model> modelIn(const QString& folder);

    // Whole process, while recognising however long a file.
    static constexpr double memoryBudgetMegabytes = 150;
    // What one more decoder of Debian's English model adds to the process (measured: 92 MB, of
    // which 33 MB language model, 28 MB acoustic model and dictionary, 31 MB search).
    static constexpr double decoderMegabytes = 92;
    // How many decoders keep a process using `processMegabytes` before any within the budget:
    // one at least, and no more than `cores`.
    static int decodersWithin(double processMegabytes, int cores);

private:
    int m_decoders;
    // Declared before the recognitions, whose threads use it until the engine has joined them.
    std::unique_ptr<SphinxDecoderPool> m_pool;
    std::mutex m_mutex;
    std::vector<std::shared_ptr<SphinxRecognition>> m_recognitions;
};

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
    // `decoders`: how many decode at once; 0 means one per core.
    explicit PocketSphinxEngine(int decoders = 0);
    ~PocketSphinxEngine() override; // cancels what still runs and waits for it

    QStringList supportedLanguages() const override;
    bool isOnDevice(const QString& language) const override;
    QString modelFolder(const QString& language) const override;
    std::unique_ptr<RecognitionTask> start(const QString& path, const QString& language,
                                           RecognitionDelegate delegate) override;

    // The installed model of a language, if any.
    std::optional<SphinxDecoder::Model> model(const QString& language) const;
    // The model a folder holds: an acoustic model (the folder itself or a folder in it with an
    // mdef file), a language model and a dictionary.
    static std::optional<SphinxDecoder::Model> modelIn(const QString& folder);

private:
    int m_decoders;
    // Declared before the recognitions, whose threads use it until the engine has joined them.
    std::unique_ptr<SphinxDecoderPool> m_pool;
    std::mutex m_mutex;
    std::vector<std::shared_ptr<SphinxRecognition>> m_recognitions;
};

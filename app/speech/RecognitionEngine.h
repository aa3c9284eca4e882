#pragma once

#include "speech/RecognitionDelegate.h"

#include <QString>
#include <QStringList>

#include <memory>

// A running recognition. Cancelling is safe from any thread, may be repeated, and ends the
// delegate's stream at once; the engine winds its own work down in the background.
class RecognitionTask {
public:
    virtual ~RecognitionTask() = default;
    virtual void cancel() = 0;
    // The place of interest has moved to `seconds` into the file: what is still to recognise is
    // taken nearest it first. Engines that recognise in file order ignore it.
    virtual void focus(double /*seconds*/) {}
};

// The on-device recogniser behind the Transcriber: it lists the languages it can recognise, tells
// whether a language's model is installed, and recognises a sound file in a language, reporting
// to a delegate from threads of its own.
class RecognitionEngine {
public:
    virtual ~RecognitionEngine() = default;

    // BCP 47 identifiers of every language the engine can recognise with the right model.
    virtual QStringList supportedLanguages() const = 0;
    // Whether the model for the language is installed now (looked at afresh on every call).
    virtual bool isOnDevice(const QString& language) const = 0;
    // The folder where the user puts the language's model.
    virtual QString modelFolder(const QString& language) const = 0;
    // Starts recognising the file around `from` seconds into it, working outward. The delegate
    // gets hypotheses and final results in the order recognised (time order from the start),
    // then `finished`, or `cancelled` once the task is cancelled. Failures (a file that cannot be
    // read, a model that does not load) arrive as `finished` with success false and a message.
    virtual std::unique_ptr<RecognitionTask> start(const QString& path, const QString& language,
                                                   double from, RecognitionDelegate delegate) = 0;
};

#include "speech/HeardWords.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "media/MonoClip.h"
#include "speech/PocketSphinxEngine.h"
#include "speech/SphinxDecoder.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace {

// The process's decoder for hearing words, loaded on first use and kept while the model stays.
std::mutex decoderMutex;
std::unique_ptr<SphinxDecoder> hearingDecoder;

std::vector<int16_t> asSixteenBit(const std::vector<float>& samples) {
    std::vector<int16_t> converted(samples.size());
    std::transform(samples.begin(), samples.end(), converted.begin(), [](float sample) {
        return int16_t(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
    });
    return converted;
}

} // namespace

QStringList HeardWords::wordsOf(const QString& text) {
    static const QRegularExpression edges(QStringLiteral("^[^\\w]+|[^\\w]+$"));
    QStringList words;
    for (QString token :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        token.remove(edges);
        if (!token.isEmpty())
            words << token;
    }
    return words;
}

QString HeardWords::dictionarySpelling(const QString& word) {
    QString spelling = word.toLower();
    spelling.replace(QChar(0x2019), QLatin1Char('\''));
    const bool letters = std::all_of(spelling.begin(), spelling.end(), [](QChar c) {
        return c.isLetter() || c == QLatin1Char('\'');
    });
    return letters ? spelling : QString();
}

std::optional<std::vector<AttemptFeedback::HeardWord>> HeardWords::hear(const QString& text,
                                                                        const QString& language,
                                                                        const QString& takePath,
                                                                        std::stop_token stop) {
    const QStringList words = wordsOf(text);
    const std::optional<SphinxDecoder::Model> model = PocketSphinxEngine::installedModel(language);
    if (words.isEmpty() || !model)
        return std::nullopt;
    try {
        const std::vector<int16_t> samples =
            asSixteenBit(readMonoClip(takePath, SphinxDecoder::sampleRate, 0, std::nullopt, stop));
        std::lock_guard lock(decoderMutex);
        if (!hearingDecoder || hearingDecoder->model() != *model) {
            hearingDecoder.reset();
            hearingDecoder =
                std::make_unique<SphinxDecoder>(*model, [&stop] { return stop.stop_requested(); });
        }
        if (stop.stop_requested())
            return std::nullopt;
        QStringList spellings;
        std::vector<bool> checkable;
        for (const QString& word : words) {
            spellings << dictionarySpelling(word);
            checkable.push_back(!spellings.back().isEmpty() &&
                                hearingDecoder->knows(spellings.back()));
        }
        const std::vector<bool> heard = hearingDecoder->hearInOrder(spellings, samples);
        std::vector<AttemptFeedback::HeardWord> result;
        for (qsizetype i = 0; i < words.size(); ++i)
            result.push_back(
                {words[i], checkable[size_t(i)] ? std::optional(heard[size_t(i)]) : std::nullopt});
        return result;
    } catch (const std::exception& error) {
        qCDebug(lcSpeech) << "The words of a take couldn’t be heard:" << describe(error);
        return std::nullopt;
    }
}

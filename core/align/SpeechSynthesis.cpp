#include "align/SpeechSynthesis.h"

#include "base/QuellinError.h"

#include <QLocale>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <stdexcept>

namespace {

std::mutex& engineLock() {
    static std::mutex lock;
    return lock;
}

// The output rate, or 0 when espeak-ng could not start. Call with the lock held.
int initialisedRate() {
    static const int rate = [] {
        const int result =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, espeakINITIALIZE_DONT_EXIT);
        return result > 0 ? result : 0;
    }();
    return rate;
}

// The identifiers of one voice: its `languages` field holds pairs of a priority byte and a name.
QStringList voiceLanguages(const espeak_VOICE* voice) {
    QStringList codes;
    for (const char* at = voice->languages; at && *at; at += std::strlen(at) + 1) {
        ++at; // the priority
        codes.append(QString::fromLatin1(at));
    }
    return codes;
}

// Qt's English name where Qt knows the language and its territory ("German", "Portuguese
// (Brazil)"), else espeak-ng's own name for the voice ("English (Caribbean)", "Russian (Latvia)").
QString displayName(const QString& code, const espeak_VOICE* voice) {
    const QStringList parts = code.split(u'-');
    const QLocale locale(code);
    const bool known =
        locale.language() != QLocale::C && parts.size() <= 2 &&
        (parts.size() == 1 ||
         QLocale::territoryToCode(locale.territory()).compare(parts[1], Qt::CaseInsensitive) == 0);
    if (!known)
        return QString::fromUtf8(voice->name).replace(u'_', u' ').trimmed();
    const QString language = QLocale::languageToString(locale.language());
    return parts.size() == 1 ? language
                             : QStringLiteral("%1 (%2)").arg(
                                   language, QLocale::territoryToString(locale.territory()));
}

// A voice for a language: the language as shown, and the voice file's identifier ("gmw/en-US").
struct Voice {
    SynthesisLanguage language;
    QString identifier;
};

std::vector<Voice> listVoices() {
    std::vector<Voice> voices;
    if (initialisedRate() == 0)
        return voices;
    for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
        const QStringList codes = voiceLanguages(*voice);
        const QString identifier = QString::fromLatin1((*voice)->identifier);
        // Voices of the "mb" family need separate MBROLA data that is rarely installed.
        if (codes.isEmpty() || identifier.startsWith(u"mb/"))
            continue;
        voices.push_back({{codes.first(), displayName(codes.first(), *voice)}, identifier});
    }
    std::sort(voices.begin(), voices.end(), [](const Voice& a, const Voice& b) {
        return a.language.name == b.language.name ? a.language.code < b.language.code
                                                  : a.language.name < b.language.name;
    });
    voices.erase(std::unique(voices.begin(), voices.end(),
                             [](const Voice& a, const Voice& b) {
                                 return a.language.code == b.language.code;
                             }),
                 voices.end());
    return voices;
}

const std::vector<Voice>& voices() {
    const std::lock_guard lock(engineLock());
    static const std::vector<Voice> list = listVoices();
    return list;
}

// The voice file for a language identifier; empty when there is none.
QString voiceIdentifier(const QString& language) {
    const QString wanted = language.toLower().replace(u'_', u'-');
    const QString bare = wanted.section(u'-', 0, 0);
    QString exact, main, any;
    for (const Voice& voice : voices()) {
        const QString file = voice.identifier.section(u'/', -1).toLower();
        if (voice.language.code == wanted)
            exact = voice.identifier;
        else if (file == bare)
            main = voice.identifier; // "gmw/en" for plain "en"
        else if (any.isEmpty() && voice.language.code.section(u'-', 0, 0) == bare)
            any = voice.identifier;
    }
    return !exact.isEmpty() ? exact : !main.isEmpty() ? main : any;
}

// What the synthesis callback works on; espeak-ng hands it back as the user data of each event.
struct Collector {
    std::stop_token stop;
    std::vector<float> samples; // the current text's, trimmed and handed on when it ends
    bool cancelled = false;
};

int collect(short* wave, int count, espeak_EVENT* events) {
    auto* collector = static_cast<Collector*>(events->user_data);
    if (collector->stop.stop_requested()) {
        collector->cancelled = true;
        return 1;
    }
    for (int i = 0; wave && i < count; ++i)
        collector->samples.push_back(float(wave[i]) / 32768.0f);
    return 0;
}

} // namespace

int synthesisRate() {
    const std::lock_guard lock(engineLock());
    return initialisedRate();
}

std::vector<SynthesisLanguage> synthesisLanguages() {
    std::vector<SynthesisLanguage> languages;
    for (const Voice& voice : voices())
        languages.push_back(voice.language);
    return languages;
}

bool hasSynthesisVoice(const QString& language) {
    return !voiceIdentifier(language).isEmpty();
}

SynthesisResult synthesise(const QStringList& texts, const QString& language, double pause,
                           const std::function<void(std::span<const float>)>& sink,
                           std::stop_token stop, const std::function<void(double)>& progress) {
    const QString voice = voiceIdentifier(language);
    const std::lock_guard lock(engineLock());
    const int rate = initialisedRate();
    SynthesisResult result;
    if (rate == 0)
        throw std::runtime_error("espeak-ng could not start");
    if (voice.isEmpty() || espeak_SetVoiceByName(voice.toLatin1().constData()) != EE_OK)
        throw std::runtime_error("espeak-ng has no voice for this language");
    espeak_SetSynthCallback(collect);

    const std::vector<float> silence(size_t(std::lround(pause * rate)), 0.0f);
    Collector collector{stop, {}, false};
    qint64 written = 0;
    const auto hand = [&](std::span<const float> samples) {
        sink(samples);
        written += qint64(samples.size());
    };
    hand(silence);
    for (const QString& text : texts) {
        const QByteArray utf8 = text.toUtf8();
        collector.samples.clear();
        espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, &collector);
        if (collector.cancelled || stop.stop_requested())
            throw OperationCancelled();
        // espeak-ng pads its speech with silence: keep only what is audible.
        const auto audible = [](float x) { return std::abs(x) > 0.002f; };
        const auto first =
            std::find_if(collector.samples.begin(), collector.samples.end(), audible);
        const auto last =
            std::find_if(collector.samples.rbegin(), collector.samples.rend(), audible);
        const std::span<const float> speech =
            first == collector.samples.end()
                ? std::span<const float>()
                : std::span<const float>(&*first, size_t(last.base() - first));
        result.ranges.emplace_back(written, written + qint64(speech.size()));
        hand(speech);
        hand(silence);
        if (progress)
            progress(double(result.ranges.size()) / double(texts.size()));
    }
    return result;
}

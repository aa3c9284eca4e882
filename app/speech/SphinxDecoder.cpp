#include "speech/SphinxDecoder.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "speech/SphinxModelLoader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/err.h>
#include <sphinxbase/jsgf.h>
#include <sphinxbase/logmath.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// PocketSphinx's warnings and errors, as debug lines of the speech category; its chatter about
// every model it loads is dropped. Called from any decoder's thread.
void forwardLog(void*, err_lvl_t level, const char* format, ...) {
    if (level < ERR_WARN || !lcSpeech().isDebugEnabled())
        return;
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    qCDebug(lcSpeech).noquote() << "PocketSphinx:" << QByteArray(line).trimmed();
}

// PocketSphinx logs to stderr by default and its log target is global: redirect it once, before
// any decoder exists, rather than per decoder from several threads.
void routeLog() {
    static std::once_flag once;
    std::call_once(once, [] { err_set_callback(&forwardLog, nullptr); });
}

// Samples handed to the decoder at a time: a tenth of a second, so that a stop request is heard
// quickly and progress moves smoothly.
constexpr size_t chunkSamples = SphinxDecoder::sampleRate / 10;

ps_decoder_t* load(const SphinxDecoder::Model& model) {
    return loadSphinxModel(QFile::encodeName(model.acousticModel).constData(),
                           QFile::encodeName(model.languageModel).constData(),
                           QFile::encodeName(model.dictionary).constData());
}

// What identifies a model's files as they are now: paths, sizes and modification times.
QString fingerprint(const SphinxDecoder::Model& model) {
    QStringList parts;
    const auto add = [&](const QString& path) {
        const QFileInfo file(path);
        parts << path << QString::number(file.size())
              << QString::number(file.lastModified().toMSecsSinceEpoch());
    };
    add(model.languageModel);
    add(model.dictionary);
    QDirIterator files(model.acousticModel, QDir::Files);
    QStringList acoustic;
    while (files.hasNext())
        acoustic << files.next();
    acoustic.sort();
    for (const QString& path : acoustic)
        add(path);
    return parts.join(QLatin1Char('|'));
}

// The model checker: next to the application when installed, else where this build made it.
QString checkerPath() {
    const QString name = QStringLiteral("quellin-sphinx-check");
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() +
                          QStringLiteral("/" QUELLIN_SPHINX_CHECK_FROM_BINDIR)
                   << QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    candidates << QStringLiteral(QUELLIN_SPHINX_CHECK_INSTALLED)
               << QStringLiteral(QUELLIN_SPHINX_CHECK_BUILT);
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    return {};
}

// Whether the model loads in a fresh process of its own; unknown (true) when the checker is
// missing or can't start, nothing when a stop request killed the check.
std::optional<bool> loadsInChecker(const SphinxDecoder::Model& model,
                                   const std::function<bool()>& stopped) {
    const QByteArray checker = QFile::encodeName(checkerPath());
    if (checker.isEmpty()) {
        qCDebug(lcSpeech) << "quellin-sphinx-check is missing; loading" << model.acousticModel
                          << "unchecked";
        return true;
    }
    QByteArray arguments[] = {checker, QFile::encodeName(model.acousticModel),
                              QFile::encodeName(model.languageModel),
                              QFile::encodeName(model.dictionary)};
    char* argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(),
                    arguments[3].data(), nullptr};
    pid_t child = 0;
    // posix_spawn starts a new program straight away, which is safe from any thread, unlike a
    // bare fork of a process with threads that may hold the allocator's locks.
    if (const int error = posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ)) {
        qCDebug(lcSpeech) << "couldn't start" << checker << "-" << qt_error_string(error)
                          << "; loading the model unchecked";
        return true;
    }
    // Loading takes a second or more: look for a stop request every few milliseconds meanwhile.
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR) {
            qCDebug(lcSpeech) << "lost the model check -" << qt_error_string(errno)
                              << "; loading the model unchecked";
            return true;
        }
        if (stopped && stopped()) {
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool loads = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!loads)
        qCDebug(lcSpeech) << "the model in" << model.acousticModel << "failed its check, status"
                          << status;
    return loads;
}

// PocketSphinx ends the whole process instead of reporting an error when some model files are
// damaged (a malformed mdef, for one). So every model is loaded once in a process of its own
// first; only one that loads there is loaded here. The answer is kept while the files stay the
// same. Nothing when a stop request ended the check.
std::optional<bool> loadsSafely(const SphinxDecoder::Model& model,
                                const std::function<bool()>& stopped) {
    static std::mutex mutex;
    static std::map<QString, bool> known;
    const QString key = fingerprint(model);
    std::lock_guard lock(mutex);
    if (const auto found = known.find(key); found != known.end())
        return found->second;
    if (stopped && stopped())
        return std::nullopt;
    const std::optional<bool> loads = loadsInChecker(model, stopped);
    if (loads)
        known[key] = *loads;
    return loads;
}

// The samples with a faint noise added (uniform, ±32 steps, about -65 dBFS), the same for the same
// samples whatever decoded before. The model knows speech from rooms that are never perfectly
// quiet: stretches of exact zeros (edited videos, screen recordings, generated speech) give the
// front end features far from any it was trained on, and normalised with them a short word is
// heard wrongly or not at all. Beside a real noise floor the added noise is lost.
// Measured on generated speech with a second of zeros between sentences: word error rate 74 %
// without, 46 % with (pocketsphinx_continuous: 65 %); ±16 steps gave 54 %, ±64 steps 46 %.
std::vector<int16_t> withFaintNoise(std::span<const int16_t> samples) {
    constexpr int amplitude = 32;
    std::vector<int16_t> noisy(samples.begin(), samples.end());
    std::minstd_rand random(20240611);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (int16_t& sample : noisy)
        sample = int16_t(std::clamp(int(sample) + noise(random), -32768, 32767));
    return noisy;
}

} // namespace

SphinxDecoder::SphinxDecoder(const Model& model, const std::function<bool()>& stopped)
    : m_model(model) {
    routeLog();
    const std::optional<bool> loads = loadsSafely(model, stopped);
    if (!loads)
        throw OperationCancelled();
    if (*loads)
        m_decoder = load(model);
    if (!m_decoder)
        throw QuellinError(QCoreApplication::translate("SphinxDecoder",
                                                       "The speech model in %1 couldn’t be loaded.")
                               .arg(model.acousticModel));
}

SphinxDecoder::~SphinxDecoder() {
    ps_free(m_decoder);
}

Transcription SphinxDecoder::decode(std::span<const int16_t> stretch, double offset,
                                    const std::function<bool(double)>& progress) {
    endAbandonedUtterance();
    const std::vector<int16_t> dithered = withFaintNoise(stretch);
    const std::span<const int16_t> samples(dithered);
    const auto stopped = [&] { return progress && !progress(offset); };
    if (!normaliseLoudness(samples, stopped))
        throw OperationCancelled();
    // A new stream restarts the frame count, so that frames are times within this stretch.
    if (ps_start_stream(m_decoder) < 0 || ps_start_utt(m_decoder) < 0)
        throw QuellinError(
            QCoreApplication::translate("SphinxDecoder", "The speech recogniser couldn’t start."));
    m_utteranceOpen = true;
    for (size_t done = 0; done < samples.size();) {
        const size_t count = std::min(chunkSamples, samples.size() - done);
        ps_process_raw(m_decoder, samples.data() + done, count, FALSE, FALSE);
        done += count;
        // Ending the utterance runs the decoder's last search pass over all of it, which takes a
        // good part of a second: a stop leaves it open for endAbandonedUtterance.
        if (progress && !progress(offset + double(done) / sampleRate))
            throw OperationCancelled();
    }
    ps_end_utt(m_decoder);
    m_utteranceOpen = false;

    const double frameRate = cmd_ln_int32_r(ps_get_config(m_decoder), "-frate");
    std::vector<Word> words;
    for (ps_seg_t* segment = ps_seg_iter(m_decoder); segment; segment = ps_seg_next(segment)) {
        const QString text = wordOf(ps_seg_word(segment));
        if (text.isEmpty())
            continue;
        int first = 0;
        int last = 0;
        ps_seg_frames(segment, &first, &last);
        words.emplace_back(text, offset + first / frameRate, (last - first + 1) / frameRate);
        words.back().confidence = posteriorOf(segment);
    }
    return Transcription::fromWords(words);
}

// The decoder normalises each stretch by the mean of its cepstra. Feeding audio a tenth of a
// second at a time would have it estimate that mean as it goes, starting from the model's average
// voice; computing it over the whole stretch first gives every stretch the normalisation it would
// get if decoded in one piece, whatever ran on the decoder before.
bool SphinxDecoder::normaliseLoudness(std::span<const int16_t> samples,
                                      const std::function<bool()>& stopped) {
    fe_t* frontEnd = ps_get_fe(m_decoder);
    const int width = fe_get_output_size(frontEnd);
    constexpr int32 blockFrames = 256;
    mfcc_t** cepstra = static_cast<mfcc_t**>(ckd_calloc_2d(blockFrames, width, sizeof(mfcc_t)));
    const std::unique_ptr<void, decltype(&ckd_free_2d)> freeCepstra(cepstra, &ckd_free_2d);
    std::vector<double> sum(width, 0.0);
    long frames = 0;
    const auto add = [&](int32 count) {
        for (int32 f = 0; f < count; ++f)
            for (int d = 0; d < width; ++d)
                sum[d] += cepstra[f][d];
        frames += count;
    };

    // The front end estimates background noise as it goes; starting a stream forgets what earlier
    // stretches taught it, so every stretch is treated the same whichever decoder gets it.
    fe_start_stream(frontEnd);
    fe_start_utt(frontEnd);
    const int16* next = samples.data();
    size_t remaining = samples.size();
    while (remaining > 0) {
        if (stopped())
            return false;
        int32 count = blockFrames;
        const size_t before = remaining;
        fe_process_frames(frontEnd, &next, &remaining, cepstra, &count, nullptr);
        add(count);
        if (count == 0 && remaining == before)
            break;
    }
    int32 count = 0;
    fe_end_utt(frontEnd, cepstra[0], &count);
    add(count);

    if (frames > 0) {
        std::vector<mfcc_t> mean(width);
        for (int d = 0; d < width; ++d)
            mean[d] = mfcc_t(sum[d] / double(frames));
        cmn_live_set(ps_get_feat(m_decoder)->cmn_struct, mean.data());
    }
    return true;
}

void SphinxDecoder::endAbandonedUtterance() {
    if (m_utteranceOpen)
        ps_end_utt(m_decoder);
    m_utteranceOpen = false;
}

// The word's posterior probability in the lattice the search has built already (the decoder's
// -bestpath pass, on by default), so it costs no further decoding.
double SphinxDecoder::posteriorOf(ps_seg_s* segment) const {
    const int32 logPosterior = ps_seg_prob(segment, nullptr, nullptr, nullptr);
    return std::clamp(logmath_exp(ps_get_logmath(m_decoder), logPosterior), 0.0, 1.0);
}

QString SphinxDecoder::wordOf(const char* token) {
    QString word = QString::fromUtf8(token);
    const bool filler =
        (word.startsWith(QLatin1Char('<')) && word.endsWith(QLatin1Char('>'))) ||
        (word.startsWith(QLatin1Char('[')) && word.endsWith(QLatin1Char(']'))) ||
        (word.startsWith(QLatin1String("++")) && word.endsWith(QLatin1String("++")));
    if (filler)
        return {};
    // "read(2)": the number of an alternative pronunciation.
    if (word.endsWith(QLatin1Char(')'))) {
        const qsizetype open = word.lastIndexOf(QLatin1Char('('));
        if (open > 0 && open + 2 < word.size()) {
            bool number = false;
            word.mid(open + 1, word.size() - open - 2).toUInt(&number);
            if (number)
                word.truncate(open);
        }
    }
    return word;
}

namespace {

// The English model's phones (CMU), each a word of its own in the runs of phones that compete
// with the sentence's words. A model without some of them (another language's) gets those it
// has.
constexpr const char* cmuPhones[] = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                     "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                     "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                     "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
const QString phonePrefix = QStringLiteral("phone_");

// The settings the hearing search is made with, measured on espeak-ng sentences spoken back by
// other voices (12 sentences, 2 voices each, against the same and against another sentence):
// - the penalty for each word the search adds, as a probability: a run of phones pays it per
//   phone, a sentence word once, so the lower it is the more a word's sound must match before a
//   phone run wins. 1e-4: 74 % of the same sentence's words heard, 9 % of another's; 1e-5: 74 %
//   and 2 %; 1e-6 heard only half of the same sentence's.
// - beams wider than the language model search's: with those (1e-48), the search of a slow take
//   lost every path to the grammar's end and heard nothing (1 take in 24). Through quellin-cli,
//   1e-60 heard 76 % and 14 %, 1e-80 80 % and 16 % in 40 % more time.
// - the grammar's odds of a word against a run of phones in its place (wordOdds): 1000 to 1
//   heard 78 % and 7 %, 10 to 1 75 % and 7 % (with the usual beams).
constexpr std::pair<const char*, double> hearingSettings[] = {
    {"-wip", 1e-5}, {"-beam", 1e-80}, {"-pbeam", 1e-80}, {"-wbeam", 1e-80}};
constexpr int wordOdds = 1000;

// A grammar of the words in order, each one either said or replaced by a run of phones, and
// phones allowed between them: every path through the take has a way to account for any sound.
QByteArray hearingGrammar(const QStringList& words, const QStringList& phoneWords) {
    QByteArray grammar = "#JSGF V1.0;\ngrammar hearing;\n<phone> = " +
                         phoneWords.join(QStringLiteral(" | ")).toUtf8() +
                         ";\npublic <take> = <phone>*";
    for (const QString& word : words)
        grammar += " ( /" + QByteArray::number(wordOdds) + "/ " + word.toUtf8() +
                   " | /1/ <phone>+ ) <phone>*";
    return grammar + ";\n";
}

// The longest common subsequence of the sentence's words and the words heard: which sentence
// words it pairs. A word said twice is heard where its occurrences line up.
std::vector<bool> pairedWords(const QStringList& words, const QStringList& heard) {
    const qsizetype a = words.size();
    const qsizetype b = heard.size();
    std::vector<std::vector<int>> longest(size_t(a + 1), std::vector<int>(size_t(b + 1), 0));
    for (qsizetype i = a - 1; i >= 0; --i)
        for (qsizetype j = b - 1; j >= 0; --j)
            longest[i][j] = words[i] == heard[j] ? longest[i + 1][j + 1] + 1
                                                 : std::max(longest[i + 1][j], longest[i][j + 1]);
    std::vector<bool> paired(size_t(a), false);
    for (qsizetype i = 0, j = 0; i < a && j < b;) {
        if (words[i] == heard[j]) {
            paired[size_t(i)] = true;
            ++i, ++j;
        } else if (longest[i + 1][j] >= longest[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return paired;
}

} // namespace

bool SphinxDecoder::knows(const QString& word) const {
    char* phones = ps_lookup_word(m_decoder, word.toUtf8().constData());
    ckd_free(phones);
    return phones != nullptr;
}

QStringList SphinxDecoder::phoneWords() {
    if (m_phoneWords.isEmpty())
        for (const char* phone : cmuPhones) {
            const QString word = phonePrefix + QString::fromLatin1(phone).toLower();
            if (knows(word) || ps_add_word(m_decoder, word.toUtf8().constData(), phone, FALSE) >= 0)
                m_phoneWords << word;
        }
    return m_phoneWords;
}

// ps_set_jsgf_string would do, but it keeps the parsed grammar (its memory is lost).
int SphinxDecoder::setGrammar(const char* name, const QByteArray& grammar) {
    const std::unique_ptr<jsgf_t, decltype(&jsgf_grammar_free)> parsed(
        jsgf_parse_string(grammar.constData(), nullptr), &jsgf_grammar_free);
    jsgf_rule_t* rule = parsed ? jsgf_get_public_rule(parsed.get()) : nullptr;
    if (!rule)
        return -1;
    const std::unique_ptr<fsg_model_t, decltype(&fsg_model_free)> automaton(
        jsgf_build_fsg(parsed.get(), rule, ps_get_logmath(m_decoder),
                       float32(cmd_ln_float_r(ps_get_config(m_decoder), "-lw"))),
        &fsg_model_free);
    return automaton ? ps_set_fsg(m_decoder, name, automaton.get()) : -1;
}

void SphinxDecoder::decodeWhole(std::span<const int16_t> stretch) {
    endAbandonedUtterance();
    const std::vector<int16_t> samples = withFaintNoise(stretch);
    normaliseLoudness(samples, [] { return false; });
    if (ps_start_stream(m_decoder) < 0 || ps_start_utt(m_decoder) < 0)
        throw QuellinError(
            QCoreApplication::translate("SphinxDecoder", "The speech recogniser couldn’t start."));
    ps_process_raw(m_decoder, samples.data(), samples.size(), FALSE, TRUE);
    ps_end_utt(m_decoder);
}

std::vector<bool> SphinxDecoder::hearInOrder(const QStringList& words,
                                             std::span<const int16_t> samples) {
    QStringList known;
    for (const QString& word : words)
        if (knows(word))
            known << word;
    const QStringList phones = phoneWords();
    if (known.isEmpty() || phones.isEmpty())
        return std::vector<bool>(size_t(words.size()), false);

    // A grammar search takes its penalties and beams from the settings when it is made; the
    // recogniser's own search keeps those it was made with.
    cmd_ln_t* settings = ps_get_config(m_decoder);
    std::vector<double> usual;
    for (const auto& [name, value] : hearingSettings) {
        usual.push_back(cmd_ln_float_r(settings, name));
        cmd_ln_set_float_r(settings, name, value);
    }
    const char* hearing = "hearing";
    const int made = setGrammar(hearing, hearingGrammar(known, phones));
    for (size_t i = 0; i < usual.size(); ++i)
        cmd_ln_set_float_r(settings, hearingSettings[i].first, usual[i]);
    if (made < 0 || ps_set_search(m_decoder, hearing) < 0)
        throw QuellinError(QCoreApplication::translate(
            "SphinxDecoder", "The speech recogniser couldn’t follow the sentence."));
    const auto restore = qScopeGuard([&] {
        // The language model's search, under the name PocketSphinx gives it (asking for the
        // current name instead, ps_get_search, loses memory).
        if (ps_set_search(m_decoder, "_default") < 0)
            qCDebug(lcSpeech) << "The recogniser's language model search is gone";
        ps_unset_search(m_decoder, hearing);
    });

    decodeWhole(samples);
    QStringList heard;
    for (ps_seg_t* segment = ps_seg_iter(m_decoder); segment; segment = ps_seg_next(segment)) {
        const QString word = wordOf(ps_seg_word(segment));
        if (!word.isEmpty() && !word.startsWith(phonePrefix) && word != QLatin1String("(NULL)"))
            heard << word;
    }
    return pairedWords(words, heard);
}

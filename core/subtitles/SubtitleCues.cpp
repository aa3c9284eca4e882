#include "subtitles/SubtitleCues.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace {

// What the learner reads of an ASS override block: nothing. "\p1" … "\p0" switch drawing on and
// off; a drawing's commands ("m 0 0 l 10 0") are shapes, not words.
void readOverride(QStringView block, bool& drawing) {
    static const QRegularExpression kDrawing(QStringLiteral(R"(\\p(\d+))"));
    for (const QRegularExpressionMatch& match : kDrawing.globalMatch(block))
        drawing = match.capturedView(1).toInt() != 0;
}

// Tags of HTML-like markup and WebVTT ("<i>", "</font>", "<font color=…>", "<v Anna>",
// "<00:01.500>"); a "<" followed by a space or a digit run without a closing ">" stays text.
const QRegularExpression& markupTag() {
    static const QRegularExpression tag(QStringLiteral(R"(</?[A-Za-z0-9][^<>]*>)"));
    return tag;
}

QString withoutMarkup(const QString& decoded) {
    QString text;
    text.reserve(decoded.size());
    bool drawing = false;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        if (c == u'{') {
            if (const qsizetype close = decoded.indexOf(u'}', i); close > i) {
                readOverride(QStringView(decoded).sliced(i, close - i), drawing);
                i = close;
                continue;
            }
        }
        if (c == u'\\' && i + 1 < decoded.size()) {
            const QChar next = decoded[i + 1];
            if (next == u'N' || next == u'n' || next == u'h') {
                text += u' ';
                ++i;
                continue;
            }
        }
        if (!drawing)
            text += c;
    }
    return text.replace(markupTag(), QString());
}

QString decodedEntities(const QString& text) {
    static const QRegularExpression kEntity(
        QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z]+);"));
    static const std::pair<QStringView, QStringView> kNamed[] = {
        {u"amp", u"&"},    {u"lt", u"<"},    {u"gt", u">"},   {u"quot", u"\""},
        {u"apos", u"'"},   {u"nbsp", u" "},  {u"lrm", u""},   {u"rlm", u""},
        {u"hellip", u"…"}, {u"mdash", u"—"}, {u"ndash", u"–"}};
    QString result;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : kEntity.globalMatch(text)) {
        const QStringView name = match.capturedView(1);
        QString replacement;
        if (name.startsWith(u'#')) {
            bool ok = false;
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (!ok || code == 0 || code > 0x10FFFF || QChar::isSurrogate(code))
                continue;
            const char32_t point = code;
            replacement = QString::fromUcs4(&point, 1);
        } else {
            const auto* found =
                std::find_if(std::begin(kNamed), std::end(kNamed),
                             [&](const auto& entry) { return entry.first == name; });
            if (found == std::end(kNamed))
                continue; // not one subtitles use: left as written
            replacement = found->second.toString();
        }
        result += QStringView(text).sliced(copied, match.capturedStart() - copied);
        result += replacement;
        copied = match.capturedEnd();
    }
    result += QStringView(text).sliced(copied);
    return result;
}

bool hasWords(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The longest a cue without an end of its own is taken to last.
constexpr double kOpenCueLength = 5.0;

} // namespace

std::optional<QString> unusableSubtitles(int codecId) {
    const auto codec = AVCodecID(codecId);
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec);
    if (descriptor && (descriptor->props & AV_CODEC_PROP_BITMAP_SUB))
        return QCoreApplication::translate(
            "SubtitleCues", "These subtitles are pictures (as on DVDs, Blu-ray discs and TV "
                            "broadcasts), so they hold no text to use.");
    if (!descriptor || !(descriptor->props & AV_CODEC_PROP_TEXT_SUB) ||
        !avcodec_find_decoder(codec))
        return QCoreApplication::translate("SubtitleCues",
                                           "Quellin can’t read this kind of subtitles.");
    return std::nullopt;
}

QString cleanCueText(const QString& decoded) {
    return decodedEntities(withoutMarkup(decoded)).simplified();
}

std::vector<SubtitleCue> spokenCues(std::vector<SubtitleCue> cues, double duration) {
    for (SubtitleCue& cue : cues)
        cue.text = cleanCueText(cue.text);
    std::erase_if(cues, [](const SubtitleCue& cue) { return !hasWords(cue.text); });
    std::stable_sort(cues.begin(), cues.end(),
                     [](const auto& a, const auto& b) { return a.start < b.start; });
    for (size_t k = 0; k < cues.size(); ++k) {
        if (cues[k].end > cues[k].start)
            continue;
        const double next = k + 1 < cues.size() ? cues[k + 1].start : INFINITY;
        cues[k].end =
            std::min(next > cues[k].start ? next : INFINITY, cues[k].start + kOpenCueLength);
    }
    if (duration > 0) {
        std::erase_if(cues, [&](const SubtitleCue& cue) { return cue.start >= duration; });
        for (SubtitleCue& cue : cues)
            cue.end = std::min(cue.end, duration);
    }
    // Styled copies of one line (an outline layer under the text) say it once.
    cues.erase(std::unique(cues.begin(), cues.end()), cues.end());
    return cues;
}

std::vector<Sentence> cueSentences(const std::vector<SubtitleCue>& cues,
                                   const TranscriptSplitter& rules) {
    std::vector<Sentence> sentences;
    QStringList texts;
    double start = 0;
    double end = 0;
    const auto finish = [&] {
        sentences.emplace_back(start, end, texts.join(rules.joiner));
        texts.clear();
    };
    for (const SubtitleCue& cue : cues) {
        if (!texts.isEmpty() && (cue.start - end >= rules.pauseBreak ||
                                 std::max(end, cue.end) - start > rules.maxLength))
            finish();
        if (texts.isEmpty()) {
            start = cue.start;
            end = cue.end;
        }
        texts.append(cue.text);
        end = std::max(end, cue.end);
        if (TranscriptSplitter::endsSentence(cue.text.section(u' ', -1)))
            finish();
    }
    if (!texts.isEmpty())
        finish();
    return sentences;
}

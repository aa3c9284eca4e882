#include "export/SessionExport.h"

#include "base/LogCategories.h"
#include "export/SentenceClips.h"
#include "export/SubtitleFiles.h"
#include "media/MediaError.h"
#include "video/FrameReader.h"
#include "video/PictureFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace SessionExport {

namespace {

// A partial item that is removed unless it was moved into place.
class PartialItem {
public:
    PartialItem(const QString& folder, const QString& name)
        : m_path(QDir(folder).filePath(
              QStringLiteral(".%1.partial-%2")
                  .arg(name, QString::number(QRandomGenerator::global()->generate(), 16)))) {}
    ~PartialItem() {
        if (m_path.isEmpty())
            return;
        if (QFileInfo(m_path).isDir())
            QDir(m_path).removeRecursively();
        else
            QFile::remove(m_path);
    }
    PartialItem(const PartialItem&) = delete;
    PartialItem& operator=(const PartialItem&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const { return QDir(m_path).filePath(name); }

    void moveTo(const QString& destination) {
        if (!QDir().rename(m_path, destination))
            throw ExportError(QCoreApplication::translate(
                                  "SessionExport", "The export couldn’t be moved into place (%1).")
                                  .arg(QDir::toNativeSeparators(destination)));
        m_path.clear();
    }

private:
    QString m_path;
};

// `name` in `folder`, or "name 2.ext", "name 3.ext"… when it is taken.
QString freeName(const QString& folder, const QString& base, const QString& extension) {
    const QDir dir(folder);
    QString name = base + extension;
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = QStringLiteral("%1 %2%3").arg(base).arg(n).arg(extension);
    return name;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush())
        throw ExportError(
            QCoreApplication::translate("SessionExport", "The export couldn’t be written (%1): %2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
}

// Up to six words of the text, as a file name can hold them anywhere.
QString firstWords(const SubtitleFiles::Cue& cue) {
    static const QRegularExpression unsafe(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f]+)"));
    QStringList words = SubtitleFiles::title(cue).remove(unsafe).split(u' ', Qt::SkipEmptyParts);
    if (words.size() > 6)
        words.resize(6);
    return words.join(u' ').left(60).trimmed();
}

QString htmlText(const QString& text) {
    return text.toHtmlEscaped();
}

// The picture at each sentence's start, for its card: from a video only (a cover would put the
// same picture on every card). When the picture can't be decoded the cards go without it.
class CardPictures {
public:
    explicit CardPictures(const QString& mediaPath) : m_path(mediaPath) {
        const std::optional<PictureInfo> picture = findPicture(mediaPath);
        if (!picture || picture->kind != PictureInfo::Kind::Moving)
            return;
        try {
            m_reader.emplace(mediaPath, 640, 360); // as large as a card shows it
        } catch (const MediaError& error) {
            qCDebug(lcMedia) << "no pictures on the cards of" << mediaPath << "-" << error.what();
        }
    }
    bool exist() const { return m_reader.has_value(); }

    // The field showing the frame at `seconds`, written to `folder` under `name`; empty when
    // that frame can't be decoded.
    QString field(double seconds, const QString& folder, const QString& name) {
        std::optional<VideoFrame> frame;
        try {
            frame = m_reader->frameAt(seconds);
        } catch (const MediaError& error) {
            qCDebug(lcMedia) << "no picture at" << seconds << "in" << m_path << "-" << error.what();
            return {};
        }
        writePicture(*frame, QDir(folder).filePath(name));
        return QStringLiteral("<img src=\"%1\">").arg(htmlText(name));
    }

private:
    QString m_path;
    std::optional<FrameReader> m_reader;
};

} // namespace

std::optional<Kind> kindNamed(const QString& name) {
    if (name == u"anki")
        return Kind::anki;
    if (name == u"srt")
        return Kind::srt;
    if (name == u"vtt")
        return Kind::vtt;
    if (name == u"clips")
        return Kind::clips;
    return std::nullopt;
}

QString run(const Session& session, const SessionStore& store, const Request& request,
            std::stop_token stop, const std::function<void(double)>& progress) {
    std::vector<SubtitleFiles::Cue> cues;
    for (size_t i = 0; i < session.sentences.size(); ++i)
        if (!request.hardOnly || session.sentences[i].hard)
            cues.push_back({qsizetype(i) + 1, session.sentences[i]});
    if (cues.empty())
        throw ExportError(
            request.hardOnly
                ? QCoreApplication::translate("SessionExport", "No sentence is marked hard.")
                : QCoreApplication::translate("SessionExport",
                                              "There are no sentences to export."));
    if (!QDir().mkpath(request.folder) || !QFileInfo(request.folder).isWritable())
        throw ExportError(
            QCoreApplication::translate("SessionExport", "The folder “%1” can’t be written to.")
                .arg(QDir::toNativeSeparators(request.folder)));
    const QString media = QFileInfo(session.filePath).completeBaseName();
    const QDir folder(request.folder);
    const auto report = [&progress](double fraction) {
        if (progress)
            progress(fraction);
    };

    if (request.kind == Kind::srt || request.kind == Kind::vtt) {
        const bool srt = request.kind == Kind::srt;
        const QString name = freeName(request.folder, media, srt ? u".srt"_s : u".vtt"_s);
        PartialItem partial(request.folder, name);
        writeFile(partial.path(), srt ? SubtitleFiles::srt(cues) : SubtitleFiles::vtt(cues));
        partial.moveTo(folder.filePath(name));
        report(1.0);
        return folder.filePath(name);
    }

    const bool anki = request.kind == Kind::anki;
    const QString name =
        freeName(request.folder, media + (anki ? u" – Anki"_s : u" – clips"_s), QString());
    PartialItem partial(request.folder, name);
    if (!QDir().mkpath(partial.path()))
        throw ExportError(
            QCoreApplication::translate("SessionExport", "The folder “%1” can’t be written to.")
                .arg(QDir::toNativeSeparators(request.folder)));
    SentenceClips clips(session.filePath, stop);
    const QString prefix = QStringLiteral("quellin-%1-").arg(session.key());
    CardPictures pictures(anki ? session.filePath : QString());
    QString notes =
        QStringLiteral("#separator:tab\n#html:true\n#columns:Text\tAudio\tTake\tSource\tTags%1"
                       "\n#tags column:5\n")
            .arg(pictures.exist() ? u"\tPicture"_s : QString());
    for (size_t k = 0; k < cues.size(); ++k) {
        const SubtitleFiles::Cue& cue = cues[k];
        const Sentence& sentence = cue.sentence;
        const QString number = QStringLiteral("%1").arg(cue.number, 3, 10, QLatin1Char('0'));
        if (!anki) {
            QString clip =
                QStringLiteral("%1 at %2")
                    .arg(number, TimeText::short_(sentence.start).replace(u':', u'm') + u's');
            if (const QString words = firstWords(cue); !words.isEmpty())
                clip += QStringLiteral(" – ") + words;
            clips.cut(sentence.start, sentence.end, partial.filePath(clip + u".mp3"_s));
        } else {
            const QString audio = prefix + number + u".mp3"_s;
            clips.cut(sentence.start, sentence.end, partial.filePath(audio));
            QString take;
            if (const QString recorded = store.takeURL(session, sentence);
                QFileInfo::exists(recorded)) {
                take = prefix + number + u"-take.mp3"_s;
                SentenceClips::convert(recorded, partial.filePath(take), stop);
            }
            QStringList fields{htmlText(SubtitleFiles::title(cue)),
                               QStringLiteral("[sound:%1]").arg(audio),
                               take.isEmpty() ? QString() : QStringLiteral("[sound:%1]").arg(take),
                               htmlText(lastPathComponent(session.filePath) + u' ' +
                                        TimeText::short_(sentence.start)),
                               sentence.hard ? u"quellin hard"_s : u"quellin"_s};
            if (pictures.exist())
                fields << pictures.field(sentence.start, partial.path(),
                                         prefix + number + u".jpg"_s);
            notes += fields.join(u'\t') + u'\n';
        }
        report(double(k + 1) / double(cues.size() + 1));
    }
    if (anki)
        writeFile(partial.filePath(u"notes.txt"_s), notes.toUtf8());
    partial.moveTo(folder.filePath(name));
    report(1.0);
    return folder.filePath(name);
}

} // namespace SessionExport

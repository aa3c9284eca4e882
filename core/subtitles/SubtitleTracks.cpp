#include "subtitles/SubtitleTracks.h"

#include "base/LogCategories.h"
#include "media/FFmpegSupport.h"
#include "subtitles/SubtitleCues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

QStringList subtitleFilePatterns() {
    return {QStringLiteral("*.srt"), QStringLiteral("*.vtt"), QStringLiteral("*.ass"),
            QStringLiteral("*.ssa")};
}

namespace {

bool hasSubtitleSuffix(const QString& fileName) {
    return QDir::match(subtitleFilePatterns(), fileName);
}

// The language of a subtitle file's name, from the dot-separated tags before its suffix: beside
// the media, the first tag after the media's base name that names a language
// ("talk.forced.es.srt" → "es"); for a file of any name, only the last tag ("My.Film.pt-BR.srt").
QString languageInName(const QString& fileName, qsizetype baseLength) {
    QStringList tags = fileName.mid(baseLength).split(u'.', Qt::SkipEmptyParts);
    if (!tags.isEmpty())
        tags.removeLast(); // the suffix
    for (const QString& tag : tags)
        if (QString language = subtitleLanguage(tag); !language.isEmpty())
            return language;
    return {};
}

SubtitleTrack fileTrack(SubtitleTrack::Origin origin, const QFileInfo& file, QString language) {
    SubtitleTrack track;
    track.origin = origin;
    track.path = file.absoluteFilePath();
    track.language = std::move(language);
    track.source = file.fileName();
    return track;
}

std::vector<SubtitleTrack> besideTracks(const QFileInfo& media) {
    // "talk.mp4" → files "talk.*"; the dot keeps "talks.srt" out.
    const QString prefix = media.completeBaseName() + u'.';
    const QDir folder = media.absoluteDir();
    QStringList names = folder.entryList(QDir::Files | QDir::Readable, QDir::Name);
    std::vector<SubtitleTrack> tracks;
    for (const QString& name : names) {
        if (!name.startsWith(prefix) || !hasSubtitleSuffix(name))
            continue;
        tracks.push_back(fileTrack(SubtitleTrack::Origin::Beside, QFileInfo(folder, name),
                                   languageInName(name, prefix.size() - 1)));
    }
    return tracks;
}

QString metadata(const AVStream* stream, const char* key) {
    const AVDictionaryEntry* entry = av_dict_get(stream->metadata, key, nullptr, 0);
    return entry ? QString::fromUtf8(entry->value).trimmed() : QString();
}

std::vector<SubtitleTrack> insideTracks(const QString& mediaPath) {
    FFmpeg::routeLogging();
    AVFormatContext* raw = nullptr;
    if (const int code =
            avformat_open_input(&raw, FFmpeg::fileUrl(mediaPath).constData(), nullptr, nullptr);
        code < 0) {
        qCDebug(lcSplit) << "No subtitle streams read from" << mediaPath << FFmpeg::errorText(code);
        return {};
    }
    const FFmpeg::Input input(raw);
    // Containers without a header (MPEG-TS) list their streams only once packets were read.
    if ((input->ctx_flags & AVFMTCTX_NOHEADER) && FFmpeg::findStreamInfo(input.get()) < 0)
        return {};

    std::vector<SubtitleTrack> tracks;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* stream = input->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        SubtitleTrack track;
        track.origin = SubtitleTrack::Origin::Inside;
        track.path = mediaPath;
        track.stream = static_cast<int>(i);
        track.language = subtitleLanguage(metadata(stream, "language"));
        track.source = metadata(stream, "title");
        if (track.source.isEmpty())
            track.source = QCoreApplication::translate("SubtitleTracks", "Stream %1").arg(i + 1);
        track.unusable = unusableSubtitles(stream->codecpar->codec_id);
        tracks.push_back(std::move(track));
    }
    // The source names the track in a session: two streams with one title get their numbers.
    for (SubtitleTrack& track : tracks) {
        const auto same = std::count_if(tracks.begin(), tracks.end(), [&](const auto& other) {
            return other.source == track.source;
        });
        if (same > 1)
            track.source +=
                QCoreApplication::translate("SubtitleTracks", " (Stream %1)").arg(track.stream + 1);
    }
    return tracks;
}

QString primaryLanguage(const QString& code) {
    return code.section(u'-', 0, 0).toLower();
}

} // namespace

QString subtitleLanguage(const QString& tag) {
    const QStringList parts = tag.trimmed().split(QRegularExpression(QStringLiteral("[-_]")));
    const QString first = parts.value(0).toLower();
    if (first.size() < 2 || first.size() > 3)
        return {};
    const QLocale::Language language = QLocale::codeToLanguage(first);
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return {};
    QString code = QLocale::languageToCode(language);
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.size() == 4 && QLocale::codeToScript(part) != QLocale::AnyScript)
            code += u'-' + part.left(1).toUpper() + part.mid(1).toLower();
        else if ((part.size() == 2 || part.size() == 3) &&
                 QLocale::codeToTerritory(part) != QLocale::AnyTerritory)
            code += u'-' + part.toUpper();
    }
    return code;
}

std::vector<SubtitleTrack> findSubtitleTracks(const QString& mediaPath) {
    const QFileInfo media(mediaPath);
    if (!media.isFile())
        return {};
    std::vector<SubtitleTrack> tracks = besideTracks(media);
    // The media itself may be a subtitle file; it is not beside itself.
    std::erase_if(tracks,
                  [&](const SubtitleTrack& t) { return t.path == media.absoluteFilePath(); });
    std::vector<SubtitleTrack> inside = insideTracks(media.absoluteFilePath());
    tracks.insert(tracks.end(), inside.begin(), inside.end());
    return tracks;
}

SubtitleTrack addedSubtitleTrack(const QString& subtitlePath) {
    const QFileInfo file(subtitlePath);
    const QString name = file.fileName();
    const qsizetype lastTag = name.lastIndexOf(u'.', name.lastIndexOf(u'.') - 1);
    return fileTrack(SubtitleTrack::Origin::Added, file,
                     lastTag > 0 ? languageInName(name, lastTag) : QString());
}

std::optional<SubtitleTrack> preferredSubtitleTrack(const std::vector<SubtitleTrack>& tracks,
                                                    const QString& recognitionLanguage) {
    const QString wanted = primaryLanguage(recognitionLanguage);
    const auto first = [&](auto&& accepts) -> std::optional<SubtitleTrack> {
        const auto found = std::find_if(tracks.begin(), tracks.end(), [&](const SubtitleTrack& t) {
            return t.usable() && accepts(t);
        });
        return found == tracks.end() ? std::nullopt : std::optional(*found);
    };
    if (!wanted.isEmpty())
        if (auto track =
                first([&](const auto& t) { return primaryLanguage(t.language) == wanted; }))
            return track;
    if (auto track = first([](const auto& t) { return t.origin != SubtitleTrack::Origin::Inside; }))
        return track;
    return first([](const auto&) { return true; });
}

std::optional<SubtitleTrack> trackForSource(const std::vector<SubtitleTrack>& tracks,
                                            const QString& source) {
    const auto found = std::find_if(tracks.begin(), tracks.end(),
                                    [&](const SubtitleTrack& t) { return t.source == source; });
    return found == tracks.end() ? std::nullopt : std::optional(*found);
}

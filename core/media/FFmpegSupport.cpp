#include "media/FFmpegSupport.h"

#include "base/LogCategories.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdarg>
#include <mutex>
#include <vector>

extern "C" {
#include <libswscale/swscale.h>
}

namespace FFmpeg {

void ScalerDeleter::operator()(SwsContext* context) const {
    sws_freeContext(context);
}

ChannelLayout ChannelLayout::of(const AVChannelLayout& layout) {
    ChannelLayout result;
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&layout) == 0)
        av_channel_layout_default(&result.m_layout, std::max(1, layout.nb_channels));
    else
        av_channel_layout_copy(&result.m_layout, &layout);
    return result;
}

namespace {

// FFmpeg's warnings and errors become debug lines of quellin.media. FFmpeg logs from any thread
// and sometimes writes one line in several calls: each thread gathers its own line.
void logToMedia(void* context, int level, const char* format, va_list arguments) {
    if (level > av_log_get_level() || !lcMedia().isDebugEnabled())
        return;
    thread_local int printPrefix = 1;
    thread_local QByteArray line;
    char piece[1024];
    if (av_log_format_line2(context, level, format, arguments, piece, sizeof piece, &printPrefix) <
        0)
        return;
    line += piece;
    if (!line.endsWith('\n'))
        return;
    line.chop(1);
    qCDebug(lcMedia, "FFmpeg: %s", line.constData());
    line.clear();
}

} // namespace

void routeLogging() {
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_WARNING);
        av_log_set_callback(&logToMedia);
    });
}

int findStreamInfo(AVFormatContext* input) {
    std::vector<AVDictionary*> options(input->nb_streams, nullptr);
    for (AVDictionary*& streamOptions : options)
        av_dict_set_int(&streamOptions, "max_pixels", maxPicturePixels, 0);
    const int result = avformat_find_stream_info(input, options.data());
    for (AVDictionary*& streamOptions : options)
        av_dict_free(&streamOptions);
    return result;
}

QString errorText(int code) {
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

namespace {

// Failures of the file system read the same whether the file was being read or written.
std::optional<QString> fileSystemText(int code) {
    switch (code) {
    case AVERROR(ENOENT):
        return QCoreApplication::translate("FFmpegSupport", "The file doesn’t exist.");
    case AVERROR(EACCES):
    case AVERROR(EPERM):
        return QCoreApplication::translate("FFmpegSupport",
                                           "You don’t have permission to use this file.");
    case AVERROR(EISDIR):
        return QCoreApplication::translate("FFmpegSupport", "This is a folder, not a file.");
    case AVERROR(ENOSPC):
        return QCoreApplication::translate("FFmpegSupport",
                                           "There isn’t enough space on the disk.");
    case AVERROR(EROFS):
        return QCoreApplication::translate("FFmpegSupport", "The disk is read-only.");
    default:
        return std::nullopt;
    }
}

} // namespace

MediaError readError(int code) {
    switch (code) {
    case AVERROR_INVALIDDATA:
    case AVERROR_EOF:
    case AVERROR_DEMUXER_NOT_FOUND:
    case AVERROR_DECODER_NOT_FOUND:
    case AVERROR_STREAM_NOT_FOUND:
    case AVERROR_PATCHWELCOME:
    case AVERROR(EINVAL): // what some demuxers say of data they misread
        return MediaError::unreadable();
    default:
        break;
    }
    if (auto text = fileSystemText(code))
        return MediaError::failed(*text);
    return MediaError::failed(
        QCoreApplication::translate("FFmpegSupport", "The file couldn’t be read (%1).")
            .arg(errorText(code)));
}

MediaError writeError(int code) {
    if (auto text = fileSystemText(code))
        return MediaError::failed(
            QCoreApplication::translate("FFmpegSupport", "The sound track couldn’t be saved. %1")
                .arg(*text));
    return MediaError::failed(
        QCoreApplication::translate("FFmpegSupport", "The sound track couldn’t be saved (%1).")
            .arg(errorText(code)));
}

QByteArray fileUrl(const QString& path) {
    return QByteArrayLiteral("file:") + QFile::encodeName(QFileInfo(path).absoluteFilePath());
}

} // namespace FFmpeg

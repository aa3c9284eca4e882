#pragma once

#include "base/QuellinError.h"

#include <QCoreApplication>

// Why a media file cannot be used. `unreadable` and `noAudio` carry the fixed texts; `failed`
// carries a description of a decoder, encoder or file-system failure in the user's terms.
class MediaError final : public QuellinError {
public:
    enum class Kind { unreadable, noAudio, failed };

    static MediaError unreadable() {
        return MediaError(Kind::unreadable,
                          QCoreApplication::translate(
                              "MediaError", "This file can’t be read as audio or video."));
    }
    static MediaError noAudio() {
        return MediaError(Kind::noAudio, QCoreApplication::translate(
                                             "MediaError", "This file has no sound track."));
    }
    static MediaError failed(QString description) {
        return MediaError(Kind::failed, std::move(description));
    }

    Kind kind() const noexcept { return m_kind; }
    bool operator==(const MediaError& other) const {
        return m_kind == other.m_kind && description() == other.description();
    }

private:
    MediaError(Kind kind, QString description) : QuellinError(std::move(description)), m_kind(kind) {}
    Kind m_kind;
};

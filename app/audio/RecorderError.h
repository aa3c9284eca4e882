#pragma once

#include "base/QuellinError.h"

#include <QCoreApplication>

// Why a recording did not happen.
class RecorderError final : public QuellinError {
public:
    enum class Kind { couldNotStart };

    // The microphone did not start (none connected, or none selected).
    static RecorderError couldNotStart() {
        return RecorderError(
            Kind::couldNotStart,
            QCoreApplication::translate("RecorderError",
                                        "Recording couldn’t start. Check that a microphone is "
                                        "connected and selected in your sound settings."));
    }

    Kind kind() const noexcept { return m_kind; }
    bool operator==(const RecorderError& other) const { return m_kind == other.m_kind; }

private:
    RecorderError(Kind kind, QString description)
        : QuellinError(std::move(description)), m_kind(kind) {}
    Kind m_kind;
};

inline size_t qHash(const RecorderError& error, size_t seed = 0) noexcept {
    return size_t(error.kind()) ^ seed;
}

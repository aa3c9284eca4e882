#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Every component reports failures by throwing a subclass of this type. The description is
// the text the user sees, already in the user's terms.
class QuellinError : public std::exception {
public:
    explicit QuellinError(QString description)
        : m_description(std::move(description)), m_utf8(m_description.toUtf8()) {}

    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};

// The text the user sees for any failure: a QuellinError's description (its what() is that in
// UTF-8), or what() of another exception.
inline QString describe(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

// A value read from JSON did not have the expected shape.
class DecodingError final : public QuellinError {
public:
    using QuellinError::QuellinError;
};

// Thrown by long operations that noticed a stop request. Never shown to the user.
class OperationCancelled final : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

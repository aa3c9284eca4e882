#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The text of a file's bytes: UTF-8 (with or without a byte order mark), UTF-16 or UTF-32 with a
// byte order mark, or a legacy encoding that uchardet recognises (Windows-1252, KOI8-R, Shift
// JIS…). None when the bytes are not text (NUL bytes, an unknown encoding). Empty bytes are an
// empty text. Plain function, any thread.
std::optional<QString> decodedText(const QByteArray& bytes);

// The encoding uchardet names for text bytes ("WINDOWS-1252", "SHIFT_JIS", "UTF-8"…), in capitals;
// empty when it cannot tell. Plain function, any thread.
QByteArray detectedCharset(const QByteArray& bytes);

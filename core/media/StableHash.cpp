#include "media/StableHash.h"

namespace StableHash {

QString hex(const QString& text) {
    quint64 h = 0xcbf29ce484222325ULL;
    const QByteArray bytes = text.toUtf8();
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return QString::number(h, 16);
}

} // namespace StableHash

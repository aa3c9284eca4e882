#include "base/TextDecoding.h"

#include <QStringDecoder>

#include <uchardet/uchardet.h>

#include <memory>

namespace {

struct DetectorDeleter {
    void operator()(uchardet* detector) const { uchardet_delete(detector); }
};

std::optional<QString> decodedAs(const QByteArray& bytes, QStringDecoder decoder) {
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

std::optional<QString> decodedText(const QByteArray& bytes) {
    if (const auto marked = QStringConverter::encodingForData(bytes))
        return decodedAs(bytes, QStringDecoder(*marked));
    if (bytes.contains('\0'))
        return std::nullopt;
    if (const auto utf8 = decodedAs(bytes, QStringDecoder(QStringConverter::Utf8)))
        return utf8;
    const QByteArray charset = detectedCharset(bytes);
    if (charset.isEmpty())
        return std::nullopt;
    return decodedAs(bytes, QStringDecoder(charset.constData()));
}

QByteArray detectedCharset(const QByteArray& bytes) {
    const std::unique_ptr<uchardet, DetectorDeleter> detector(uchardet_new());
    if (!detector ||
        uchardet_handle_data(detector.get(), bytes.constData(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    return QByteArray(uchardet_get_charset(detector.get())).toUpper();
}

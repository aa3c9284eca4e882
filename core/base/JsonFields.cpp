#include "base/JsonFields.h"

#include <cmath>

namespace JsonFields {

namespace {

QString typeMismatch(QStringView key, const char* expected) {
    return QStringLiteral("Expected %1 for key “%2”.").arg(QLatin1String(expected), key);
}

} // namespace

QJsonValue require(const QJsonObject& object, QStringView key) {
    const auto it = object.constFind(key);
    if (it == object.constEnd())
        throw DecodingError(QStringLiteral("No value associated with key “%1”.").arg(key));
    return it.value();
}

double requireDouble(const QJsonObject& object, QStringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isDouble())
        throw DecodingError(typeMismatch(key, "a number"));
    return value.toDouble();
}

qint64 requireInteger(const QJsonObject& object, QStringView key) {
    const double number = requireDouble(object, key);
    if (!std::isfinite(number) || std::trunc(number) != number || std::fabs(number) > 9.0e15)
        throw DecodingError(typeMismatch(key, "a whole number"));
    return static_cast<qint64>(number);
}

bool requireBool(const QJsonObject& object, QStringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isBool())
        throw DecodingError(typeMismatch(key, "a boolean"));
    return value.toBool();
}

QString requireString(const QJsonObject& object, QStringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isString())
        throw DecodingError(typeMismatch(key, "a string"));
    return value.toString();
}

QJsonObject requireObject(const QJsonObject& object, QStringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isObject())
        throw DecodingError(typeMismatch(key, "an object"));
    return value.toObject();
}

QJsonArray requireArray(const QJsonObject& object, QStringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isArray())
        throw DecodingError(typeMismatch(key, "an array"));
    return value.toArray();
}

std::optional<QString> optionalString(const QJsonObject& object, QStringView key) {
    const auto it = object.constFind(key);
    if (it == object.constEnd() || it.value().isNull())
        return std::nullopt;
    if (!it.value().isString())
        throw DecodingError(typeMismatch(key, "a string"));
    return it.value().toString();
}

std::optional<double> optionalDouble(const QJsonObject& object, QStringView key) {
    const auto it = object.constFind(key);
    if (it == object.constEnd() || it.value().isNull())
        return std::nullopt;
    if (!it.value().isDouble())
        throw DecodingError(typeMismatch(key, "a number"));
    return it.value().toDouble();
}

QJsonObject asObject(const QJsonValue& value, QStringView what) {
    if (!value.isObject())
        throw DecodingError(QStringLiteral("Expected an object for %1.").arg(what));
    return value.toObject();
}

} // namespace JsonFields

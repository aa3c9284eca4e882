#pragma once

#include "base/QuellinError.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <optional>

// Typed access to the keys of a JSON object. Missing keys and wrong types throw DecodingError;
// the optional variants accept a missing key or null.
namespace JsonFields {

QJsonValue require(const QJsonObject& object, QStringView key);
double requireDouble(const QJsonObject& object, QStringView key);
// A whole number, written either as 1 or as 1.0.
qint64 requireInteger(const QJsonObject& object, QStringView key);
bool requireBool(const QJsonObject& object, QStringView key);
QString requireString(const QJsonObject& object, QStringView key);
QJsonObject requireObject(const QJsonObject& object, QStringView key);
QJsonArray requireArray(const QJsonObject& object, QStringView key);
std::optional<QString> optionalString(const QJsonObject& object, QStringView key);
std::optional<double> optionalDouble(const QJsonObject& object, QStringView key);
QJsonObject asObject(const QJsonValue& value, QStringView what);

} // namespace JsonFields

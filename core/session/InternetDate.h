#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Instants as internet date-times with whole seconds: 2025-03-01T09:30:05Z.
namespace InternetDate {

// The instant in UTC, its fraction of a second dropped; absent for an invalid instant or one
// outside the years 1 to 9999, which the form cannot hold.
std::optional<QString> format(const QDateTime& instant);

// Accepts exactly YYYY-MM-DDTHH:MM:SS followed by Z or a ±HH:MM offset; absent for anything else,
// including fractions of a second and impossible dates or times.
std::optional<QDateTime> parse(QStringView text);

} // namespace InternetDate

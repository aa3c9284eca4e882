#pragma once

#include <QDateTime>
#include <QString>

// A date relative to now in words, with named days and wide units: "now", "5 minutes ago",
// "yesterday", "3 days ago", "last week", "2 months ago", "in 2 hours", "tomorrow".
// The largest whole calendar unit between the two dates is named.
namespace RelativeDate {

QString text(const QDateTime& date, const QDateTime& now);

} // namespace RelativeDate

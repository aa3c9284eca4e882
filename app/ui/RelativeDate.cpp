#include "ui/RelativeDate.h"

namespace RelativeDate {

namespace {

struct Unit {
    const char* one;
    const char* many;
    const char* lastName; // for exactly one unit in the past
    const char* nextName; // for exactly one unit in the future
};

QString phrase(qint64 count, const Unit& unit, bool past) {
    if (count == 1 && unit.lastName)
        return QString::fromLatin1(past ? unit.lastName : unit.nextName);
    const QString amount =
        QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? unit.one : unit.many));
    return past ? amount + QStringLiteral(" ago") : QStringLiteral("in ") + amount;
}

// Whole calendar units from `from` to `to` (from ≤ to), largest first.
QString between(const QDateTime& from, const QDateTime& to, bool past) {
    static const Unit year{"year", "years", "last year", "next year"};
    static const Unit month{"month", "months", "last month", "next month"};
    static const Unit week{"week", "weeks", "last week", "next week"};
    static const Unit day{"day", "days", "yesterday", "tomorrow"};
    static const Unit hour{"hour", "hours", nullptr, nullptr};
    static const Unit minute{"minute", "minutes", nullptr, nullptr};
    static const Unit second{"second", "seconds", nullptr, nullptr};

    int years = to.date().year() - from.date().year();
    if (years > 0 && from.addYears(years) > to)
        --years;
    if (years > 0)
        return phrase(years, year, past);
    int months =
        (to.date().year() - from.date().year()) * 12 + to.date().month() - from.date().month();
    if (months > 0 && from.addMonths(months) > to)
        --months;
    if (months > 0)
        return phrase(months, month, past);
    const qint64 seconds = from.secsTo(to);
    const qint64 days = seconds / 86400;
    if (days >= 7)
        return phrase(days / 7, week, past);
    if (days > 0)
        return phrase(days, day, past);
    if (seconds >= 3600)
        return phrase(seconds / 3600, hour, past);
    if (seconds >= 60)
        return phrase(seconds / 60, minute, past);
    if (seconds >= 1)
        return phrase(seconds, second, past);
    return QStringLiteral("now");
}

} // namespace

QString text(const QDateTime& date, const QDateTime& now) {
    if (!date.isValid() || !now.isValid())
        return {};
    return date <= now ? between(date, now, true) : between(now, date, false);
}

} // namespace RelativeDate

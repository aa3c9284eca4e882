#include "ui/RelativeDate.h"

#include <QCoreApplication>

namespace RelativeDate {

namespace {

QString translated(const char* text, qint64 count = -1) {
    return QCoreApplication::translate("RelativeDate", text, nullptr, int(count));
}

// Each unit as a whole phrase, so that a translation words each one as its language does.
struct Unit {
    const char* ago;      // "%n year(s) ago"
    const char* in;       // "in %n year(s)"
    const char* lastName; // for exactly one unit in the past
    const char* nextName; // for exactly one unit in the future
};

QString phrase(qint64 count, const Unit& unit, bool past) {
    if (count == 1 && unit.lastName)
        return translated(past ? unit.lastName : unit.nextName);
    return translated(past ? unit.ago : unit.in, count);
}

// Whole calendar units from `from` to `to` (from ≤ to), largest first.
QString between(const QDateTime& from, const QDateTime& to, bool past) {
    static const Unit year{QT_TRANSLATE_N_NOOP("RelativeDate", "%n year(s) ago"),
                           QT_TRANSLATE_N_NOOP("RelativeDate", "in %n year(s)"),
                           QT_TRANSLATE_NOOP("RelativeDate", "last year"),
                           QT_TRANSLATE_NOOP("RelativeDate", "next year")};
    static const Unit month{QT_TRANSLATE_N_NOOP("RelativeDate", "%n month(s) ago"),
                            QT_TRANSLATE_N_NOOP("RelativeDate", "in %n month(s)"),
                            QT_TRANSLATE_NOOP("RelativeDate", "last month"),
                            QT_TRANSLATE_NOOP("RelativeDate", "next month")};
    static const Unit week{QT_TRANSLATE_N_NOOP("RelativeDate", "%n week(s) ago"),
                           QT_TRANSLATE_N_NOOP("RelativeDate", "in %n week(s)"),
                           QT_TRANSLATE_NOOP("RelativeDate", "last week"),
                           QT_TRANSLATE_NOOP("RelativeDate", "next week")};
    static const Unit day{QT_TRANSLATE_N_NOOP("RelativeDate", "%n day(s) ago"),
                          QT_TRANSLATE_N_NOOP("RelativeDate", "in %n day(s)"),
                          QT_TRANSLATE_NOOP("RelativeDate", "yesterday"),
                          QT_TRANSLATE_NOOP("RelativeDate", "tomorrow")};
    static const Unit hour{QT_TRANSLATE_N_NOOP("RelativeDate", "%n hour(s) ago"),
                           QT_TRANSLATE_N_NOOP("RelativeDate", "in %n hour(s)"), nullptr, nullptr};
    static const Unit minute{QT_TRANSLATE_N_NOOP("RelativeDate", "%n minute(s) ago"),
                             QT_TRANSLATE_N_NOOP("RelativeDate", "in %n minute(s)"), nullptr,
                             nullptr};
    static const Unit second{QT_TRANSLATE_N_NOOP("RelativeDate", "%n second(s) ago"),
                             QT_TRANSLATE_N_NOOP("RelativeDate", "in %n second(s)"), nullptr,
                             nullptr};

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
    return QCoreApplication::translate("RelativeDate", "now");
}

} // namespace

QString text(const QDateTime& date, const QDateTime& now) {
    if (!date.isValid() || !now.isValid())
        return {};
    return date <= now ? between(date, now, true) : between(now, date, false);
}

} // namespace RelativeDate

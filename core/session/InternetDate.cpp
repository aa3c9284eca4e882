#include "session/InternetDate.h"

namespace InternetDate {

namespace {

// The decimal number in text[from, from + count), or -1 when any of those characters is no digit.
int digits(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool separatorsAt(QStringView text, std::initializer_list<std::pair<qsizetype, char16_t>> marks) {
    for (const auto& [index, mark] : marks)
        if (text[index] != QChar(mark))
            return false;
    return true;
}

} // namespace

std::optional<QString> format(const QDateTime& instant) {
    if (!instant.isValid())
        return std::nullopt;
    const QDateTime utc = instant.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    if (date.year() < 1 || date.year() > 9999)
        return std::nullopt;
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", date.year(), date.month(),
                             date.day(), time.hour(), time.minute(), time.second());
}

std::optional<QDateTime> parse(QStringView text) {
    constexpr qsizetype zoneAt = 19;
    const bool zulu = text.size() == zoneAt + 1 && text[zoneAt] == u'Z';
    const bool offset = text.size() == zoneAt + 6 &&
                        (text[zoneAt] == u'+' || text[zoneAt] == u'-') && text[zoneAt + 3] == u':';
    if (!zulu && !offset)
        return std::nullopt;
    if (!separatorsAt(text, {{4, u'-'}, {7, u'-'}, {10, u'T'}, {13, u':'}, {16, u':'}}))
        return std::nullopt;
    const QDate date(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    // QTime rejects hour 24 and second 60, which QDateTime's own ISO reading lets through.
    const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
    if (digits(text, 0, 4) < 1 || !date.isValid() || !time.isValid())
        return std::nullopt;
    QDateTime instant(date, time, Qt::UTC);
    if (offset) {
        const int hours = digits(text, zoneAt + 1, 2);
        const int minutes = digits(text, zoneAt + 4, 2);
        if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
            return std::nullopt;
        const int seconds = (hours * 60 + minutes) * 60;
        instant = instant.addSecs(text[zoneAt] == u'+' ? -seconds : seconds);
    }
    return instant;
}

} // namespace InternetDate

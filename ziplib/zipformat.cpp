#include "zipformat.h"

#include <cmath>
#include <ctime>

namespace ZipFormat {

int currentUtcOffset()
{
    const time_t now = time(nullptr);
    tm utc{};
    tm local{};
    gmtime_r(&now, &utc);
    localtime_r(&now, &local);
    const time_t localSeconds = mktime(&local);
    const time_t utcAsLocal = mktime(&utc);
    int offset = int(std::lround(difftime(localSeconds, utcAsLocal)));
    if (local.tm_isdst > 0)
        offset += 3600;
    return offset;
}

void toDosTime(const QDateTime& wallClock, quint16* date, quint16* time)
{
    QDate d = wallClock.date();
    QTime t = wallClock.time();
    if (!d.isValid() || d.year() < 1980) {
        d = QDate(1980, 1, 1);
        t = QTime(0, 0);
    }
    *date = quint16(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
    *time = quint16((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

QDateTime fromDosTime(quint16 date, quint16 time)
{
    const QDate d(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime t(time >> 11, (time >> 5) & 0x3F, 2 * (time & 0x1F));
    return QDateTime(d, t, Qt::LocalTime);
}

} // namespace ZipFormat

#include "platform/clock.h"

#include <QDateTime>

namespace {
std::optional<TDateTime>& Override()
{
    static std::optional<TDateTime> value;
    return value;
}
} // namespace

TDateTime Now()
{
    if (Override()) return *Override();
    return FromQDateTime(QDateTime::currentDateTime());
}

TDateTime Date() { return DateOf(Now()); }

TDateTime Time() { return TimeOf(Now()); }

void SetClockOverride(std::optional<TDateTime> value) { Override() = value; }

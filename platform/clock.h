#pragma once

#include "platform/datetime.h"

#include <optional>

// The local clock. Tests freeze it so that "today" is a known date.
TDateTime Now();
TDateTime Date(); // today at 00:00
TDateTime Time(); // the time of day now

// Freezes the clock at the given value; std::nullopt returns to the real clock.
void SetClockOverride(std::optional<TDateTime> value);

#pragma once

#include "app/recordbook.h"

class TFormBuilder;

// The gig record book on the left of the main window: navigator, grid of dates and
// venues, the gig's edits, and the Calendar and Gig Report buttons.
TRecordBook BuildGigHalf(TFormBuilder& builder);

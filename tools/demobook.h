#pragma once

#include "platform/datetime.h"

#include <QString>

struct TDemoBookSummary
{
    int Gigs = 0;
    int Contacts = 0;
};

// Fills the gig and contact tables under the alias with a sample book: gigs spread over
// the month before, the month of and the month after `today` (one of them still without a
// venue), and a handful of contacts. Every record goes through the tables' own checks.
TDemoBookSummary FillDemoBook(const QString& alias, TDateTime today);

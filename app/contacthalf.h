#pragma once

#include "app/recordbook.h"

class TFormBuilder;

// The contact record book on the right of the main window: navigator, grid of every
// contact field, the contact's edits and the Contact Report button.
TRecordBook BuildContactHalf(TFormBuilder& builder);

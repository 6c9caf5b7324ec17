#pragma once

// The drawing utilities shared by every view of the planner suite.
#include "markup/bitmaproutines.h"
#include "markup/completion.h"
#include "markup/datetimelist.h"
#include "markup/gauge.h"
#include "markup/glyphs.h"
#include "markup/gradient.h"
#include "markup/htmlstrip.h"
#include "markup/matchstr.h"
#include "markup/monthdates.h"
#include "markup/rectedges.h"
#include "markup/textflags.h"

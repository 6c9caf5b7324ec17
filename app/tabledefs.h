#pragma once

#include "platform/fielddefs.h"

#include <QList>
#include <QString>

// The stored layout of a table of the gig book: file name, fields in order, indexes.
struct TTableDefinition
{
    QString TableName;
    TFieldDefs FieldDefs;
    TIndexDefs IndexDefs;
};

// 21 fields; one gig per date through the unique primary index on "Gig date".
TTableDefinition GigTableDefinition();
// The fields the contact book binds by name, in the order its grid shows them.
TTableDefinition ContactTableDefinition();
// Dates the band cannot play; opened at start-up, not used otherwise.
TTableDefinition BlackoutTableDefinition();
// In the order the program opens them: gig, blackout, contact.
QList<TTableDefinition> GigBookDefinitions();

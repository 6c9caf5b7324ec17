#include "app/recordbook.h"

#include "platform/dbedit.h"

TDBEdit* TRecordBook::EditOf(const QString& fieldName) const
{
    for (TDBEdit* edit : Edits) {
        if (edit->DataField().compare(fieldName, Qt::CaseInsensitive) == 0) return edit;
    }
    return nullptr;
}

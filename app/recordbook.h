#pragma once

#include <QString>

#include <vector>

class QPushButton;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TDBNavigator;

// The controls of one half of the main window: a record book on one table.
struct TRecordBook
{
    TDBNavigator* Navigator = nullptr;
    TDBGrid* Grid = nullptr;
    std::vector<TDBEdit*> Edits; // in tab order
    TDBMemo* Comments = nullptr;
    QPushButton* Report = nullptr;
    QPushButton* Calendar = nullptr; // the gig half only

    // The edit bound to a field; null when the half has none.
    TDBEdit* EditOf(const QString& fieldName) const;
};

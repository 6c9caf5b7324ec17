#pragma once

#include "platform/exporter.h"
#include "platform/exportformat.h"

#include <functional>

class TDataSet;
class TField;

// Called after every few records, and as a writer's finishing passes go on, with the
// work done and the whole work, counted in records: each record once for the walk and
// once more for each finishing pass of the writer. Returning false cancels the export.
using TExportProgress = TStepProgress;

// The columns of a dataset's fields, in the dataset's order.
std::vector<TExportColumn> ExportColumns(const TDataSet& dataSet);
// The current record's value of a field as an export cell.
TExportCell ExportCell(const TField& field);
// The title of a report on a dataset: a table's file name without its suffix ("gig"),
// otherwise the dataset's name.
QString DefaultExportTitle(const TDataSet& dataSet);

// Writes every record of the dataset, all fields, in the dataset's order, through the
// exporter into path. A record being edited is posted first, as moving off it would.
// The cursor walks the records with the controls disabled and comes back to the record
// it was on. Returns the number of records written. Raises EExportCancelled when the
// progress callback says stop, Exception for any failure; either way no file is left.
int ExportDataSet(TDataSet& dataSet, TExporter& exporter, const QString& path, const QString& title,
                  const TExportProgress& progress = {});

// The same in one of the built-in formats, titled by the options or by the dataset.
int ExportDataSet(TDataSet& dataSet, TExportFormat format, const TExportOptions& options,
                  const QString& path, const TExportProgress& progress = {});

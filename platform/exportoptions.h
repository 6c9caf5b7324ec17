#pragma once

#include "platform/color.h"
#include "platform/graphics.h"

#include <QString>

// Report export options, one group per format. Fonts keep their classic meaning: a
// negative height is a pixel height at 96 pixels per inch.

enum TExportAlignment { eaLeft, eaCenter, eaRight };

// A paragraph style of the RTF report.
struct TRtfStyle
{
    TFont Font;
    TExportAlignment Alignment = eaLeft;
};

struct TRtfExportOptions
{
    TRtfStyle CaptionStyle; // the column titles
    TRtfStyle DataStyle;
    TRtfStyle HeaderStyle; // the report title above the table
    TRtfStyle FooterStyle; // the page footer
};

struct THtmlExportOptions
{
    // The page's text; the page background is chosen to keep it readable.
    TFont TextFont;
};

struct TCsvExportOptions
{
    QChar Separator = QLatin1Char(',');
};

struct TPdfExportOptions
{
    // Page margins in inches.
    double LeftMargin = 0.75;
    double RightMargin = 0.75;
    double TopMargin = 0.75;
    double BottomMargin = 0.75;
    TFont HeaderFont;  // the report title on every page
    TFont CaptionFont; // the column titles, repeated on every page
    TFont DataFont;
    TFont FooterFont;
    // &P is the page number, &N the number of pages.
    QString PageFooter = QStringLiteral("Page &P of &N");
};

// A cell format of the spreadsheet export.
struct TXlsxCellFormat
{
    QString FontName; // empty: the workbook's default font
    int FontSize = 0; // points; 0: the default size
    bool Bold = false;
    bool Underline = false;
    TColor FontColor = clNone; // clNone: the default colour
    TExportAlignment Alignment = eaLeft;
    bool TopAligned = false;
};

struct TXlsxExportOptions
{
    // Page footer in the spreadsheet's own codes (&P page, &N pages); centred unless it
    // names a section itself (&L, &C, &R).
    QString PageFooter = QStringLiteral("Page &P of &N");
    QString SheetTitle = QStringLiteral("Sheet 1");
    TXlsxCellFormat CaptionFormat;   // the column titles
    TXlsxCellFormat HyperlinkFormat; // web and e-mail addresses, written as links
    // Cell notes; kept for completeness, records carry no notes to write.
    TXlsxCellFormat NoteFormat;
};

struct TExportOptions
{
    // The report's title; empty: named after the dataset (the table's file stem).
    QString Title;
    TRtfExportOptions Rtf;
    THtmlExportOptions Html;
    TCsvExportOptions Csv;
    TPdfExportOptions Pdf;
    TXlsxExportOptions Xlsx;
};

// The values that the gig and contact reports of the gig book use.
TExportOptions GigBookExportOptions();

#include "platform/exportoptions.h"

namespace {

TFont MakeFont(const QString& name, int height, TColor color, TFontStyles style = 0)
{
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetColor(color);
    font.SetStyle(style);
    return font;
}

TFont Arial13(TColor color, TFontStyles style = 0)
{
    return MakeFont(QStringLiteral("Arial"), -13, color, style);
}

} // namespace

TExportOptions GigBookExportOptions()
{
    TExportOptions options;

    options.Rtf.CaptionStyle = {Arial13(clBlack, fsBold), eaCenter};
    options.Rtf.DataStyle = {Arial13(clBlack), eaLeft};
    options.Rtf.HeaderStyle = {Arial13(clBlack), eaLeft};
    options.Rtf.FooterStyle = {Arial13(clBlack), eaLeft};

    options.Html.TextFont = MakeFont(QStringLiteral("Arial"), -11, clWhite);

    options.Csv.Separator = QLatin1Char(',');

    options.Pdf.LeftMargin = 1.17;
    options.Pdf.RightMargin = 0.57;
    options.Pdf.TopMargin = 0.78;
    options.Pdf.BottomMargin = 0.78;
    options.Pdf.HeaderFont = Arial13(clWindowText);
    options.Pdf.CaptionFont = Arial13(clWindowText);
    options.Pdf.DataFont = Arial13(clWindowText);
    options.Pdf.FooterFont = Arial13(clWindowText);

    options.Xlsx.PageFooter = QStringLiteral("Page &P of &N");
    options.Xlsx.SheetTitle = QStringLiteral("Sheet 1");
    options.Xlsx.CaptionFormat.Bold = true;
    options.Xlsx.HyperlinkFormat.FontColor = clBlue;
    options.Xlsx.HyperlinkFormat.Underline = true;
    options.Xlsx.NoteFormat.Alignment = eaLeft;
    options.Xlsx.NoteFormat.TopAligned = true;
    options.Xlsx.NoteFormat.FontName = QStringLiteral("Tahoma");
    options.Xlsx.NoteFormat.FontSize = 8;
    options.Xlsx.NoteFormat.Bold = true;
    return options;
}

// Each report format written from a small gig table and read back with a reader that
// knows nothing of our writers: Python's csv module, unzip and an XML reader for the
// spreadsheet, pdftotext for the PDF, an XML reader for the HTML page.
#include "exportfixture.h"
#include "platform/csvexporter.h"
#include "platform/htmlexporter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

using Table = QList<QStringList>;

int Column(const QStringList& titles, const char* title)
{
    const int index = static_cast<int>(titles.indexOf(QString::fromLatin1(title)));
    EXPECT_GE(index, 0) << title;
    return index;
}

Table ParseCsvWithPython(const QString& path)
{
    const QString script =
        QStringLiteral("import csv, json, sys\n"
                       "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                       "    print(json.dumps(list(csv.reader(f))))\n");
    const QByteArray json =
        ExportTest::RunTool(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    Table rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(json).array()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString();
        rows << cells;
    }
    return rows;
}

// The text of each element with the given name, <br/> read as a line break.
Table ReadHtmlTable(const QByteArray& html, QString& error)
{
    QXmlStreamReader xml(html);
    Table rows;
    QString cell;
    bool inCell = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("tr")) rows << QStringList();
            if (xml.name() == QLatin1String("td") || xml.name() == QLatin1String("th")) {
                inCell = true;
                cell.clear();
            }
            if (xml.name() == QLatin1String("br") && inCell) cell += QLatin1Char('\n');
        } else if (xml.isCharacters() && inCell) {
            cell += xml.text();
        } else if (xml.isEndElement() &&
                   (xml.name() == QLatin1String("td") || xml.name() == QLatin1String("th"))) {
            rows.last() << cell;
            inCell = false;
        }
    }
    error = xml.hasError() ? xml.errorString() : QString();
    return rows;
}

QByteArray Unzip(const QString& archive, const char* member)
{
    return ExportTest::RunTool(QStringLiteral("unzip"),
                               {QStringLiteral("-p"), archive, QString::fromLatin1(member)});
}

QStringList SharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) strings << QString();
        if (reader.isStartElement() && reader.name() == QLatin1String("t") && !strings.isEmpty())
            strings.last() += reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    return strings;
}

struct TSheetCell
{
    QString Type; // "s" shared string, "" number
    QString Value;
    QString Style;
};

QMap<QString, TSheetCell> SheetCells(const QByteArray& xml)
{
    QMap<QString, TSheetCell> cells;
    QXmlStreamReader reader(xml);
    QString ref;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) continue;
        if (reader.name() == QLatin1String("c")) {
            ref = reader.attributes().value(QLatin1String("r")).toString();
            cells[ref].Type = reader.attributes().value(QLatin1String("t")).toString();
            cells[ref].Style = reader.attributes().value(QLatin1String("s")).toString();
        } else if (reader.name() == QLatin1String("v")) {
            cells[ref].Value = reader.readElementText();
        }
    }
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    return cells;
}

QString PdfText(const QString& path)
{
    return QString::fromUtf8(ExportTest::RunTool(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
}

void ExpectContains(const QByteArray& bytes, std::initializer_list<const char*> parts)
{
    for (const char* part : parts)
        EXPECT_TRUE(bytes.contains(part)) << part;
}

QString ElementText(const QByteArray& xml, const char* element)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String(element))
            return reader.readElementText();
    }
    return {};
}

} // namespace

TEST_F(ExportTest, CsvAndHtmlReadBackEveryValueThroughOutsideReaders)
{
    QString htmlError;
    const QByteArray html = ReadAll(Export(efHtml));
    const std::pair<const char*, Table> formats[] = {{"csv", ParseCsvWithPython(Export(efCsv))},
                                                     {"html", ReadHtmlTable(html, htmlError)}};
    ASSERT_TRUE(htmlError.isEmpty()) << qPrintable(htmlError);
    const std::tuple<int, const char*, QString> cells[] = {
        {1, "Gig date", QStringLiteral("5/3/2024")},
        {1, "Gig time", QStringLiteral("20:30:00")},
        {1, "Gig length", QStringLiteral("2.5")},
        {1, "Gig venue", QString::fromUtf8(TrickyVenue)},
        {1, "Business name", QString::fromUtf8(TrickyBusiness)},
        {1, "Notes", QString::fromUtf8(TrickyNotes)},
        {2, "Gig venue", QString()},
        {2, "Gig time", QString()},
        {2, "Notes", QString::fromUtf8(UnicodeNotes)},
        {3, "Venue", QStringLiteral("Back door\nsecond floor")}};
    for (const auto& [name, rows] : formats) {
        SCOPED_TRACE(name);
        ASSERT_EQ(rows.size(), 4);
        const QStringList& titles = rows[0];
        ASSERT_EQ(titles.size(), 21);
        EXPECT_EQ(titles.first(), QStringLiteral("Gig date"));
        EXPECT_EQ(titles.last(), QStringLiteral("Notes"));
        for (const QStringList& row : rows)
            EXPECT_EQ(row.size(), 21);
        for (const auto& [row, title, expected] : cells)
            EXPECT_EQ(rows[row][Column(titles, title)], expected) << row << " " << title;
    }

    // A byte order mark first, every record ended by CR LF.
    const QByteArray bytes = ReadAll(OutPath(QStringLiteral("gigs.csv")));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFGig date,Gig time,"));
    EXPECT_EQ(bytes.count("\r\n"), 4);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    ExpectContains(html, {"<meta charset=\"utf-8\"/>", "<title>gig</title>"});
}

TEST_F(ExportTest, CsvQuotesOnlyWhatNeedsIt)
{
    const QChar comma(QLatin1Char(','));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("plain"), comma), QStringLiteral("plain"));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("a,b"), comma), QStringLiteral("\"a,b\""));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("say \"hi\""), comma),
              QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("a\nb"), comma), QStringLiteral("\"a\nb\""));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral(" padded"), comma), QStringLiteral("\" padded\""));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("a;b"), QLatin1Char(';')),
              QStringLiteral("\"a;b\""));
    EXPECT_EQ(TCsvExporter::Quote(QStringLiteral("a,b"), QLatin1Char(';')), QStringLiteral("a,b"));
}

TEST_F(ExportTest, SpreadsheetSheetHoldsTypedCellsLinksAndThePageSetup)
{
    const QString path = Export(efXlsx);
    const QStringList strings = SharedStrings(Unzip(path, "xl/sharedStrings.xml"));
    const QMap<QString, TSheetCell> cells = SheetCells(Unzip(path, "xl/worksheets/sheet1.xml"));
    auto text = [&](const char* ref) {
        const TSheetCell cell = cells.value(QString::fromLatin1(ref));
        EXPECT_EQ(cell.Type, QStringLiteral("s")) << ref;
        return strings.value(cell.Value.toInt());
    };
    EXPECT_EQ(text("A1"), QStringLiteral("Gig date"));
    EXPECT_EQ(text("U1"), QStringLiteral("Notes"));
    EXPECT_EQ(text("D2"), QString::fromUtf8(TrickyVenue));
    EXPECT_EQ(text("F2"), QString::fromUtf8(TrickyBusiness));
    EXPECT_EQ(text("U2"), QString::fromUtf8(TrickyNotes));
    EXPECT_EQ(text("U3"), QString::fromUtf8(UnicodeNotes));
    EXPECT_EQ(text("T4"), QStringLiteral("Back door\nsecond floor"));
    // Dates, times and numbers are numeric cells; a date is its serial day number.
    EXPECT_EQ(cells["A2"].Type, QString());
    EXPECT_EQ(cells["A2"].Value.toDouble(), EncodeDate(2024, 5, 3));
    EXPECT_NEAR(cells["B2"].Value.toDouble(), 20.5 / 24, 1e-9);
    EXPECT_EQ(cells["C2"].Value, QStringLiteral("2.5"));
    EXPECT_NE(cells["A2"].Style, cells["C2"].Style);
    EXPECT_FALSE(cells.contains(QStringLiteral("D3"))) << "an empty venue stays an empty cell";
    EXPECT_FALSE(cells.contains(QStringLiteral("B3")));

    const QByteArray sheet = Unzip(path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(ElementText(sheet, "oddFooter"), QStringLiteral("&CPage &P of &N"));
    ExpectContains(sheet, {"state=\"frozen\"", "orientation=\"landscape\""});
    EXPECT_TRUE(Unzip(path, "xl/workbook.xml").contains("<sheet name=\"Sheet 1\""));
    EXPECT_TRUE(Unzip(path, "xl/worksheets/_rels/sheet1.xml.rels")
                    .contains("mailto:booking@cafe-zurich.example"));

    ExpectContains(Unzip(path, "xl/styles.xml"),
                   {"formatCode=\"m\\/d\\/yyyy\"", "<b/>", "<u/>", "<color rgb=\"FF0000FF\"/>"});
}

TEST_F(ExportTest, PdfTextIsExtractableOnEveryPageWithTitlesAndPageNumbers)
{
    AddManyGigs(80);
    const QString path = Export(efPdf);
    ASSERT_TRUE(ReadAll(path).startsWith("%PDF-"));
    const QString text = PdfText(path);
    QStringList pages = text.split(QLatin1Char('\f'));
    while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GE(pages.size(), 4) << "80 gigs and 21 fields take several pages";
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())))
            << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Gig date"))) << "page " << i + 1;
        EXPECT_TRUE(pages[i].startsWith(QStringLiteral("gig"))) << "page " << i + 1;
    }
    for (const QString& expected :
         {QString::fromUtf8(TrickyVenue), QString::fromUtf8(TrickyBusiness),
          QStringLiteral("Line one"), QStringLiteral("Line two, with \"quotes\""),
          QStringLiteral("5/3/2024"), QStringLiteral("Plain Hall"), QStringLiteral("Hall 79"),
          QStringLiteral("\u00dcber {braces} \\ \u0153uvre"), QStringLiteral("Notes")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
}

TEST_F(ExportTest, HtmlStyleUsesTheTextFontOnABackgroundThatKeepsItReadable)
{
    TFont white;
    white.SetName(QStringLiteral("Arial"));
    white.SetHeight(-11);
    white.SetColor(clWhite);
    ExpectContains(THtmlExporter::StyleSheet(white).toUtf8(),
                   {"font-family: \"Arial\", sans-serif", "font-size: 8pt", "color: #ffffff",
                    "background-color: #1f3550"});
    white.SetColor(clWindowText);
    EXPECT_TRUE(
        THtmlExporter::StyleSheet(white).contains(QStringLiteral("background-color: #ffffff")));
    EXPECT_EQ(THtmlExporter::Escape(QStringLiteral("a<b>&\"\nc\x01")),
              QStringLiteral("a&lt;b&gt;&amp;&quot;<br/>c"));
}

TEST_F(ExportTest, RtfIsSevenBitWithUnicodeEscapesAndATableThatRepeatsItsTitles)
{
    const QByteArray rtf = ReadAll(Export(efRtf));
    ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    for (char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    // Braces balance once escaped ones are left out.
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') --depth;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
    ExpectContains(rtf,
                   {"Caf\\u233?", "\\u220?ber \\{braces\\} \\\\ \\u339?uvre \\u10003? \\u23665?",
                    "Line one\\line Line two, with \"quotes\"", "Back door\\line second floor",
                    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}", "{\\field{\\*\\fldinst PAGE}",
                    "{\\field{\\*\\fldinst NUMPAGES}"});
    // The caption row: bold, centred, 10 point (13 pixels), marked to repeat on each page.
    const qsizetype caption = rtf.indexOf("\\trhdr");
    ASSERT_GE(caption, 0);
    const QByteArray titleRow = rtf.mid(caption, rtf.indexOf("\\row", caption) - caption);
    EXPECT_TRUE(titleRow.contains("\\qc\\plain\\f0\\fs20\\cf1\\b Gig date\\cell"));
    EXPECT_EQ(titleRow.count("\\cellx"), 21);
    EXPECT_EQ(rtf.count("\\row"), 4);
}

TEST_F(ExportTest, AnEmptyTableGivesTitlesOnlyInEveryFormat)
{
    while (!m_table->IsEmpty()) {
        m_table->First();
        m_table->Delete();
    }
    EXPECT_EQ(ParseCsvWithPython(Export(efCsv)).size(), 1);
    QString error;
    EXPECT_EQ(ReadHtmlTable(ReadAll(Export(efHtml)), error).size(), 1);
    EXPECT_EQ(ReadAll(Export(efRtf)).count("\\row"), 1);
    const QString pdf = PdfText(Export(efPdf));
    EXPECT_TRUE(pdf.contains(QStringLiteral("Page 1 of ")));
    EXPECT_TRUE(pdf.contains(QStringLiteral("Gig date")));
    EXPECT_FALSE(pdf.contains(QStringLiteral("Plain Hall")));
    const QMap<QString, TSheetCell> cells =
        SheetCells(Unzip(Export(efXlsx), "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(cells.contains(QStringLiteral("A1")));
    EXPECT_FALSE(cells.contains(QStringLiteral("A2")));
}

TEST_F(ExportTest, ContactTableExportsItsOwnFieldsInItsOwnOrder)
{
    TTable contacts;
    contacts.SetDatabaseName(QStringLiteral("vantor"));
    contacts.SetTableName(QStringLiteral("contacts.db"));
    contacts.Open();
    contacts.Append();
    contacts.FieldByName(QStringLiteral("Venue"))->SetAsString(QStringLiteral("Jazz, Inc."));
    contacts.Post();
    QDir().mkpath(Under(QStringLiteral("out")));
    const QString path = OutPath(QStringLiteral("contacts.csv"));
    EXPECT_EQ(ExportDataSet(contacts, efCsv, GigBookExportOptions(), path), 1);
    const Table rows = ParseCsvWithPython(path);
    ASSERT_EQ(rows.size(), 2);
    QStringList names;
    for (int i = 0; i < contacts.Fields().Count(); ++i)
        names << contacts.Fields()[i]->FieldName();
    EXPECT_EQ(rows[0], names);
    EXPECT_EQ(rows[1][0], QStringLiteral("Jazz, Inc."));
}

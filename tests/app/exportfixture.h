#pragma once

#include "app/tabledefs.h"
#include "platform/datasetexport.h"
#include "platform/datetime.h"
#include "platform/table.h"
#include "xdghome.h"

#include <QFile>
#include <QProcess>

#include <memory>

// A gig book under a temporary alias with three gigs whose values are hard on every
// format: separators, quotes, markup characters, line breaks, non-ASCII letters, an empty
// venue. Dates print as m/d/yyyy and numbers with a point, whatever the machine's locale.
class ExportTest : public XdgHomeTest
{
protected:
    std::unique_ptr<TTable> m_table;
    TFormatSettings m_savedSettings;

    static constexpr const char* TrickyVenue = "Caf\u00e9 \"Z\u00fcrich\", Bar";
    static constexpr const char* TrickyBusiness = "M\u00fcller & <Sons>";
    static constexpr const char* TrickyNotes = "Line one\nLine two, with \"quotes\"";
    static constexpr const char* UnicodeNotes = "\u00dcber {braces} \\ \u0153uvre \u2713 \u5c71";

    void SetUp() override
    {
        XdgHomeTest::SetUp();
        m_savedSettings = FormatSettings();
        TFormatSettings settings = m_savedSettings;
        settings.ShortDateFormat = QStringLiteral("m/d/yyyy");
        settings.DateSeparator = QLatin1Char('/');
        settings.ShortTimeFormat = QStringLiteral("h:nn");
        settings.LongTimeFormat = QStringLiteral("hh:nn:ss");
        settings.TimeSeparator = QLatin1Char(':');
        settings.DecimalSeparator = QLatin1Char('.');
        SetFormatSettings(settings);

        CreateBook();
        m_table = std::make_unique<TTable>();
        m_table->SetDatabaseName(QStringLiteral("vantor"));
        m_table->SetTableName(QStringLiteral("gig.db"));
        m_table->Open();
        AddGig(EncodeDate(2024, 5, 3), QString::fromUtf8(TrickyVenue), [this] {
            Set("Gig time", EncodeTime(20, 30, 0, 0));
            Set("Gig length", 2.5);
            Set("Business name", QString::fromUtf8(TrickyBusiness));
            Set("Email address", QStringLiteral("booking@cafe-zurich.example"));
            Set("Gig state", QStringLiteral("ZH"));
            Set("Notes", QString::fromUtf8(TrickyNotes));
        });
        AddGig(EncodeDate(2024, 5, 10), QString(), [this] {
            Set("Gig length", 3.0);
            Set("Notes", QString::fromUtf8(UnicodeNotes));
        });
        AddGig(EncodeDate(2024, 5, 17), QStringLiteral("Plain Hall"),
               [this] { Set("Venue", QStringLiteral("Back door\r\nsecond floor")); });
        m_table->First();
    }
    void TearDown() override
    {
        m_table.reset();
        SetFormatSettings(m_savedSettings);
        XdgHomeTest::TearDown();
    }

    template <typename Fill> void AddGig(TDateTime date, const QString& venue, Fill fill)
    {
        m_table->Append();
        Set("Gig date", date);
        if (!venue.isEmpty()) Set("Gig venue", venue);
        fill();
        m_table->Post();
    }
    void Set(const char* field, const QVariant& value)
    {
        m_table->FieldByName(QString::fromLatin1(field))->SetAsVariant(value);
    }
    // Gigs on the days after the three above, for exports that must take a while.
    void AddManyGigs(int count)
    {
        for (int i = 0; i < count; ++i)
            AddGig(EncodeDate(2025, 1, 1) + i, QStringLiteral("Hall %1").arg(i), [this, i] {
                Set("Notes", QStringLiteral("Gig number %1 of a long season, with notes that "
                                            "fill the line")
                                 .arg(i));
            });
    }

    QString OutPath(const QString& name) const { return Under(QStringLiteral("out/") + name); }
    QString Export(TExportFormat format)
    {
        QDir().mkpath(Under(QStringLiteral("out")));
        const QString path = OutPath(QStringLiteral("gigs.") + ExportFormatKey(format));
        ExportDataSet(*m_table, format, GigBookExportOptions(), path);
        return path;
    }

public:
    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Runs a program and returns its standard output; fails the test on a non-zero exit.
    static QByteArray RunTool(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            ADD_FAILURE() << qPrintable(program)
                          << " failed: " << process.readAllStandardError().constData();
            return {};
        }
        return process.readAllStandardOutput();
    }
};

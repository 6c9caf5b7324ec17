// The export dialog driven headless: its window is filled and answered from a timer
// while Execute runs it modally, as a user would.
#include "exportfixture.h"
#include "platform/exportdialogform.h"
#include "platform/messages.h"
#include "platform/qexport3dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class ExportDialogTest : public ExportTest
{
protected:
    TQExport3Dialog* m_dialog = nullptr;
    QObject m_owner;

    void SetUp() override
    {
        ExportTest::SetUp();
        m_dialog = new TQExport3Dialog(&m_owner);
        m_dialog->SetDataSet(m_table.get());
        m_dialog->Options() = GigBookExportOptions();
        QDir().mkpath(Under(QStringLiteral("out")));
    }

    static TExportDialogForm* OpenForm()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* form = dynamic_cast<TExportDialogForm*>(widget); form && form->isVisible())
                return form;
        }
        return nullptr;
    }
    // Runs Execute while `user` acts on the dialog's window once it is shown.
    bool ExecuteWith(const std::function<void(TExportDialogForm&)>& user)
    {
        bool acted = false;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            TExportDialogForm* form = OpenForm();
            if (!form || acted) return;
            acted = true;
            user(*form);
        });
        timer.start();
        const bool written = m_dialog->Execute();
        EXPECT_TRUE(acted) << "the dialog was never shown";
        return written;
    }
    static void Type(TExportDialogForm& form, const QString& text)
    {
        auto* edit = form.findChild<QLineEdit*>(QStringLiteral("fileEdit"));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void Choose(TExportDialogForm& form, const char* radio)
    {
        auto* button = form.findChild<QRadioButton*>(QString::fromLatin1(radio));
        ASSERT_NE(button, nullptr) << radio;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    static void Press(TExportDialogForm& form, QDialogButtonBox::StandardButton which)
    {
        auto* box = form.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    }
    static QString FileText(TExportDialogForm& form)
    {
        return form.findChild<QLineEdit*>(QStringLiteral("fileEdit"))->text();
    }
    // Cancels the export's progress window the first time `when` holds for it.
    void CancelProgressWhen(const std::function<bool(QProgressDialog&)>& when)
    {
        m_dialog->SetProgressDelay(0);
        m_canceller.setInterval(0);
        QObject::connect(&m_canceller, &QTimer::timeout, [this, when] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(widget);
                if (!m_cancelled && progress &&
                    progress->objectName() == QLatin1String("exportProgress") &&
                    progress->isVisible() && when(*progress)) {
                    m_cancelled = true;
                    progress->cancel();
                }
            }
        });
        m_canceller.start();
    }
    bool OutIsEmpty() const
    {
        return QDir(Under(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden).isEmpty();
    }

    QTimer m_canceller;
    bool m_cancelled = false;
};

} // namespace

TEST_F(ExportDialogTest, PickingAFormatAndAFileWritesTheReportAndIsOfferedNextTime)
{
    const QString path = OutPath(QStringLiteral("report.html"));
    const bool written = ExecuteWith([&](TExportDialogForm& form) {
        EXPECT_TRUE(FileText(form).endsWith(QStringLiteral("gig.csv")))
            << qPrintable(FileText(form));
        Choose(form, "formatHtml");
        Type(form, path);
        Press(form, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(written);
    EXPECT_TRUE(ReadAll(path).contains("<td>Plain Hall</td>"));
    EXPECT_EQ(m_dialog->Format(), efHtml);
    EXPECT_EQ(m_dialog->FileName(), path);

    EXPECT_FALSE(ExecuteWith([&](TExportDialogForm& form) {
        EXPECT_TRUE(form.findChild<QRadioButton*>(QStringLiteral("formatHtml"))->isChecked());
        EXPECT_EQ(FileText(form), path);
        Press(form, QDialogButtonBox::Cancel);
    }));
}

TEST_F(ExportDialogTest, ChangingTheFormatChangesTheSuffixAndANameWithoutOneGetsIt)
{
    const bool written = ExecuteWith([&](TExportDialogForm& form) {
        Type(form, OutPath(QStringLiteral("season.csv")));
        Choose(form, "formatXlsx");
        EXPECT_EQ(FileText(form), OutPath(QStringLiteral("season.xlsx")));
        Choose(form, "formatRtf");
        EXPECT_EQ(FileText(form), OutPath(QStringLiteral("season.rtf")));
        Type(form, OutPath(QStringLiteral("plain")));
        Press(form, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(written);
    EXPECT_TRUE(ReadAll(OutPath(QStringLiteral("plain.rtf"))).startsWith("{\\rtf1"));
    EXPECT_EQ(TExportDialogForm::ResolvePath(QStringLiteral("a/b"), QStringLiteral("/docs"), efPdf),
              QStringLiteral("/docs/a/b.pdf"));
    EXPECT_EQ(TExportDialogForm::ResolvePath(QStringLiteral("  "), QStringLiteral("/docs"), efPdf),
              QString());
}

TEST_F(ExportDialogTest, AnEmptyFileNameIsAskedForAgainAndCancelWritesNothing)
{
    TMessageCapture messages;
    EXPECT_FALSE(ExecuteWith([&](TExportDialogForm& form) {
        form.findChild<QLineEdit*>(QStringLiteral("fileEdit"))->clear();
        Press(form, QDialogButtonBox::Ok);
        EXPECT_TRUE(form.isVisible());
        Type(form, OutPath(QStringLiteral("never.csv")));
        Press(form, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(messages.Messages(), QStringList{QStringLiteral("Choose the file to export to.")});
    EXPECT_FALSE(QFile::exists(OutPath(QStringLiteral("never.csv"))));
}

TEST_F(ExportDialogTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees)
{
    const QString path = OutPath(QStringLiteral("old.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    {
        TMessageCapture no(mrNo);
        const bool written = ExecuteWith([&](TExportDialogForm& form) {
            Type(form, path);
            Press(form, QDialogButtonBox::Ok);
            EXPECT_TRUE(form.isVisible()) << "the dialog stays for another name";
            Press(form, QDialogButtonBox::Cancel);
        });
        EXPECT_FALSE(written);
        ASSERT_EQ(no.Messages().size(), 1);
        EXPECT_TRUE(no.Last().contains(QStringLiteral("already exists")));
        EXPECT_EQ(ReadAll(path), QByteArray("old"));
    }
    TMessageCapture yes(mrYes);
    EXPECT_TRUE(ExecuteWith([&](TExportDialogForm& form) {
        Type(form, path);
        Press(form, QDialogButtonBox::Ok);
    }));
    EXPECT_TRUE(ReadAll(path).contains("Plain Hall"));
}

TEST_F(ExportDialogTest, AFailedExportShowsTheErrorAndReturnsFalse)
{
    TMessageCapture messages;
    const QString path = Under(QStringLiteral("nowhere/gigs.csv"));
    EXPECT_FALSE(ExecuteWith([&](TExportDialogForm& form) {
        Type(form, path);
        Press(form, QDialogButtonBox::Ok);
    }));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Last(),
              QStringLiteral("Cannot write the file '%1': the folder does not exist").arg(path));
}

TEST_F(ExportDialogTest, CancellingTheProgressWindowRemovesThePartialFile)
{
    AddManyGigs(400);
    CancelProgressWhen([](QProgressDialog& progress) { return progress.value() > 0; });
    TMessageCapture messages;
    EXPECT_FALSE(ExecuteWith([&](TExportDialogForm& form) {
        Type(form, OutPath(QStringLiteral("long.csv")));
        Press(form, QDialogButtonBox::Ok);
    }));
    EXPECT_TRUE(m_cancelled);
    EXPECT_TRUE(messages.Messages().isEmpty()) << "a cancel is the user's own choice";
    EXPECT_TRUE(OutIsEmpty());
}

TEST_F(ExportDialogTest, CancelWorksWhileThePdfPagesAreDrawn)
{
    AddManyGigs(150);
    const int records = 153;
    int cancelledAt = 0, maximum = 0;
    CancelProgressWhen([&](QProgressDialog& progress) {
        if (progress.value() <= records) return false;
        cancelledAt = progress.value();
        maximum = progress.maximum();
        return true;
    });
    TMessageCapture messages;
    EXPECT_FALSE(ExecuteWith([&](TExportDialogForm& form) {
        Choose(form, "formatPdf");
        Type(form, OutPath(QStringLiteral("long.pdf")));
        Press(form, QDialogButtonBox::Ok);
    }));
    EXPECT_GT(cancelledAt, records) << "the bar moves on while the pages are drawn";
    EXPECT_LT(cancelledAt, maximum);
    EXPECT_TRUE(messages.Messages().isEmpty());
    EXPECT_TRUE(OutIsEmpty());
}

TEST_F(ExportDialogTest, WithoutAnOpenTableTheDialogSaysSo)
{
    TMessageCapture messages;
    m_table->Close();
    EXPECT_FALSE(m_dialog->Execute());
    EXPECT_EQ(messages.Last(), QStringLiteral("Cannot export 'gig': the table is not open."));
    m_table.reset();
    EXPECT_EQ(m_dialog->DataSet(), nullptr) << "the reference is cleared when the table goes";
    EXPECT_FALSE(m_dialog->Execute());
    EXPECT_EQ(messages.Last(), QStringLiteral("There is no table to export."));
}

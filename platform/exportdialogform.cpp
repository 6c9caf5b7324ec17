#include "platform/exportdialogform.h"

#include "platform/messages.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const FormatObjectNames[ExportFormatCount] = {"formatCsv", "formatHtml", "formatRtf",
                                                          "formatPdf", "formatXlsx"};

bool HasFormatSuffix(const QString& path)
{
    TExportFormat ignored;
    return ExportFormatFromKey(QFileInfo(path).suffix(), ignored) ||
           QFileInfo(path).suffix().compare(QLatin1String("htm"), Qt::CaseInsensitive) == 0;
}

} // namespace

TExportDialogForm::TExportDialogForm(QWidget* parent, const QString& defaultFolder)
    : QDialog(parent), m_defaultFolder(defaultFolder)
{
    setObjectName(QStringLiteral("exportDialog"));
    setWindowTitle(QStringLiteral("Export"));

    auto* formatBox = new QGroupBox(QStringLiteral("Format"), this);
    auto* formatLayout = new QVBoxLayout(formatBox);
    m_formats = new QButtonGroup(this);
    for (int i = 0; i < ExportFormatCount; ++i) {
        auto* button = new QRadioButton(ExportFormatTitle(TExportFormat(i)), formatBox);
        button->setObjectName(QString::fromLatin1(FormatObjectNames[i]));
        m_formats->addButton(button, i);
        formatLayout->addWidget(button);
    }
    m_formats->button(efCsv)->setChecked(true);

    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    m_fileEdit = new QLineEdit(this);
    m_fileEdit->setObjectName(QStringLiteral("fileEdit"));
    m_fileEdit->setMinimumWidth(320);
    fileLabel->setBuddy(m_fileEdit);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("browseButton"));
    auto* fileLayout = new QHBoxLayout;
    fileLayout->addWidget(fileLabel);
    fileLayout->addWidget(m_fileEdit, 1);
    fileLayout->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatBox);
    layout->addLayout(fileLayout);
    layout->addWidget(buttons);

    connect(m_formats, &QButtonGroup::idClicked, this, [this] { FormatChanged(); });
    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TExportFormat TExportDialogForm::Format() const
{
    return TExportFormat(std::max(0, m_formats->checkedId()));
}

void TExportDialogForm::SetFormat(TExportFormat format)
{
    if (QAbstractButton* button = m_formats->button(format)) button->setChecked(true);
}

QString TExportDialogForm::FileText() const
{
    return m_fileEdit->text();
}

void TExportDialogForm::SetFileText(const QString& text)
{
    m_fileEdit->setText(text);
}

QString TExportDialogForm::ResolvePath(const QString& text, const QString& defaultFolder,
                                       TExportFormat format)
{
    QString path = QDir::fromNativeSeparators(text.trimmed());
    if (path.isEmpty()) return path;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (QDir::isRelativePath(path)) path = QDir(defaultFolder).filePath(path);
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + ExportFormatKey(format);
    return QDir::cleanPath(path);
}

// A file name that ends in another format's suffix follows the chosen format, so that
// the name does not lie about the content.
void TExportDialogForm::FormatChanged()
{
    const QString text = m_fileEdit->text().trimmed();
    if (text.isEmpty() || !HasFormatSuffix(text)) return;
    const QFileInfo info(text);
    const QString renamed =
        text.left(text.size() - info.suffix().size()) + ExportFormatKey(Format());
    m_fileEdit->setText(renamed);
}

// OK asks before replacing a file, so the file dialog does not ask as well.
void TExportDialogForm::Browse()
{
    const QString start =
        ResolvePath(m_fileEdit->text().isEmpty() ? QStringLiteral("report") : m_fileEdit->text(),
                    m_defaultFolder, Format());
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Export to"), start,
                                                        ExportFormatFilter(Format()), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty()) m_fileEdit->setText(QDir::toNativeSeparators(chosen));
}

void TExportDialogForm::accept()
{
    const QString path = ResolvePath(m_fileEdit->text(), m_defaultFolder, Format());
    if (path.isEmpty()) {
        MessageDlg(QStringLiteral("Choose the file to export to."), mtWarning, mbOK);
        m_fileEdit->setFocus();
        return;
    }
    if (QFileInfo(path).isDir()) {
        MessageDlg(QStringLiteral("'%1' is a folder. Choose a file name.")
                       .arg(QDir::toNativeSeparators(path)),
                   mtWarning, mbOK);
        m_fileEdit->setFocus();
        return;
    }
    if (QFileInfo::exists(path) &&
        MessageDlg(QStringLiteral("The file '%1' already exists. Do you want to replace it?")
                       .arg(QDir::toNativeSeparators(path)),
                   mtConfirmation, mbYes | mbNo) != mrYes)
        return;
    m_filePath = path;
    QDialog::accept();
}

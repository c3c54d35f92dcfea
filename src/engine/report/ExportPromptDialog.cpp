#include "engine/report/ExportPromptDialog.h"

#include "engine/report/ExportFormats.h"
#include "engine/seam/SeamErrors.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

namespace {
/// `path` with its extension replaced by `extension` (or given one).
QString withExtension(const QString &path, QStringView extension)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > nameStart ? path.left(dot) : path;
    return stem + u'.' + extension;
}
} // namespace

ExportPromptDialog::ExportPromptDialog(EngineExportOptions &options, QWidget *parent)
    : QDialog(parent), m_options(options)
{
    setWindowTitle(QStringLiteral("Exportar l'informe"));
    buildControls();
    presetFromOptions();
}

bool ExportPromptDialog::ask(EngineExportOptions &options)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        throw Failure(SeamErrors::ComponentUnavailable,
                      QStringLiteral("No es pot preguntar com exportar l'informe: el programa no té finestres."));
    ExportPromptDialog dialog(options, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void ExportPromptDialog::buildControls()
{
    m_format = new QComboBox(this);
    for (const ExportFormatInfo &format : exportFormats())
        m_format->addItem(format.caption.toString(), format.formatType);

    m_fileName = new QLineEdit(this);
    auto *browseButton = new QPushButton(QStringLiteral("Explorar..."), this);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browseButton);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_accept = buttons->button(QDialogButtonBox::Ok);
    m_accept->setText(QStringLiteral("Acceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·lar"));

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Format:"), m_format);
    form->addRow(QStringLiteral("Arxiu:"), fileRow);
    form->addRow(buttons);
    setMinimumWidth(420);

    connect(m_format, &QComboBox::currentIndexChanged, this, &ExportPromptDialog::followFormatInFileName);
    connect(m_fileName, &QLineEdit::textChanged, this, &ExportPromptDialog::updateAcceptButton);
    connect(browseButton, &QPushButton::clicked, this, &ExportPromptDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportPromptDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportPromptDialog::reject);
}

void ExportPromptDialog::presetFromOptions()
{
    const int known = m_format->findData(m_options.formatType());
    const QSignalBlocker keepName(m_format);
    m_format->setCurrentIndex(known >= 0 ? known : 0);
    m_fileName->setText(m_options.diskFileName());
    updateAcceptButton();
}

qint32 ExportPromptDialog::chosenFormatType() const
{
    return m_format->currentData().toInt();
}

void ExportPromptDialog::followFormatInFileName()
{
    const QString name = m_fileName->text();
    if (!name.trimmed().isEmpty())
        m_fileName->setText(withExtension(name, exportFormatByType(chosenFormatType())->extension));
}

void ExportPromptDialog::browse()
{
    const ExportFormatInfo *format = exportFormatByType(chosenFormatType());
    const QString filter = format->caption.toString() + QStringLiteral(" (*.") + format->extension + u')';
    const QString chosen = QFileDialog::getSaveFileName(this, windowTitle(), m_fileName->text(), filter);
    if (chosen.isEmpty())
        return;
    m_fileName->setText(chosen);
    m_confirmedPath = chosen;
}

void ExportPromptDialog::updateAcceptButton()
{
    m_accept->setEnabled(!m_fileName->text().trimmed().isEmpty());
}

bool ExportPromptDialog::mayWrite(const QString &path)
{
    if (path == m_confirmedPath || !QFileInfo::exists(path))
        return true;
    return QMessageBox::question(this, windowTitle(),
                                 QStringLiteral("L'arxiu %1 ja existeix. Es pot sobreescriure?").arg(path))
        == QMessageBox::Yes;
}

void ExportPromptDialog::accept()
{
    const QString path = m_fileName->text();
    if (path.trimmed().isEmpty() || !mayWrite(path))
        return;
    const qint32 formatType = chosenFormatType();
    m_options.setFormatType(formatType);
    m_options.setDestinationType(ExportDestination::DiskFile);
    m_options.setDiskFileName(path);
    if (formatType == ExportFormat::PDF) {
        m_options.setPdfFirstOption(2);
        m_options.setPdfSecondOption(2);
    }
    QDialog::accept();
}

} // namespace velmora

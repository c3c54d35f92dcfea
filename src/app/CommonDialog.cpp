#include "app/CommonDialog.h"

#include "app/FileDialogFilter.h"

#include <QFileDialog>

namespace velmora {

CommonDialog::CommonDialog() : m_chooser(&CommonDialog::showFileDialog) {}

void CommonDialog::setChooser(Chooser chooser)
{
    m_chooser = std::move(chooser);
}

void CommonDialog::setFilter(const QString &pipeFilter)
{
    m_filter = pipeFilter;
}

void CommonDialog::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

QString CommonDialog::fileName() const
{
    return m_fileName;
}

bool CommonDialog::showOpen(QWidget *owner)
{
    const std::optional<QString> chosen = m_chooser({owner, m_fileName, toQtNameFilters(m_filter)});
    if (!chosen)
        return false;
    m_fileName = *chosen;
    return true;
}

std::optional<QString> CommonDialog::showFileDialog(const OpenRequest &request)
{
    QFileDialog dialog(request.owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // AnyFile rather than ExistingFile: a name the user types is taken even
    // when no such file exists; opening it is what reports the fault.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.nameFilter);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace velmora

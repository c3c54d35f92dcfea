#include "engine/report/PrinterDialog.h"

#include <QApplication>
#include <QPrintDialog>

namespace velmora {

bool showPrinterDialog(QPrinter &printer, QWidget *owner, PrinterDialogPurpose purpose)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    QPrintDialog dialog(&printer, owner);
    if (purpose == PrinterDialogPurpose::Setup) {
        // Setting the printer up chooses where and on what paper, not which pages.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setWindowTitle(QStringLiteral("Configuració de la impressora"));
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace velmora

#include "engine/report/ReportPrinter.h"

#include "engine/report/PrinterPageSetup.h"

namespace velmora {

ReportPrinter::ReportPrinter(const EngineServices &services) : m_services(services) {}

ReportPrinter::~ReportPrinter() = default;

QString ReportPrinter::name() const
{
    if (!m_name)
        m_name = m_services.defaultPrinterName ? m_services.defaultPrinterName() : QString();
    return *m_name;
}

QPrinter &ReportPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

std::optional<PageSetup> ReportPrinter::choose(QWidget *owner, PrinterDialogPurpose purpose,
                                               const PageSetup &current)
{
    QPrinter &qprinter = printer();
    applyPageSetup(current, qprinter);
    if (!m_services.choosePrinter || !m_services.choosePrinter(qprinter, owner, purpose))
        return std::nullopt;
    // Printing to a file is no printer: the report then names none.
    m_name = qprinter.outputFormat() == QPrinter::NativeFormat ? qprinter.printerName() : QString();
    return pageSetupFromPrinter(qprinter, current);
}

} // namespace velmora

#pragma once

#include "engine/report/EngineServices.h"

#include <QPrinter>

#include <memory>
#include <optional>

namespace velmora {

/// A report's own printer settings: which printer, paper, orientation and
/// copies. The Qt printer behind them is made when first needed, so opening
/// a report never waits for the print system. Until the user has chosen a
/// printer, the name is the system's default printer (empty when the machine
/// has none).
class ReportPrinter {
public:
    explicit ReportPrinter(const EngineServices &services);
    ~ReportPrinter();

    QString name() const;

    /// Shows the printer dialog preset with `current`; on acceptance returns
    /// the page setup chosen there and keeps the chosen printer.
    std::optional<PageSetup> choose(QWidget *owner, PrinterDialogPurpose purpose, const PageSetup &current);

    QPrinter &printer();

private:
    const EngineServices &m_services;
    std::unique_ptr<QPrinter> m_printer;
    mutable std::optional<QString> m_name;
};

} // namespace velmora

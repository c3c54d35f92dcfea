#pragma once

#include "engine/report/ReportNode.h"

namespace velmora {

/// An opened report, or a subreport opened from it. Both walk their own
/// tables and sections; the export options, page setup, printer, layout and
/// printing belong to the whole report, so a subreport refuses to change
/// them and reads the main report's page setup.
class SessionReport : public EngineReport {
public:
    explicit SessionReport(ReportNode node);

    std::shared_ptr<EngineDatabase> database() override;
    std::vector<std::shared_ptr<EngineSection>> sections() override;
    std::shared_ptr<EngineExportOptions> exportOptions() override;
    void exportReport(bool prompt) override;
    void printerSetup(QWidget *owner) override;
    QString printerName() const override;

    QMargins pageMargins() const override;
    void setPageMargins(const QMargins &margins) override;
    QSize paperSize() const override;

    std::shared_ptr<PageSource> createPageSource() override;
    void print(QWidget *owner) override;

    void setParameterValue(const QString &name, const QString &text) override;
    QStringList parameterList() const override;
    bool askParameterValues(QWidget *owner) override;
    bool hasParameters() const override;

private:
    /// The node as it stands now: the main report's definition changes with
    /// its page setup.
    ReportNode currentNode() const;
    void requireWholeReport(const QString &operation) const;

    ReportNode m_node;
};

} // namespace velmora

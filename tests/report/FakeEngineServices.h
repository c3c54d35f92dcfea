#pragma once

// Engine services for the report object tests: a report definition built in
// the test instead of read from a file, and a layout, writer, painter and
// dialogs that only record what reaches them.

#include "engine/report/CreateReportEngine.h"

#include <QPrinter>

#include <optional>
#include <vector>

namespace velmora::testing {

/// Pages with nothing on them; enough to count what is printed.
class BlankPageSource : public PageSource {
public:
    explicit BlankPageSource(int pageCount) : m_pageCount(pageCount) {}
    int layOutUntil(int, const CancelToken &, const ProgressCallback &) override { return m_pageCount; }
    bool isComplete() const override { return true; }
    int pagesLaidOut() const override { return m_pageCount; }
    Page page(int index) const override
    {
        Page page;
        page.number = index + 1;
        return page;
    }
    std::vector<ContentsEntry> contents() const override { return {}; }
    qint64 recordCount() const override { return 0; }
    QString title() const override { return QStringLiteral("Vendes per país"); }

private:
    int m_pageCount;
};

/// What the fake services saw, shared with the test.
struct ServiceLog {
    ReportDefinition definition;
    std::vector<LayoutInput> layouts;
    std::vector<ExportJob> exports;
    std::vector<int> paintedPages;
    QString defaultPrinter = QStringLiteral("Impressora del sistema");
    /// What the printer dialog does: null means the user cancels.
    std::function<void(QPrinter &)> printerChoice;
    std::vector<PrinterDialogPurpose> printerDialogs;
    /// What the export prompt does: null means the user cancels.
    std::function<void(EngineExportOptions &)> exportChoice;
    int pageCount = 3;
};

inline EngineServices fakeServices(std::shared_ptr<ServiceLog> log)
{
    EngineServices services;
    services.loadDefinition = [log](const QString &) { return log->definition; };
    services.layOut = [log](LayoutInput input) {
        log->layouts.push_back(input);
        return ReportLayout{std::make_shared<BlankPageSource>(log->pageCount), nullptr};
    };
    services.runExport = [log](const ExportJob &job, const CancelToken &, const ProgressCallback &) {
        log->exports.push_back(job);
    };
    services.paintPage = [log](QPainter &, const Page &page, const QRectF &) {
        log->paintedPages.push_back(page.number);
    };
    services.defaultPrinterName = [log] { return log->defaultPrinter; };
    services.choosePrinter = [log](QPrinter &printer, QWidget *, PrinterDialogPurpose purpose) {
        log->printerDialogs.push_back(purpose);
        if (!log->printerChoice)
            return false;
        log->printerChoice(printer);
        return true;
    };
    services.askExportSettings = [log](EngineExportOptions &options) {
        if (!log->exportChoice)
            return false;
        log->exportChoice(options);
        return true;
    };
    return services;
}

inline TableDefinition table(const QString &name, const QString &alias = {})
{
    return {name, alias.isEmpty() ? name : alias};
}

inline ReportObject object(const QString &name, ReportObject::Kind kind)
{
    ReportObject o;
    o.name = name;
    o.kind = kind;
    return o;
}

inline ReportObject subreport(const QString &name, ReportDefinition definition)
{
    ReportObject o = object(name, ReportObject::Kind::Subreport);
    o.subreport = std::make_shared<ReportDefinition>(std::move(definition));
    return o;
}

inline SectionDefinition section(const QString &name, std::vector<ReportObject> objects = {})
{
    SectionDefinition s;
    s.name = name;
    s.objects = std::move(objects);
    return s;
}

/// Opens a report over `log`'s definition through the engine, as the
/// windows do.
inline std::shared_ptr<EngineReport> openFakeReport(const std::shared_ptr<ServiceLog> &log)
{
    return createReportEngine(fakeServices(log))->createApplication()->openReport(QStringLiteral("/informes/prova.rpt"));
}

/// Points every table of `report` at `path`.
inline void locateTables(EngineReport &report, const QString &path)
{
    for (const auto &t : report.database()->tables())
        t->setLocation(path);
}

/// Runs `call` and returns the number of the Failure it throws; 0 if none.
template<typename Call>
qint32 failureNumberOf(Call call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

} // namespace velmora::testing

#include "cli/BatchExport.h"

#include <optional>

namespace velmora {

namespace {
// The value the windows give both PDF options.
constexpr qint32 standardPdfOption = 2;

/// Points every table of `report` at the database and, when a password is
/// given, logs it on: the database password follows the line feed, with no
/// workgroup password before it.
void pointTables(EngineReport &report, const QString &databasePath, const std::optional<QString> &password)
{
    for (const auto &table : report.database()->tables()) {
        table->setLocation(databasePath);
        if (password)
            table->setLogOnInfo(QString(), u'\n' + *password);
    }
}

void locateSubreportTables(EngineReport &report, const QString &databasePath)
{
    for (const auto &section : report.sections())
        for (const auto &object : section->reportObjects())
            if (object->property(QStringLiteral("Kind")).toInt() == static_cast<int>(ReportObjectKind::Subreport))
                pointTables(*object->asSubreportObject()->openSubreport(), databasePath, std::nullopt);
}

void setExportOptions(EngineReport &report, const ExportCommandLine &command)
{
    const auto options = report.exportOptions();
    options->setFormatType(command.formatType);
    if (command.formatType == ExportFormat::PDF) {
        options->setPdfFirstOption(standardPdfOption);
        options->setPdfSecondOption(standardPdfOption);
    }
    options->setDestinationType(ExportDestination::DiskFile);
    options->setDiskFileName(command.outputPath);
}
} // namespace

void runBatchExport(ReportEngine &engine, const ExportCommandLine &command)
{
    const auto application = engine.createApplication();
    const auto report = application->openReport(command.reportPath);
    pointTables(*report, command.databasePath, command.password);
    locateSubreportTables(*report, command.databasePath);
    // After the tables: a pick list taken from the database is read to check a value.
    for (const ExportCommandLine::ParameterArgument &parameter : command.parameters)
        report->setParameterValue(parameter.name, parameter.value);
    setExportOptions(*report, command);
    report->exportReport(false);
}

QStringList listBatchParameters(ReportEngine &engine, const QString &reportPath)
{
    return engine.createApplication()->openReport(reportPath)->parameterList();
}

} // namespace velmora

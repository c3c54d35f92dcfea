#pragma once

// The layout engine's entry point: a report definition plus where its tables
// live becomes a PageSource (pages on demand) and a RecordTable (the detail
// records, for data exports). Nothing is read until the first page is asked
// for, so opening a report stays cheap.

#include "engine/definition/ReportDefinition.h"
#include "engine/page/PageSource.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <memory>

namespace velmora {

/// Where one table of the report reads its data.
struct TableLocation {
    QString databasePath;
    /// The database password (already taken from the logon text); empty when
    /// the table was given no logon: it then uses the password given to any
    /// other table of the same database file, as one open connection would.
    QString databasePassword;
    bool hasLogon = false;
};

struct LayoutInput {
    std::shared_ptr<const ReportDefinition> definition;
    /// Folder of the report file, for pictures named by relative path.
    QString reportDirectory;
    /// Keyed by table alias for the main report, and by
    /// "<subreport object name>/<alias>" for a subreport's tables.
    std::map<QString, TableLocation> tables;
    /// Parameter values by name; parameters not given take their defaults.
    ParameterValues parameters;
    /// What PrintDate and PrintTime show.
    QDateTime printTime = QDateTime::currentDateTime();
};

/// The laid-out report. Both views share one reading of the data.
struct ReportLayout {
    std::shared_ptr<PageSource> pages;
    std::shared_ptr<RecordTable> records;
};

/// Checks the definition against the formula language (syntax, references)
/// at once, and returns the report ready to lay out. Throws Failure.
ReportLayout createReportLayout(LayoutInput input);

} // namespace velmora

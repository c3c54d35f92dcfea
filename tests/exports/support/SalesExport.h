#pragma once

#include "ExpectedSales.h"
#include "engine/page/ExportFormat.h"
#include "SalesPages.h"
#include "ScratchFiles.h"

#include <map>
#include <optional>

namespace velmora::testing {

/// examples/vendes-per-pais.rpt over tests/data/empresa.mdb written in one
/// format, with what the file must show: the totals worked out from
/// mdb-export's CSV and the engine's own page count.
struct SalesExport {
    ExpectedSales expected;
    int pageCount = 0;
    QString file;

    /// Nothing when mdb-export is missing; throws Failure when the engine
    /// fails.
    static std::optional<SalesExport> write(qint32 formatType, const ScratchFiles &scratch, const QString &fileName);

    /// The same report limited by record selection to one country's sales:
    /// a few pages, for readers too slow for the whole report.
    static std::optional<SalesExport> writeCountry(const QString &country, qint32 formatType,
                                                   const ScratchFiles &scratch, const QString &fileName);
};

/// Empty when the grand total and every country's total were read back once
/// each with the expected values; otherwise what is wrong.
QString countryTotalsMismatch(const std::multimap<QString, PrintedTotals> &printed, const ExpectedSales &expected);

} // namespace velmora::testing

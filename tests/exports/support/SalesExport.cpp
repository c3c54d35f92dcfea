#include "SalesExport.h"

#include "ReportRun.h"
#include "TestData.h"

namespace velmora::testing {

namespace {
QString mismatch(const QString &name, const std::multimap<QString, PrintedTotals> &printed, const SalesTotals &wanted)
{
    if (printed.count(name) != 1)
        return QStringLiteral("«Total %1» read %2 times; ").arg(name).arg(printed.count(name));
    const PrintedTotals &found = printed.find(name)->second;
    if (!found.quantity || *found.quantity != wanted.quantity)
        return QStringLiteral("«Total %1» quantity %2, expected %3; ")
            .arg(name).arg(found.quantity.value_or(-1)).arg(wanted.quantity);
    if (!found.cents || !centsMatch(*found.cents, wanted.amountMillionths))
        return QStringLiteral("«Total %1» amount %2 cents, expected %3 millionths; ")
            .arg(name).arg(found.cents.value_or(-1)).arg(wanted.amountMillionths);
    return QString();
}
} // namespace

std::optional<SalesExport> SalesExport::write(qint32 formatType, const ScratchFiles &scratch, const QString &fileName)
{
    auto expected = ExpectedSales::compute(testDataPath(QStringLiteral("empresa.mdb")));
    if (!expected)
        return std::nullopt;
    ReportRun run(exampleReport(QStringLiteral("vendes-per-pais.rpt")), testDataPath(QStringLiteral("empresa.mdb")));
    SalesExport written{std::move(*expected), run.layOutAll()->pagesLaidOut(), scratch.path(fileName)};
    run.exportTo(formatType, written.file);
    return written;
}

QString countryTotalsMismatch(const std::multimap<QString, PrintedTotals> &printed, const ExpectedSales &expected)
{
    QString problems = mismatch(QStringLiteral("general"), printed, expected.grand);
    for (const auto &[country, totals] : expected.countries)
        problems += mismatch(country, printed, totals);
    return problems;
}

} // namespace velmora::testing

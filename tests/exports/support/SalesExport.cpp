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


SalesExport exportReport(const QString &reportPath, ExpectedSales expected, qint32 formatType, const QString &file)
{
    ReportRun run(reportPath, testDataPath(QStringLiteral("empresa.mdb")));
    SalesExport written{std::move(expected), run.layOutAll()->pagesLaidOut(), file};
    run.exportTo(formatType, written.file);
    return written;
}
} // namespace

std::optional<SalesExport> SalesExport::write(qint32 formatType, const ScratchFiles &scratch, const QString &fileName)
{
    auto expected = ExpectedSales::compute(testDataPath(QStringLiteral("empresa.mdb")));
    if (!expected)
        return std::nullopt;
    return exportReport(exampleReport(QStringLiteral("vendes-per-pais.rpt")), std::move(*expected), formatType,
                        scratch.path(fileName));
}

std::optional<SalesExport> SalesExport::writeCountry(const QString &country, qint32 formatType,
                                                     const ScratchFiles &scratch, const QString &fileName)
{
    const auto expected = ExpectedSales::compute(testDataPath(QStringLiteral("empresa.mdb")));
    const QString report = scratch.editedExample(
        QStringLiteral("vendes-per-pais.rpt"), QStringLiteral("  <sorts>"),
        QStringLiteral("  <recordSelection>{Clients.Pais} = \"%1\"</recordSelection>\n  <sorts>").arg(country));
    if (!expected || report.isEmpty())
        return std::nullopt;
    return exportReport(report, expected->onlyCountry(country), formatType, scratch.path(fileName));
}

QString countryTotalsMismatch(const std::multimap<QString, PrintedTotals> &printed, const ExpectedSales &expected)
{
    QString problems = mismatch(QStringLiteral("general"), printed, expected.grand);
    for (const auto &[country, totals] : expected.countries)
        problems += mismatch(country, printed, totals);
    return problems;
}

} // namespace velmora::testing

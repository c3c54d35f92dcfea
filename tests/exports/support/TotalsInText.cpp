#include "TotalsInText.h"

#include "AccessCsv.h"

#include <QRegularExpression>

namespace velmora::testing {

std::multimap<QString, PrintedTotals> totalsInLines(const QStringList &lines)
{
    static const QRegularExpression totalLine(
        QStringLiteral(R"(Total (\S(?:.*\S)?)\s+(-?[\d.]+)\s+(-?[\d.]+,\d\d)\s*$)"));
    std::multimap<QString, PrintedTotals> totals;
    for (const QString &line : lines) {
        const auto match = totalLine.match(line);
        if (match.hasMatch())
            totals.emplace(match.captured(1),
                           PrintedTotals{parseCatalanNumber(match.captured(2), 0),
                                         parseCatalanNumber(match.captured(3), 2)});
    }
    return totals;
}

} // namespace velmora::testing

#include "engine/writers/WorkbookSink.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
/// A digit of 10-point Arial is 111 twips wide, plus Excel's cell padding.
constexpr double twipsPerDigit = 111.0;
} // namespace

quint16 WorkbookSink::widthFromTwips(int twips)
{
    return quint16(std::clamp(std::lround(twips / twipsPerDigit * 256.0 + 182), 256L, 65280L));
}

QString WorkbookSink::safeSheetName(const QString &name)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString safe = name;
    safe.replace(forbidden, QStringLiteral("_"));
    return safe.left(31).isEmpty() ? QStringLiteral("Full") : safe.left(31);
}

} // namespace velmora

#include "CatalanOrder.h"

namespace velmora::testing {

QString catalanPrimaryKey(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c == QChar(0x00B7) || c == QChar(0x0387))
            continue;
        key += c.toLower();
    }
    return key;
}

bool catalanMayPrecede(const QString &a, const QString &b)
{
    return catalanPrimaryKey(a) <= catalanPrimaryKey(b);
}

} // namespace velmora::testing

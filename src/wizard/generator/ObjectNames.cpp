#include "wizard/generator/ObjectNames.h"

namespace velmora::wizard {

QString joinedWords(const QString &text)
{
    const QString plain = text.normalized(QString::NormalizationForm_D);
    QString joined;
    bool startWord = true;
    for (const QChar c : plain) {
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            joined += startWord ? c.toUpper() : c;
            startWord = false;
        } else if (c.category() != QChar::Mark_NonSpacing) {
            startWord = true;
        }
    }
    return joined;
}

QString ObjectNames::take(const QString &base)
{
    QString stem = joinedWords(base);
    if (stem.isEmpty())
        stem = QStringLiteral("Objecte");
    QString name = stem;
    for (int n = 2; m_used.contains(name.toLower()); ++n)
        name = stem + QString::number(n);
    m_used.insert(name.toLower());
    return name;
}

} // namespace velmora::wizard

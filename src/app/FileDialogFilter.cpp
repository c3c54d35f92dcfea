#include "app/FileDialogFilter.h"

#include <QStringList>

namespace velmora {

namespace {

QString qtEntry(const QString &description, const QString &patterns)
{
    const QString qtPatterns = patterns.split(u';', Qt::SkipEmptyParts).join(u' ');
    const QString bracketed = u'(' + qtPatterns + u')';
    // QFileDialog filters by the text in the last brackets, so those must
    // hold the patterns and nothing else.
    if (description.endsWith(bracketed))
        return description;
    return description + u" " + bracketed;
}

} // namespace

QString toQtNameFilters(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : QStringLiteral("*");
        entries.append(qtEntry(parts.at(i), patterns));
    }
    return entries.join(u";;");
}

} // namespace velmora

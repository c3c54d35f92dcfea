#include "export/FileNameRules.h"

#include <algorithm>

namespace velmora {

QString FileNameRules::forbiddenCharacters()
{
    return QStringLiteral("\\/:*?<>|\"");
}

QString FileNameRules::withExtensionOf(const QString &name, const ExportFormatEntry &chosen)
{
    const QString ending = name.right(4).toUpper();
    if (ending == chosen.ending)
        return name;
    if (const ExportFormatEntry *other = ExportFormatTable::findByEnding(ending))
        return QString(name).replace(other->extension, chosen.extension, Qt::CaseInsensitive);
    return name + chosen.extension;
}

QString FileNameRules::withDoubleStopsCollapsed(const QString &name)
{
    return QString(name).replace(QStringLiteral(".."), QStringLiteral("."));
}

bool FileNameRules::holdsForbiddenCharacter(const QString &name)
{
    const QString forbidden = forbiddenCharacters();
    return std::any_of(forbidden.begin(), forbidden.end(),
                       [&](QChar c) { return name.contains(c); });
}

} // namespace velmora

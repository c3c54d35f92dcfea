#include "app/ProgramStart.h"

#include "app/VersionInfo.h"

#include <QFileInfo>

namespace velmora {

ProgramStart ProgramStart::fromArguments(const QStringList &arguments)
{
    ProgramStart start;
    if (!arguments.isEmpty())
        start.executableName = QFileInfo(arguments.constFirst()).completeBaseName();
    // A process may be started with no name at all; an empty name would file
    // the remembered paths under no application.
    if (start.executableName.isEmpty())
        start.executableName = VersionInfo::current().productName;
    start.argumentText = arguments.mid(1).join(u' ');
    return start;
}

} // namespace velmora

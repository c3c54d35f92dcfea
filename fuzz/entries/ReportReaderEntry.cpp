#include "FuzzEntries.h"

#include "engine/definition/ReportReader.h"

#include <QDir>

namespace velmora::fuzzing {

void readReport(const QByteArray &input)
{
    // Pictures named by path are looked for in an empty folder, so no input
    // can make the reader open a real file of the machine.
    readReportText(input, QDir::tempPath() + QStringLiteral("/velmora-fuzz-no-pictures"));
}

} // namespace velmora::fuzzing

#include "FuzzEntries.h"

#include "app/CommandLine.h"

namespace velmora::fuzzing {

void parseCommandLine(const QByteArray &input)
{
    const QString text = QString::fromUtf8(input);
    const CommandLine values = CommandLine::parse(text);
    // Every value is cut from the argument text, so none can be longer.
    for (const QString *value : {&values.report, &values.database, &values.password})
        if (value->size() > text.size())
            throw BrokenPromise("a command-line value is longer than the argument text");
}

} // namespace velmora::fuzzing

#pragma once

#include <QString>
#include <QtGlobal>

namespace velmora::testing {

/// A file of tests/data (the small fixtures copied into the repository).
inline QString testDataPath(const QString &name)
{
    return qEnvironmentVariable("VELMORA_TEST_DATA") + u'/' + name;
}

/// A file of the source tree (examples/, docs/).
inline QString sourcePath(const QString &relative)
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR") + u'/' + relative;
}

} // namespace velmora::testing

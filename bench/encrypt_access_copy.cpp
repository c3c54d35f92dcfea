// Writes an agile-encrypted copy of a plain Jet 4 or ACE file, for timing
// the reader over an encrypted gran.mdb.
//   encrypt_access_copy SOURCE TARGET PASSWORD

#include "AgileEncryptedCopy.h"

#include "engine/core/Failure.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: encrypt_access_copy SOURCE TARGET PASSWORD\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(source)) {
        std::printf("%s is absent: nothing to encrypt.\n", argv[1]);
        return 0;
    }
    try {
        velmora::bench::writeAgileEncryptedCopy(source, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    } catch (const velmora::Failure &failure) {
        std::fprintf(stderr, "failure %d: %s\n", failure.number(), qPrintable(failure.description()));
        return 1;
    }
    return 0;
}

#include "AccessReading.h"
#include "FuzzEntries.h"
#include "PatchedInput.h"

#include <array>

namespace velmora::fuzzing {

namespace {

struct EncryptedBase {
    const char *file;
    const char *password;
};

// One file of each encryption kind the reader knows, each opened with its
// own password so that a patch past the verifier reaches the pages too.
constexpr std::array<EncryptedBase, 4> baseFiles{{
    {"db2007-oldenc.accdb", "Test123"},
    {"db2007-enc.accdb", "Test123"},
    {"db2013-enc.accdb", "1234"},
    {"db-nonstandard.accdb", "password"},
}};

const EncryptedBase &baseFor(unsigned char choice)
{
    return baseFiles[choice % baseFiles.size()];
}

} // namespace

// The patches are meant for the encryption header and verifier at 0x299
// of page 0; a whole-file input is tried with the first base's password.
void readEncryptedAccessFile(const QByteArray &input)
{
    const unsigned char first = input.isEmpty() ? 0 : static_cast<unsigned char>(input[0]);
    const EncryptedBase &base = baseFor(first == 0 ? 0 : first - 1);
    const QString path = writeScratchAccessFile(
        patchedInput(input, [](unsigned char choice) { return accessBaseFile(baseFor(choice).file); }));
    readEveryColumnOfEveryTable(*AccessDatabase::open(path, QString::fromLatin1(base.password)));
}

} // namespace velmora::fuzzing

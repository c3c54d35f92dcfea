#include "AccessReading.h"
#include "FuzzEntries.h"
#include "PatchedInput.h"

#include <array>

namespace velmora::fuzzing {

namespace {

// Small real files the input may start from. An Access file is tens of
// kilobytes before its first user table, which blind mutation of whole
// files would rarely get past; patching a real file reaches every page
// libmdb and the page reader parse, with inputs of a few bytes.
constexpr std::array<const char *, 4> baseFiles{"charsetGBK.mdb", "testV1997.mdb", "db97-enc.mdb", "db-enc.mdb"};

} // namespace

// Opens the file with no password and reads every column of every table.
void readAccessFile(const QByteArray &input)
{
    const QString path = writeScratchAccessFile(
        patchedInput(input, [](unsigned char choice) { return accessBaseFile(baseFiles[choice % baseFiles.size()]); }));
    readEveryColumnOfEveryTable(*AccessDatabase::open(path, QString()));
}

} // namespace velmora::fuzzing

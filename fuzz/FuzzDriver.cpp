// libFuzzer's side of one fuzz target. A Failure is the program refusing bad
// input properly; anything else escapes and libFuzzer reports it as a crash.

#include "FuzzEntries.h"

#include "engine/core/Failure.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        velmora::fuzzing::VELMORA_FUZZ_ENTRY(input);
    } catch (const velmora::Failure &) {
    }
    return 0;
}

#pragma once

#include <cstdio>

namespace velmora {

class PageReader;

/// A read-only stdio stream over a PageReader, so that libmdb reads the
/// same revealed, bounds-checked pages as the rest of the data layer
/// instead of the raw file (which it cannot decrypt). The reader must
/// outlive the stream. A page the reader refuses reads as an I/O error.
namespace LibmdbPageStream {

/// Null when the C library cannot make the stream.
std::FILE *open(PageReader &pages);

} // namespace LibmdbPageStream
} // namespace velmora

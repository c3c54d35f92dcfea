#pragma once

#include "engine/data/AccessFormat.h"

namespace velmora {

class PageReader;

/// The database's own map of free pages (the first row of page 1, an inline
/// or reference usage map whose set bits are free pages). A page it shows in
/// use beyond the end of the file means the file was cut short, even where
/// the missing pages hold only indexes that a table read never visits.
class FreePageMap {
public:
    /// Throws Failure 3004 when a page in use lies beyond the end of the file.
    static void checkFileIsWhole(PageReader &pages, AccessFormat format);
};

} // namespace velmora

#pragma once

#include "engine/definition/XmlWalker.h"

#include <QString>

namespace velmora {

/// What every part of the reader shares while one report file is read: the
/// walk through its elements, the folder that picture paths are relative
/// to, and how deep in subreports the current element lies.
struct ReaderContext {
    XmlWalker &walker;
    QString baseDir;
    int depth = 0; ///< 0 for the main report
};

} // namespace velmora

#pragma once

#include <QString>

/// The program-wide values of the windows.
namespace velmora::modCR9 {

/// The folder travelling between the export dialog's folder procedure and
/// the folder chooser: the start folder on the way in, the chosen folder
/// (or nothing) on the way out.
extern QString gsCarpeta;

} // namespace velmora::modCR9

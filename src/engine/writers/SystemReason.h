#pragma once

#include <QString>

namespace velmora {

/// Why a file operation failed, in Catalan, from the system's error number;
/// `fallback` (the library's own, often English, text) for errors a user
/// cannot act on differently.
QString systemReason(int errorNumber, const QString &fallback);

} // namespace velmora

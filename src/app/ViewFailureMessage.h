#pragma once

#include "export/MessageBoxRequest.h"

#include <exception>

namespace velmora {

/// The message box that tells the user why a report could not be shown:
/// the failure's number in signed decimal, a line break ("\r\n") and its
/// description; OK only, no icon, titled "Velmora". Anything thrown that is
/// not one of the program's failures is described as untrapped failures are.
MessageBoxRequest viewFailureMessage(std::exception_ptr failure);

} // namespace velmora

#pragma once

namespace velmora {

/// Makes the pictures built into the program reachable under ":/". They
/// live in a static library, whose registration the linker would otherwise
/// drop; safe to call any number of times.
void initResources();

} // namespace velmora

#include "export/modCR9.h"

namespace velmora::modCR9 {

QString gsCarpeta;

} // namespace velmora::modCR9

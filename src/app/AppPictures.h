#pragma once

#include <QIcon>

namespace velmora {

/// The program's icon, for every window that shows one.
QIcon applicationIcon();

/// The view button's picture: a page under a magnifying glass, 32 x 32.
QIcon viewButtonPicture();

} // namespace velmora

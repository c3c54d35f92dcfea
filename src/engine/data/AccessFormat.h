#pragma once

namespace velmora {

/// The generations of Access files this layer reads. They differ in page
/// size, text encoding and where the header keeps the password.
enum class AccessFormat {
    Jet3, ///< Access 97: 2 KB pages, text in the file's code page
    Jet4, ///< Access 2000-2003: 4 KB pages, UTF-16 text
    Ace,  ///< Access 2007 and later (.accdb): laid out as Jet 4
};

} // namespace velmora

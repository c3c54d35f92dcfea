#pragma once

class QCoreApplication;

namespace velmora {

/// Loads Qt's own Catalan texts (standard buttons, file dialog) into the
/// application. Without them installed Qt speaks English; that is not an
/// error worth stopping for.
void installCatalanQtTranslations(QCoreApplication &application);

} // namespace velmora

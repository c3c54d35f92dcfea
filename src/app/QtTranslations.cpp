#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace velmora {

void installCatalanQtTranslations(QCoreApplication &application)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ca"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qWarning("Qt's Catalan translations (qtbase_ca.qm) are not installed.");
        return;
    }
    translator->setParent(&application);
    QCoreApplication::installTranslator(translator.release());
}

} // namespace velmora

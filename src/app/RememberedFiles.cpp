#include "app/RememberedFiles.h"

#include "app/PlatformErrors.h"
#include "engine/core/Failure.h"

#include <QSettings>

namespace velmora {

namespace {

QString settingsKey(const QString &key)
{
    return u"Settings/" + key;
}

} // namespace

RememberedFiles::RememberedFiles(QString applicationName)
    : m_applicationName(std::move(applicationName))
{
}

QString RememberedFiles::read(const QString &key) const
{
    const QSettings store(QSettings::UserScope, m_applicationName, m_applicationName);
    return store.value(settingsKey(key)).toString();
}

void RememberedFiles::remember(const QString &key, const QString &path) const
{
    if (path.isEmpty())
        return;
    QSettings store(QSettings::UserScope, m_applicationName, m_applicationName);
    store.setValue(settingsKey(key), path);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw Failure(PlatformErrors::SettingsNotSaved,
                      QStringLiteral("No s'ha pogut desar l'arxiu triat a %1.").arg(store.fileName()));
}

} // namespace velmora

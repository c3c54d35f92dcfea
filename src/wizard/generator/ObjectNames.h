#pragma once

#include <QSet>
#include <QString>

namespace velmora::wizard {

/// Readable object and section names, each used once in a report:
/// "Titol", "TitolPreuUnitari", "SumaQuantitatPais"; a second "Titol"
/// becomes "Titol2". Accents and signs are dropped, so that a person
/// editing the file finds plain words.
class ObjectNames {
public:
    QString take(const QString &base);

private:
    QSet<QString> m_used;
};

/// The words of `text` run together, each with a capital: "Preu unitari" gives "PreuUnitari".
QString joinedWords(const QString &text);

} // namespace velmora::wizard

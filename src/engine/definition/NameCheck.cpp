#include "engine/definition/NameCheck.h"

#include "engine/definition/DefinitionErrors.h"

namespace velmora {

QString readName(AttributeReader &attributes, QStringView attribute)
{
    const QString name = attributes.required(attribute);
    if (name.trimmed().isEmpty() || name.contains(u'{') || name.contains(u'}') || name.trimmed() != name)
        attributes.fail(DefinitionErrors::BadName,
                        QStringLiteral("el nom «%1» de <%2> no és vàlid: no pot ser buit, començar o acabar amb "
                                       "espais, ni contenir claus { }.")
                            .arg(name, attributes.elementName()));
    return name;
}

void refuseDuplicate(const AttributeReader &attributes, bool alreadyUsed, qint32 number, const QString &what,
                     const QString &name)
{
    if (alreadyUsed)
        attributes.fail(number, QStringLiteral("%1 «%2» ja s'ha declarat abans; els noms han de ser únics.")
                                    .arg(what, name));
}

} // namespace velmora

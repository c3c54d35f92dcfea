#include "engine/definition/ReferenceReader.h"

#include "engine/definition/DefinitionErrors.h"

#include <QRegularExpression>

#include <algorithm>

namespace velmora {

using namespace DefinitionErrors;

namespace {

QString kindWords(FieldRef::Kind kind)
{
    switch (kind) {
    case FieldRef::Kind::Database: return QStringLiteral("un camp de la base de dades");
    case FieldRef::Kind::Formula: return QStringLiteral("una fórmula");
    case FieldRef::Kind::Parameter: return QStringLiteral("un paràmetre");
    case FieldRef::Kind::RunningTotal: return QStringLiteral("un total acumulat");
    case FieldRef::Kind::Special: return QStringLiteral("un camp especial");
    case FieldRef::Kind::Summary: return QStringLiteral("un resum");
    }
    return QString();
}

FieldRef namedRef(FieldRef::Kind kind, const QString &name)
{
    FieldRef ref;
    ref.kind = kind;
    ref.name = name;
    return ref;
}

} // namespace

FieldRef ReferenceReader::parse(const AttributeReader &attributes, QStringView name, const QString &text) const
{
    if (const auto special = valueOf(specialFieldNames(), text)) {
        FieldRef ref;
        ref.kind = FieldRef::Kind::Special;
        ref.special = *special;
        return ref;
    }
    const bool braced = text.size() > 2 && text.startsWith(u'{') && text.endsWith(u'}');
    const QString inner = braced ? text.mid(1, text.size() - 2) : QString();
    const QString rest = inner.mid(1);
    const bool validName = !rest.isEmpty() && !rest.contains(u'{') && !rest.contains(u'}');
    if (braced && validName && inner.startsWith(u'@'))
        return namedRef(FieldRef::Kind::Formula, rest);
    if (braced && validName && inner.startsWith(u'?'))
        return namedRef(FieldRef::Kind::Parameter, rest);
    if (braced && validName && inner.startsWith(u'#'))
        return namedRef(FieldRef::Kind::RunningTotal, rest);
    const qsizetype dot = inner.indexOf(u'.');
    if (braced && dot > 0 && dot < inner.size() - 1 && !inner.contains(u'{') && !inner.contains(u'}')) {
        FieldRef ref = namedRef(FieldRef::Kind::Database, inner.mid(dot + 1));
        ref.table = inner.left(dot);
        return ref;
    }
    attributes.fail(BadReference,
                    QStringLiteral("l'atribut «%1» de <%2> ha de ser una referència com {Taula.Camp}, {@Fórmula}, "
                                   "{?Paràmetre}, {#Total} o un camp especial (PageNumber...), no «%3».")
                        .arg(name.toString(), attributes.elementName(), text));
}

void ReferenceReader::checkDeclared(const AttributeReader &attributes, const FieldRef &field,
                                    const QString &text) const
{
    auto failUnknown = [&](qint32 number, const QString &message) { attributes.fail(number, message.arg(text)); };
    switch (field.kind) {
    case FieldRef::Kind::Database:
        if (!m_scope.tableByAlias(field.table))
            attributes.fail(UnknownTable, QStringLiteral("la taula «%1» de %2 no està declarada a <tables>.")
                                              .arg(field.table, text));
        break;
    case FieldRef::Kind::Formula:
        if (!m_scope.formula(field.name))
            failUnknown(UnknownFormula, QStringLiteral("la fórmula %1 no està declarada a l'informe."));
        break;
    case FieldRef::Kind::Parameter:
        if (!m_scope.parameter(field.name))
            failUnknown(UnknownParameter, QStringLiteral("el paràmetre %1 no està declarat a l'informe."));
        break;
    case FieldRef::Kind::RunningTotal:
        if (!m_scope.runningTotal(field.name))
            failUnknown(UnknownRunningTotal, QStringLiteral("el total acumulat %1 no està declarat a l'informe."));
        break;
    case FieldRef::Kind::Special:
    case FieldRef::Kind::Summary: break;
    }
}

FieldRef ReferenceReader::field(AttributeReader &attributes, QStringView name, Kinds allowed) const
{
    const QString text = attributes.required(name);
    FieldRef ref = parse(attributes, name, text);
    if (std::find(allowed.begin(), allowed.end(), ref.kind) == allowed.end()) {
        QStringList words;
        for (const auto kind : allowed)
            words << kindWords(kind);
        attributes.fail(WrongReferenceKind, QStringLiteral("l'atribut «%1» de <%2> no pot ser %3 (%4); ha de ser %5.")
                                                .arg(name.toString(), attributes.elementName(), kindWords(ref.kind),
                                                     text, words.join(QLatin1String(" o "))));
    }
    checkDeclared(attributes, ref, text);
    return ref;
}

int ReferenceReader::groupLevel(AttributeReader &attributes, QStringView name, QStringView noneWord,
                                int fallback) const
{
    const auto text = attributes.optional(name);
    if (!text)
        return fallback;
    if (!noneWord.isEmpty() && *text == noneWord)
        return -1;
    const int groupCount = int(m_scope.groups.size());
    static const QRegularExpression groupNumberPattern(QStringLiteral("^[0-9]{1,6}$"));
    if (groupNumberPattern.match(*text).hasMatch()) {
        const int number = text->toInt();
        if (number < 1 || number > groupCount)
            attributes.fail(GroupOutOfRange, QStringLiteral("l'atribut «%1» de <%2> nomena el grup %3, però "
                                                            "l'informe té %4 grups (numerats des de 1).")
                                                 .arg(name.toString(), attributes.elementName(), *text,
                                                      QString::number(groupCount)));
        return number - 1;
    }
    if (text->startsWith(u'{')) {
        const FieldRef ref = parse(attributes, name, *text);
        for (int level = 0; level < groupCount; ++level) {
            if (m_scope.groups[size_t(level)].field == ref)
                return level;
        }
    }
    const QString alternatives =
        noneWord.isEmpty() ? QString() : QStringLiteral(" (o ser «%1»)").arg(noneWord.toString());
    attributes.fail(UnknownGroup, QStringLiteral("l'atribut «%1» de <%2> ha de nomenar un grup pel seu número "
                                                 "(1 el més extern) o pel seu camp%3; cap grup no és «%4».")
                                      .arg(name.toString(), attributes.elementName(), alternatives, *text));
}

} // namespace velmora

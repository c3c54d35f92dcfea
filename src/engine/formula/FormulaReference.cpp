#include "engine/formula/FormulaReference.h"

namespace velmora {

QString FormulaReference::toText() const
{
    switch (kind) {
    case Kind::Field: return u'{' + table + u'.' + name + u'}';
    case Kind::Formula: return QStringLiteral("{@") + name + u'}';
    case Kind::Parameter: return QStringLiteral("{?") + name + u'}';
    case Kind::RunningTotal: return QStringLiteral("{#") + name + u'}';
    }
    return QString();
}

} // namespace velmora

#include "export/CompactComboStyle.h"

namespace velmora {

CompactComboStyle::CompactComboStyle(QObject *owner) : QProxyStyle()
{
    setParent(owner);
}

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                        SubControl part, const QWidget *widget) const
{
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox)
        return rect;
    const int spare = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget).width() - arrowWidth;
    if (spare <= 0)
        return rect;
    if (part == SC_ComboBoxArrow)
        return rect.adjusted(spare, 0, 0, 0);
    if (part == SC_ComboBoxEditField)
        return rect.adjusted(0, 0, spare, 0);
    return rect;
}

} // namespace velmora

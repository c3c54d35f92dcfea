#include "app/PasswordCharacterStyle.h"

#include <QApplication>

namespace velmora {

PasswordCharacterStyle::PasswordCharacterStyle(QChar passwordCharacter, QObject *parent)
    // QProxyStyle takes ownership of the style it wraps, so it gets its own
    // copy of the application's style rather than the shared one.
    : QProxyStyle(QApplication::style()->name()), m_passwordCharacter(passwordCharacter)
{
    setParent(parent);
}

int PasswordCharacterStyle::styleHint(StyleHint hint, const QStyleOption *option,
                                      const QWidget *widget, QStyleHintReturn *returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter)
        return m_passwordCharacter.unicode();
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace velmora

#pragma once

#include <QChar>
#include <QProxyStyle>

namespace velmora {

/// A style that masks password text with a chosen character instead of the
/// platform's bullet; everything else is the application's style.
class PasswordCharacterStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit PasswordCharacterStyle(QChar passwordCharacter, QObject *parent = nullptr);

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;

private:
    QChar m_passwordCharacter;
};

} // namespace velmora

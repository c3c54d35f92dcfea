#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <exception>

namespace velmora {

/// The one failure type of the program: a signed 32-bit number and a Catalan
/// description, as the windows show them. Every engine operation and every
/// platform call that can fail raises this, never anything else.
/// Number ranges are listed in docs/errors.md.
class Failure : public std::exception {
public:
    Failure(qint32 number, QString description);

    qint32 number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    qint32 m_number;
    QString m_description;
    QByteArray m_utf8;
};

/// The failure a caught exception stands for: a Failure as it is, anything
/// else as `unexpectedNumber` with what is known of it ("Error inesperat").
Failure failureFrom(std::exception_ptr caught, qint32 unexpectedNumber);

} // namespace velmora

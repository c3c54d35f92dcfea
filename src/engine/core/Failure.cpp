#include "engine/core/Failure.h"

namespace velmora {

Failure::Failure(qint32 number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_utf8(QByteArray::number(number) + ' ' + m_description.toUtf8())
{
}

Failure failureFrom(std::exception_ptr caught, qint32 unexpectedNumber)
{
    try {
        std::rethrow_exception(caught);
    } catch (const Failure &known) {
        return known;
    } catch (const std::exception &other) {
        return Failure(unexpectedNumber, QStringLiteral("Error inesperat: %1").arg(QString::fromLocal8Bit(other.what())));
    } catch (...) {
        return Failure(unexpectedNumber, QStringLiteral("Error inesperat."));
    }
}

} // namespace velmora

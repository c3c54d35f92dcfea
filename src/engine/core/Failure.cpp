#include "engine/core/Failure.h"

namespace velmora {

Failure::Failure(qint32 number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_utf8(QByteArray::number(number) + ' ' + m_description.toUtf8())
{
}

} // namespace velmora

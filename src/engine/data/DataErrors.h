#pragma once

#include "engine/core/Failure.h"
#include "engine/seam/SeamErrors.h"

#include <QString>
#include <QtGlobal>

namespace velmora::DataErrors {
// 3000-3999: Access databases (docs/data.md lists the texts)
constexpr qint32 FileMissing = 3001;
constexpr qint32 FileUnreadable = 3002;
constexpr qint32 NotAnAccessFile = 3003;
constexpr qint32 DamagedFile = 3004;
constexpr qint32 WrongPassword = 3005;
constexpr qint32 UnsupportedFormat = 3006;
constexpr qint32 UnsupportedEncryption = 3007;
constexpr qint32 UnknownTable = 3010;
constexpr qint32 UnknownColumn = 3011;
constexpr qint32 UnknownAlias = 3020;
constexpr qint32 UnknownJoinField = 3021;
constexpr qint32 MismatchedJoinFields = 3022;
constexpr qint32 UnlinkedTable = 3023;
constexpr qint32 DuplicateAlias = 3024;

inline Failure notAnAccessFile(const QString &fileName)
{
    return Failure(NotAnAccessFile, QStringLiteral("El fitxer «%1» no és una base de dades d'Access.").arg(fileName));
}

inline Failure damagedFile(const QString &fileName, const QString &detail)
{
    return Failure(DamagedFile, QStringLiteral("La base de dades «%1» està malmesa o incompleta: %2.").arg(fileName, detail));
}

inline Failure unsupportedEncryption(const QString &fileName, const QString &what)
{
    return Failure(UnsupportedEncryption,
                   QStringLiteral("La base de dades «%1» està xifrada d'una manera que no es pot llegir: %2.")
                       .arg(fileName, what));
}

inline Failure wrongPassword(const QString &fileName)
{
    return Failure(WrongPassword, QStringLiteral("La contrasenya de la base de dades «%1» no és correcta.").arg(fileName));
}

inline Failure stopped()
{
    return Failure(SeamErrors::Stopped, QStringLiteral("S'ha aturat la lectura de les dades."));
}
} // namespace velmora::DataErrors

#pragma once

#include "engine/definition/DefinitionNames.h"
#include "engine/definition/XmlWalker.h"

#include <QRgb>
#include <QSet>
#include <QString>

#include <optional>

namespace velmora {

/// The attributes of one element, read by name and type. Each value read is
/// checked (integers, colours "#RRGGBB", true/false, words from a fixed list)
/// and `finish()` refuses any attribute nobody asked for, which catches
/// misspelt names.
class AttributeReader {
public:
    explicit AttributeReader(const XmlWalker &walker);

    bool has(QStringView name) const;
    std::optional<QString> optional(QStringView name);
    QString required(QStringView name);
    QString text(QStringView name, const QString &fallback = QString());

    /// An integer in [minimum, maximum]; twips for every length.
    int integer(QStringView name, int fallback, int minimum, int maximum);
    int requiredInteger(QStringView name, int minimum, int maximum);
    double decimal(QStringView name, double fallback, double minimum, double maximum);
    bool boolean(QStringView name, bool fallback);
    QRgb colour(QStringView name, QRgb fallback);
    std::optional<QRgb> optionalColour(QStringView name);

    template<typename Enum>
    Enum choice(QStringView name, std::span<const EnumName<Enum>> names, Enum fallback)
    {
        const auto value = optional(name);
        if (!value)
            return fallback;
        if (const auto found = valueOf(names, *value))
            return *found;
        failBadChoice(name, *value, nameList(names));
    }

    [[noreturn]] void fail(qint32 number, const QString &message) const { m_walker.fail(number, message); }
    QString elementName() const { return m_walker.name(); }
    /// Refuses attributes that were not read.
    void finish() const;

private:
    [[noreturn]] void failBadChoice(QStringView name, const QString &value, const QString &allowed) const;
    int parseInteger(QStringView name, const QString &value, int minimum, int maximum) const;

    const XmlWalker &m_walker;
    QXmlStreamAttributes m_attributes;
    QSet<QString> m_read;
};

} // namespace velmora

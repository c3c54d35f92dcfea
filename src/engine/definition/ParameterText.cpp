#include "engine/definition/ParameterText.h"

#include "engine/definition/ParameterValueText.h"

namespace velmora {

namespace {

const QString rangeMark = QStringLiteral("..");

/// The items of a list, split at commas no backslash escapes; the escapes
/// stay in the items until each part is read.
QStringList splitItems(const QString &text)
{
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            item += c;
            item += text[++i];
        } else if (c == u',') {
            items << item;
            item.clear();
        } else {
            item += c;
        }
    }
    items << item;
    return items;
}

QString unescaped(const QString &item)
{
    QString plain;
    for (qsizetype i = 0; i < item.size(); ++i) {
        if (item[i] == u'\\' && i + 1 < item.size())
            ++i;
        plain += item[i];
    }
    return plain;
}

QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\' || c == u',' || c == u'.' || c == u'<')
            out += u'\\';
        out += c;
    }
    return out;
}

bool endsWithMark(const QString &text)
{
    return text.endsWith(u'<') && !text.endsWith(QStringLiteral("\\<"));
}

/// Where an unescaped ".." starts in `item`, or -1.
qsizetype rangeMarkAt(const QString &item)
{
    for (qsizetype i = 0; i + 1 < item.size(); ++i) {
        if (item[i] == u'\\')
            ++i;
        else if (item[i] == u'.' && item[i + 1] == u'.')
            return i;
    }
    return -1;
}

QString describe(const ParameterDefinition &parameter, const QString &text)
{
    return QStringLiteral("el valor «%1» del paràmetre «%2» no és vàlid: cal %3").arg(text, parameter.name, parameterTextNeed(parameter.type));
}

class ItemReader {
public:
    ItemReader(const ParameterDefinition &parameter, ParameterTextReading &reading)
        : m_parameter(parameter), m_reading(reading) {}

    void read(QString item)
    {
        item = item.trimmed();
        const qsizetype mark = m_parameter.rangeValues ? rangeMarkAt(item) : -1;
        if (mark < 0) {
            if (const auto value = bound(item))
                m_reading.value.values.push_back(*value);
            return;
        }
        QString lowText = item.left(mark).trimmed();
        QString highText = item.mid(mark + rangeMark.size()).trimmed();
        ValueRange range;
        range.lowIncluded = !endsWithMark(lowText);
        range.highIncluded = !highText.startsWith(u'<');
        if (!range.lowIncluded)
            lowText.chop(1);
        if (!range.highIncluded)
            highText.remove(0, 1);
        if (lowText.isEmpty() && highText.isEmpty())
            return fail(item, QStringLiteral("; un interval necessita almenys un dels dos extrems"));
        const auto low = openOrValue(lowText.trimmed());
        const auto high = openOrValue(highText.trimmed());
        if (!low || !high)
            return;
        range.low = *low;
        range.high = *high;
        m_reading.value.ranges.push_back(range);
    }

private:
    std::optional<Value> openOrValue(const QString &text)
    {
        return text.isEmpty() ? std::optional(Value()) : bound(text);
    }

    std::optional<Value> bound(const QString &text)
    {
        const QString plain = unescaped(text);
        auto value = parseParameterValue(m_parameter.type, plain);
        if (!value)
            fail(plain, QString());
        return value;
    }

    void fail(const QString &text, const QString &detail)
    {
        if (m_reading.ok())
            m_reading.problem = describe(m_parameter, text) + detail + u'.';
    }

    const ParameterDefinition &m_parameter;
    ParameterTextReading &m_reading;
};

QString valueText(const ParameterDefinition &parameter, const Value &value)
{
    const QString text = parameterValueText(value);
    return parameter.takesSeveral() ? escaped(text) : text;
}

} // namespace

ParameterTextReading readParameterText(const ParameterDefinition &parameter, const QString &text)
{
    ParameterTextReading reading;
    if (!parameter.takesSeveral()) {
        if (const auto value = parseParameterValue(parameter.type, text))
            reading.value = ParameterValue(*value);
        else
            reading.problem = describe(parameter, text) + u'.';
        return reading;
    }
    ItemReader reader(parameter, reading);
    for (const QString &item : splitItems(text)) {
        reader.read(item);
        if (!reading.ok())
            break;
    }
    if (reading.ok() && !parameter.multipleValues && reading.value.values.size() + reading.value.ranges.size() > 1)
        reading.problem = QStringLiteral("el paràmetre «%1» pren un sol valor o interval, i «%2» en dóna més d'un.").arg(parameter.name, text);
    return reading;
}

QString parameterText(const ParameterDefinition &parameter, const ParameterValue &value)
{
    QStringList items;
    for (const Value &v : value.values)
        items << valueText(parameter, v);
    for (const ValueRange &range : value.ranges) {
        QString item = range.low.isNull() ? QString() : valueText(parameter, range.low);
        item += range.lowIncluded ? rangeMark : QStringLiteral("<") + rangeMark;
        if (!range.highIncluded)
            item += u'<';
        if (!range.high.isNull())
            item += valueText(parameter, range.high);
        items << item;
    }
    return items.join(QStringLiteral(","));
}

QString parameterTextNeed(ValueType type)
{
    switch (type) {
    case ValueType::Boolean: return QStringLiteral("true o false");
    case ValueType::Integer: return QStringLiteral("un nombre enter");
    case ValueType::Number: return QStringLiteral("un nombre, amb punt per als decimals");
    case ValueType::Currency: return QStringLiteral("un import amb com a molt quatre decimals, amb punt");
    case ValueType::Date: return QStringLiteral("una data aaaa-mm-dd");
    case ValueType::Time: return QStringLiteral("una hora hh:mm:ss");
    case ValueType::DateTime: return QStringLiteral("una data i hora aaaa-mm-ddThh:mm:ss");
    default: return QStringLiteral("un text");
    }
}

} // namespace velmora

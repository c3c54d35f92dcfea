#pragma once

// Small reports over the Clients table of tests/data/empresa.mdb, written
// for one test row each.

#include <QString>

namespace velmora::testing {

struct ReportShape {
    QString table = QStringLiteral("Clients");
    QString source = QStringLiteral("{Clients.Nom}");
    /// <formula> elements, already XML.
    QString formulas;
    QString detailsHeight = QStringLiteral("240");
    bool keepTogether = false;
};

inline QString reportText(const ReportShape &shape)
{
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<report formatVersion="1" title="Prova">
  <tables><table name="%1"/></tables>
  <formulas>%2</formulas>
  <sections>
    <details name="Dades" height="%3" keepTogether="%4">
      <field name="Valor" left="0" top="0" width="3000" height="240" source="%5"/>
    </details>
  </sections>
</report>
)")
        .arg(shape.table, shape.formulas, shape.detailsHeight,
             shape.keepTogether ? QStringLiteral("true") : QStringLiteral("false"), shape.source.toHtmlEscaped());
}

inline QString formulaElement(const QString &name, const QString &text)
{
    return QStringLiteral("<formula name=\"%1\">%2</formula>").arg(name, text.toHtmlEscaped());
}

} // namespace velmora::testing

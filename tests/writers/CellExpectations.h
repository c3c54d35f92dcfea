#pragma once

// The data-driven check both workbook tests make of one cell read back by
// a Python reader: [type, value, number format, bold, ...] against the
// row's expectations. The type is the reader's own (xlrd's number, openpyxl's
// letter), hence the template.

#include <QJsonArray>
#include <QTest>
#include <QVariant>

namespace velmora::testing {

template<typename CellType>
void addCellColumns()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<CellType>("type");
    QTest::addColumn<QVariant>("value"); ///< invalid: the cell holds nothing
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("bold");
}

template<typename CellType>
void checkFetchedCell(const QJsonArray &cell)
{
    QFETCH(CellType, type);
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(bool, bold);
    QCOMPARE(cell[0].toVariant(), QVariant::fromValue(type));
    if (value.isValid())
        QCOMPARE(cell[1].toVariant(), value);
    else
        QVERIFY(cell[1].isNull());
    QCOMPARE(cell[2].toString(), format);
    QCOMPARE(cell[3].toVariant().toBool(), bold);
}

} // namespace velmora::testing

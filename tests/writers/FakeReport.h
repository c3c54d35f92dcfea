#pragma once

// Pages and records built in memory for the writer tests: a small report in
// Catalan with the awkward texts every writer must keep (accents, "l·l", an
// emoji, RTF-looking text, backslashes, a formula-looking text), typed
// fields, three pages (the last one landscape) and nested groups.

#include "engine/page/PageSource.h"

#include <QDate>

#include <functional>

namespace velmora::testing {

inline const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600

inline TextItem textAt(int left, int top, int width, const QString &text,
                       HorizontalAlignment alignment = HorizontalAlignment::Left)
{
    TextItem item;
    item.box = QRect(left, top, width, 240);
    item.baseline = 190;
    item.text = text;
    item.alignment = alignment;
    return item;
}

inline TextItem fieldAt(int left, int top, int width, const QString &text, Value value,
                        const QString &cellFormat, HorizontalAlignment alignment = HorizontalAlignment::Right)
{
    TextItem item = textAt(left, top, width, text, alignment);
    item.value = std::move(value);
    item.cellFormat = cellFormat;
    return item;
}

inline TextItem bold(TextItem item)
{
    item.font.bold = true;
    return item;
}

inline TextItem italic(TextItem item)
{
    item.font.italic = true;
    return item;
}

/// Columns of the sample report, in twips.
constexpr int nameColumn = 1440, cityColumn = 4320, amountColumn = 6480, dateColumn = 8640;

inline Page samplePage(int index)
{
    Page page;
    page.number = index + 1;
    if (index == 2)
        page.size = QSize(16838, 11906);
    TextItem title = bold(textAt(nameColumn, 720, 8000, QStringLiteral("Informe de vendes: pàgina %1").arg(index + 1)));
    title.font.pointSize = 14;
    title.box.setHeight(340);
    title.baseline = 270;
    page.items.push_back(title);
    page.items.push_back(bold(textAt(nameColumn, 1440, 2800, QStringLiteral("Client"))));
    page.items.push_back(bold(textAt(cityColumn, 1440, 2000, QStringLiteral("Ciutat"))));
    page.items.push_back(bold(textAt(amountColumn, 1440, 2000, QStringLiteral("Import"), HorizontalAlignment::Right)));
    page.items.push_back(bold(textAt(dateColumn, 1440, 1600, QStringLiteral("Data"))));
    page.items.push_back(LineItem{QPoint(nameColumn, 1700), QPoint(10240, 1700), 20, qRgb(0, 0, 0), LineStyle::Solid});

    const QStringList names{QStringLiteral("Cèl·lula Martí"), QStringLiteral("{\\rtf1 evil}"),
                            QStringLiteral("=SUM(A1)"), QStringLiteral("Festa ") + emoji,
                            QStringLiteral("C:\\dades\\fitxer")};
    int top = 1800;
    for (int row = 0; row < names.size(); ++row, top += 300) {
        const double amount = 1234.5 + row + 100 * index;
        const QDate date(2024, 3, 15 + row);
        page.items.push_back(textAt(nameColumn, top, 2800, names[row]));
        page.items.push_back(fieldAt(cityColumn, top, 2000, QStringLiteral("Lleida"),
                                     Value::string(QStringLiteral("Lleida")), QString(), HorizontalAlignment::Left));
        page.items.push_back(fieldAt(amountColumn, top, 2000, QString::number(amount, 'f', 2),
                                     Value::currency(*Currency::fromDouble(amount)), QStringLiteral("#,##0.00")));
        page.items.push_back(fieldAt(dateColumn, top, 1600, date.toString(QStringLiteral("dd/MM/yyyy")),
                                     Value::date(DateTime::fromDate(date)), QStringLiteral("dd/mm/yyyy"),
                                     HorizontalAlignment::Left));
    }
    page.items.push_back(italic(textAt(nameColumn, top, 4000, QStringLiteral("Nota: àèéíòóú ç ñ l·l"))));
    page.items.push_back(fieldAt(amountColumn, top, 2000, QStringLiteral("42"), Value::integer(42), QStringLiteral("0")));
    BoxItem box;
    box.rect = QRect(nameColumn - 100, 600, 9000, 500);
    page.items.push_back(box);
    return page;
}

inline std::vector<ContentsEntry> sampleContents()
{
    return {{QStringLiteral("Barcelona"), 0, 0, 1440},
            {QStringLiteral("Client Alpha"), 1, 0, 1800},
            {QStringLiteral("Girona"), 0, 1, 1440},
            {QStringLiteral("Lleida i Tàrrega"), 0, 2, 1440}};
}

/// A page source over a page generator; it can stop itself through a token
/// when a given page is asked for, as a user pressing Stop would.
class FakePageSource : public PageSource {
public:
    FakePageSource(int pageCount, std::function<Page(int)> pages = samplePage,
                   std::vector<ContentsEntry> contents = sampleContents())
        : m_pageCount(pageCount), m_pages(std::move(pages)), m_contents(std::move(contents))
    {
    }

    void cancelAtPage(CancelToken *token, int index)
    {
        m_cancelToken = token;
        m_cancelAt = index;
    }

    int layOutUntil(int index, const CancelToken &, const ProgressCallback & = {}) override
    {
        m_laidOut = std::max(m_laidOut, index < 0 ? m_pageCount : std::min(index + 1, m_pageCount));
        return m_laidOut;
    }
    bool isComplete() const override { return m_laidOut == m_pageCount; }
    int pagesLaidOut() const override { return m_laidOut; }
    Page page(int index) const override
    {
        if (m_cancelToken && index == m_cancelAt)
            m_cancelToken->cancel();
        return m_pages(index);
    }
    std::vector<ContentsEntry> contents() const override { return m_contents; }
    qint64 recordCount() const override { return 5LL * m_laidOut; }
    QString title() const override { return QStringLiteral("Vendes de l'any"); }

private:
    int m_pageCount;
    std::function<Page(int)> m_pages;
    std::vector<ContentsEntry> m_contents;
    int m_laidOut = 0;
    CancelToken *m_cancelToken = nullptr;
    int m_cancelAt = -1;
};

/// Detail records from a generator.
class FakeRecordTable : public RecordTable {
public:
    FakeRecordTable(QStringList headings, qint64 count, std::function<std::vector<Value>(qint64)> row)
        : m_headings(std::move(headings)), m_count(count), m_row(std::move(row))
    {
    }
    QStringList headings() const override { return m_headings; }
    void forEachRecord(const std::function<bool(const std::vector<Value> &)> &row,
                       const CancelToken &cancel) const override
    {
        for (qint64 i = 0; i < m_count && !cancel.isCancelled(); ++i) {
            if (!row(m_row(i)))
                return;
        }
    }

private:
    QStringList m_headings;
    qint64 m_count;
    std::function<std::vector<Value>(qint64)> m_row;
};

/// Record i of the sample table: every value type a record can hold.
inline std::vector<Value> sampleRecord(qint64 i)
{
    const QStringList names{QStringLiteral("Cèl·lula"), QStringLiteral("=SUM(A1)"),
                            QStringLiteral("{\\rtf1 evil}"), QStringLiteral("Festa ") + emoji};
    return std::vector<Value>{
        Value::string(names[int(i % names.size())]),
        Value::integer(i),
        Value::number(2.5 * double(i)),
        Value::currency(Currency{12'345'678 + i}),
        Value::date(DateTime::fromDate(QDate(2024, 1, 1).addDays(i % 365))),
        Value::boolean(i % 2 == 0),
        i % 3 == 0 ? Value::null() : Value::string(QStringLiteral("nota %1").arg(i)),
    };
}

inline QStringList sampleHeadings()
{
    return {QStringLiteral("Nom"), QStringLiteral("Quantitat"), QStringLiteral("Preu"), QStringLiteral("Import"),
            QStringLiteral("Data"), QStringLiteral("Actiu"), QStringLiteral("Nota")};
}

inline FakeRecordTable sampleRecords(qint64 count = 4)
{
    return FakeRecordTable(sampleHeadings(), count, sampleRecord);
}

} // namespace velmora::testing

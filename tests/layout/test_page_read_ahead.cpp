#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/page/PageReadAhead.h"

#include <QtTest>

#include <mutex>
#include <numeric>

using namespace velmora;
using namespace velmora::testing;

namespace {

/// Pages numbered 1..count, counted one call at a time, with a page that
/// cannot be made or counted when asked for; it remembers how far it was
/// taken.
class CountedPages : public PageSource {
public:
    explicit CountedPages(int count) : m_count(count) {}

    int failingPage = -1;     ///< page() of it throws
    int uncountablePage = -1; ///< counting it throws

    int layOutUntil(int index, const CancelToken &, const ProgressCallback & = {}) override
    {
        std::lock_guard lock(m_mutex);
        const int target = index < 0 ? m_count - 1 : std::min(index, m_count - 1);
        while (m_laidOut <= target) {
            if (m_laidOut == uncountablePage)
                throw Failure(-7, QStringLiteral("no es pot comptar"));
            ++m_laidOut;
        }
        return m_laidOut;
    }
    bool isComplete() const override
    {
        std::lock_guard lock(m_mutex);
        return m_laidOut == m_count;
    }
    int pagesLaidOut() const override
    {
        std::lock_guard lock(m_mutex);
        return m_laidOut;
    }
    Page page(int index) const override
    {
        std::lock_guard lock(m_mutex);
        if (index < 0 || index >= m_laidOut)
            throw Failure(-8, QStringLiteral("la pàgina no s'ha comptat"));
        if (index == failingPage)
            throw Failure(-9, QStringLiteral("la pàgina %1 falla").arg(index + 1));
        m_furthestMade = std::max(m_furthestMade, index);
        Page page;
        page.number = index + 1;
        return page;
    }
    std::vector<ContentsEntry> contents() const override { return {}; }
    qint64 recordCount() const override { return 0; }
    QString title() const override { return QString(); }

    int furthestMade() const
    {
        std::lock_guard lock(m_mutex);
        return m_furthestMade;
    }

private:
    const int m_count;
    mutable std::mutex m_mutex;
    int m_laidOut = 0;
    mutable int m_furthestMade = -1;
};

/// Reads every page in order the way an export does; returns their numbers.
std::vector<int> readInOrder(PageSource &pages, int upTo = -1)
{
    CancelToken cancel;
    std::vector<int> numbers;
    for (int i = 0; (upTo < 0 || i < upTo) && pages.layOutUntil(i, cancel) > i; ++i)
        numbers.push_back(pages.page(i).number);
    return numbers;
}

std::vector<int> oneToN(int n)
{
    std::vector<int> numbers(static_cast<size_t>(n));
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

// 1000 lines, 45 to a page under the title, each page numbered at its foot
// ("Pàgina N" or "Pàgina N de M").
std::shared_ptr<ReportDefinition> numberedReport(SpecialField pageField)
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{QStringLiteral("Vendes"), QStringLiteral("V")}};
    const auto line = [](const QString &name, int left) {
        return fieldObject(name, dbField(QStringLiteral("V"), name), {left, 0, 3000, 300});
    };
    d->sections = {
        section(QStringLiteral("Capcalera"), SectionKind::PageHeader, 500,
                {textObject(QStringLiteral("Titol"), QStringLiteral("Llista"), {0, 0, 4000, 300})}),
        section(QStringLiteral("Linia"), SectionKind::Details, 300,
                {line(QStringLiteral("Client"), 0), line(QStringLiteral("Import"), 3000)}),
        section(QStringLiteral("Peu"), SectionKind::PageFooter, 400,
                {fieldObject(QStringLiteral("Pagina"), special(pageField), {0, 0, 4000, 300})}),
    };
    return d;
}

/// Reads pages in order until one fails; gives the failure's number and how
/// many pages were read before it.
std::pair<int, int> readUntilFailure(PageSource &pages)
{
    CancelToken cancel;
    int reached = 0;
    try {
        for (; pages.layOutUntil(reached, cancel) > reached; ++reached)
            if (pages.page(reached).number != reached + 1)
                return {0, reached};
    } catch (const Failure &failure) {
        return {failure.number(), reached};
    }
    return {0, reached};
}

MemoryData numberedData(int records)
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {QStringLiteral("V.Client"), QStringLiteral("V.Import")};
    for (int i = 0; i < records; ++i)
        rows.push_back({Value::string(QStringLiteral("Client %1").arg(i)), Value::integer(i * 7)});
    return data;
}

} // namespace

class PageReadAheadTest : public QObject {
    Q_OBJECT
private slots:
    void pagesComeInOrderWhateverTheWorkersAndWindow_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("window");
        QTest::newRow("one worker, one page ahead") << 1 << 1;
        QTest::newRow("two workers, default window") << 2 << 0;
        QTest::newRow("more workers than the window") << 6 << 3;
    }
    void pagesComeInOrderWhateverTheWorkersAndWindow()
    {
        QFETCH(int, workers);
        QFETCH(int, window);
        auto source = std::make_shared<CountedPages>(500);
        PageReadAhead ahead(source, workers, window);
        QCOMPARE(readInOrder(ahead), oneToN(500));
        QVERIFY(ahead.isComplete());
    }

    void workersStayWithinTheWindow()
    {
        auto source = std::make_shared<CountedPages>(10'000);
        constexpr int window = 4;
        PageReadAhead ahead(source, 2, window);
        QCOMPARE(readInOrder(ahead, 100), oneToN(100));
        // Counting and making never run further ahead of the reader than the window.
        QVERIFY(source->pagesLaidOut() <= 100 + window);
        QVERIFY(source->furthestMade() < 100 + window);
    }

    void reportPagesAreTheSameMadeAheadAsMadeDirectly_data()
    {
        QTest::addColumn<int>("pageField");
        QTest::newRow("page number: counted as read") << int(SpecialField::PageNumber);
        QTest::newRow("page N of M: every page counted first") << int(SpecialField::PageNofM);
    }
    void reportPagesAreTheSameMadeAheadAsMadeDirectly()
    {
        QFETCH(int, pageField);
        const auto data = numberedData(1000);
        auto direct = layOut(numberedReport(SpecialField(pageField)), data);
        auto source = layOut(numberedReport(SpecialField(pageField)), data);
        PageReadAhead ahead(source, 2, 5);
        CancelToken cancel;
        const int pages = direct->layOutUntil(-1, cancel);
        QCOMPARE(pages, 23);
        int i = 0;
        for (; ahead.layOutUntil(i, cancel) > i; ++i)
            QCOMPARE(texts(ahead.page(i)), texts(direct->page(i)));
        QCOMPARE(i, pages);
        QCOMPARE(ahead.contents().size(), direct->contents().size());
    }

    void pagesReadOutOfOrderAreStillTheRightOnes()
    {
        auto source = std::make_shared<CountedPages>(200);
        PageReadAhead ahead(source, 2, 6);
        CancelToken cancel;
        ahead.layOutUntil(-1, cancel);
        for (int index : {0, 1, 2, 150, 151, 5, 6, 199, 0})
            QCOMPARE(ahead.page(index).number, index + 1);
    }

    void aPageThatFailsReachesTheReaderWithItsFailure()
    {
        auto source = std::make_shared<CountedPages>(50);
        source->failingPage = 20;
        PageReadAhead ahead(source, 2, 8);
        QCOMPARE(readUntilFailure(ahead), std::make_pair(-9, 20));
    }

    void aPageThatCannotBeCountedFailsTheReadersOwnCounting()
    {
        auto source = std::make_shared<CountedPages>(50);
        source->uncountablePage = 12;
        PageReadAhead ahead(source, 2, 8);
        QCOMPARE(readUntilFailure(ahead), std::make_pair(-7, 12));
    }

    void leavingEarlyStopsTheWorkers()
    {
        auto source = std::make_shared<CountedPages>(100'000);
        {
            PageReadAhead ahead(source, 4, 16);
            QCOMPARE(readInOrder(ahead, 3), oneToN(3));
        }
        const int laidOut = source->pagesLaidOut();
        QVERIFY(laidOut <= 3 + 16);
        QCOMPARE(source->pagesLaidOut(), laidOut);
    }
};

QTEST_MAIN(PageReadAheadTest)
#include "test_page_read_ahead.moc"

// The sample of sales charts over the bundled database: the numbers its
// charts draw against sums worked out from mdb-export's CSV, and the charts
// as other programs see them: poppler's text and pixels, qpdf's check,
// LibreOffice's rendering of the Word file, the text export's tables.

#include "ExpectedSales.h"
#include "ExternalTools.h"
#include "ReportRun.h"
#include "ScratchFiles.h"
#include "TestData.h"

#include "engine/chart/ChartPalette.h"
#include "engine/page/ExportFormat.h"
#include "engine/page/PageSource.h"

#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

bool hasTool(const QString &program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

QString sampleReport() { return sourcePath(u"examples/grafics-vendes.rpt"_s); }

double euros(qint64 millionths) { return double(millionths) / 1e6; }

std::vector<const ChartValuesItem *> chartsOn(const Page &page)
{
    std::vector<const ChartValuesItem *> charts;
    for (const PageItem &item : page.items)
        if (const auto *chart = std::get_if<ChartValuesItem>(&item))
            charts.push_back(chart);
    return charts;
}

/// The bars of the first chart of the page: its boxes filled with the
/// first colour of the default palette, the legend having none.
std::vector<QRect> barsOn(const Page &page, const QRect &chart)
{
    std::vector<QRect> bars;
    for (const PageItem &item : page.items)
        if (const auto *box = std::get_if<BoxItem>(&item);
            box && box->filled && box->fillColor == defaultChartPalette().front() && chart.contains(box->rect))
            bars.push_back(box->rect);
    return bars;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

/// The pixel of a page image at a point given in twips.
QRgb pixelAt(const QImage &image, QPointF twips, const Page &page)
{
    const double perTwip = double(image.width()) / page.size.width();
    return image.pixel(int(twips.x() * perTwip), int(twips.y() * perTwip));
}

QImage firstPageImage(const QString &pdf, const QString &prefix)
{
    runTool(u"pdftoppm"_s, {u"-r"_s, u"72"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, pdf, prefix});
    for (const QString &name : QStringList{prefix + u"-1.png"_s, prefix + u"-01.png"_s})
        if (QFile::exists(name))
            return QImage(name);
    return {};
}

} // namespace

class ChartExportsTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    std::optional<ExpectedSales> m_expected;
    std::vector<Page> m_pages;

    QString exported(qint32 format, const QString &name)
    {
        ReportRun run(sampleReport(), testDataPath(u"empresa.mdb"_s));
        const QString path = m_scratch.path(name);
        run.exportTo(format, path);
        return path;
    }

private slots:
    void initTestCase()
    {
        m_expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!m_expected)
            QSKIP("mdb-export cannot read the fixture");
        ReportRun run(sampleReport(), testDataPath(u"empresa.mdb"_s));
        const auto pages = run.layOutAll();
        for (int i = 0; i < pages->pagesLaidOut(); ++i)
            m_pages.push_back(pages->page(i));
    }

    void barsShowEachCountrysSales()
    {
        const auto charts = chartsOn(m_pages.front());
        QVERIFY(!charts.empty());
        const ChartValuesItem &bars = *charts.front();
        QCOMPARE(bars.title, u"Vendes per país"_s);
        QCOMPARE(int(bars.categories.size()), int(m_expected->countries.size()));
        for (qsizetype c = 0; c < bars.categories.size(); ++c) {
            const auto expected = m_expected->countries.find(bars.categories[c]);
            QVERIFY2(expected != m_expected->countries.end(), qPrintable(bars.categories[c]));
            QVERIFY2(std::abs(*bars.numbers[size_t(c)][0] - euros(expected->second.amountMillionths)) < 0.005,
                     qPrintable(bars.categories[c]));
        }
    }

    void eachCountrysPieAddsUpToItsPrintedTotal()
    {
        int pies = 0;
        for (const Page &page : m_pages) {
            for (const ChartValuesItem *chart : chartsOn(page)) {
                if (chart->title != u"Els cinc millors clients"_s)
                    continue;
                ++pies;
                // The pie stands under the country's name and printed total.
                QString country;
                for (const PageItem &item : page.items)
                    if (const auto *t = std::get_if<TextItem>(&item);
                        t && t->box.bottom() < chart->rect.top() && t->box.bottom() > chart->rect.top() - 600
                        && m_expected->countries.count(t->text))
                        country = t->text;
                QVERIFY(!country.isEmpty());
                double sum = 0;
                for (const auto &row : chart->numbers)
                    sum += row[0].value_or(0);
                QVERIFY2(std::abs(sum - euros(m_expected->countries.at(country).amountMillionths)) < 0.005,
                         qPrintable(country));
                QVERIFY(chart->categories.size() <= 6); // the five best, then the rest gathered
            }
        }
        QCOMPARE(pies, int(m_expected->countries.size()));
    }

    void monthlyLineAddsUpToTheGrandTotal()
    {
        const auto charts = chartsOn(m_pages.back());
        QVERIFY(!charts.empty());
        const ChartValuesItem &line = *charts.back();
        QCOMPARE(line.title, u"Vendes per mes"_s);
        std::map<QString, qint64> months;
        for (const ClientSales &client : m_expected->clients)
            for (const SaleLine &sale : client.lines)
                months[sale.orderDate.left(7)] += sale.amountMillionths;
        QCOMPARE(int(line.categories.size()), int(months.size()));
        qsizetype c = 0;
        for (const auto &[month, amount] : months) {
            QCOMPARE(line.categories[c], month); // in date order
            QVERIFY(std::abs(*line.numbers[size_t(c)][0] - euros(amount)) < 0.005);
            ++c;
        }
    }

    void pdfShowsBarsWhereTheyAreAndReadsTheirLabels()
    {
        if (!hasTool(u"pdftoppm"_s) || !hasTool(u"pdftotext"_s) || !hasTool(u"qpdf"_s))
            QSKIP("poppler's tools or qpdf are missing");
        const QString pdf = exported(ExportFormat::PDF, u"grafics.pdf"_s);
        const auto check = runTool(u"qpdf"_s, {u"--check"_s, pdf});
        QVERIFY(check && check->contains("No syntax or stream encoding errors"));
        const auto lines = pdfTextLines(pdf);
        QVERIFY(lines);
        const QString text = lines->join(u'\n');
        for (const QString &word : {u"Vendes per país"_s, u"Espanya"_s, u"Portugal"_s, u"2.018.692"_s, u"Vendes per mes"_s})
            QVERIFY2(text.contains(word), qPrintable(word));

        const Page &page = m_pages.front();
        const QImage image = firstPageImage(pdf, m_scratch.path(u"grafics"_s));
        QVERIFY(!image.isNull());
        const ChartValuesItem &chart = *chartsOn(page).front();
        const std::vector<QRect> bars = barsOn(page, chart.rect);
        QCOMPARE(int(bars.size()), int(chart.categories.size()));
        const QRgb barColour = defaultChartPalette().front();
        for (size_t i = 0; i < bars.size(); ++i) {
            const QRect &bar = bars[i];
            if (bar.height() < 200 || bar.width() < 200)
                continue; // too thin to sample at 72 dots per inch
            QVERIFY2(near(pixelAt(image, QRectF(bar).center(), page), barColour, 24), qPrintable(QString::number(i)));
            if (i + 1 < bars.size()) {
                // Between two bars, a little above the axis: the background.
                const QPointF between((bar.right() + bars[i + 1].left()) / 2.0, bar.bottom() - 100);
                QVERIFY(near(pixelAt(image, between, page), qRgb(255, 255, 255), 16));
            }
        }
    }

    void wordFileShowsTheChartInLibreOffice()
    {
        OfficeConverter office;
        if (!office.isAvailable() || !hasTool(u"pdftoppm"_s))
            QSKIP("LibreOffice or pdftoppm is missing");
        const QString doc = exported(ExportFormat::Word, u"grafics.doc"_s);
        const auto pdf = office.convert(doc, u"pdf"_s, u"pdf"_s, m_scratch.path(u"lo"_s));
        QVERIFY(pdf);
        const QImage image = firstPageImage(*pdf, m_scratch.path(u"grafics-lo"_s));
        QVERIFY(!image.isNull());
        const Page &page = m_pages.front();
        const std::vector<QRect> bars = barsOn(page, chartsOn(page).front()->rect);
        const QRect tallest = *std::max_element(bars.begin(), bars.end(),
                                                [](const QRect &a, const QRect &b) { return a.height() < b.height(); });
        QVERIFY(near(pixelAt(image, QRectF(tallest).center(), page), defaultChartPalette().front(), 32));
        const QPointF beside(tallest.right() + 150, tallest.center().y());
        QVERIFY(near(pixelAt(image, beside, page), qRgb(255, 255, 255), 24));
    }

    void textExportPrintsEachChartAsATable()
    {
        const QString path = exported(ExportFormat::Text, u"grafics.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        const auto find = [&](const QString &start) {
            for (const QString &line : lines)
                if (line.trimmed().startsWith(start))
                    return line.simplified();
            return QString();
        };
        QVERIFY(!find(u"Vendes per país"_s).isEmpty());
        QCOMPARE(find(u"País"_s), u"País Vendes"_s);
        QCOMPARE(find(u"Espanya"_s), u"Espanya 2.018.692"_s);
        // No axis ticks or scattered labels: the table stands in their place.
        QVERIFY(find(u"2.500.000"_s).isEmpty());
    }
};

QTEST_MAIN(ChartExportsTest)
#include "test_chart_exports.moc"

// Value axes and category labels: nice steps over every kind of data range,
// labels cut with an ellipsis and thinned so that none overlaps the next.

#include "FixedMetrics.h"

#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/ValueScale.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;
using namespace velmora::testing;

namespace {

bool isNiceStep(double step)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    const double residual = step / magnitude;
    for (double nice : {1.0, 2.0, 5.0, 10.0})
        if (std::abs(residual - nice) < 1e-6)
            return true;
    return false;
}

} // namespace

class ChartAxesTest : public QObject {
    Q_OBJECT

private slots:
    void scaleCoversTheData_data()
    {
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<bool>("includeZero");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("step");
        QTest::newRow("all positive") << 12.0 << 87.0 << true << 0.0 << 100.0 << 20.0;
        QTest::newRow("all positive, no zero") << 412.0 << 487.0 << false << 400.0 << 500.0 << 20.0;
        QTest::newRow("all negative") << -87.0 << -12.0 << true << -100.0 << 0.0 << 20.0;
        QTest::newRow("mixed") << -35.0 << 72.0 << true << -50.0 << 100.0 << 50.0;
        QTest::newRow("one value") << 7.0 << 7.0 << true << 0.0 << 8.0 << 2.0;
        QTest::newRow("one value, no zero") << 7.0 << 7.0 << false << 2.0 << 12.0 << 2.0;
        QTest::newRow("all zero") << 0.0 << 0.0 << true << 0.0 << 1.0 << 0.2;
        QTest::newRow("huge") << 0.0 << 4.2e12 << true << 0.0 << 5e12 << 1e12;
        QTest::newRow("tiny") << 0.0 << 3.7e-6 << true << 0.0 << 4e-6 << 1e-6;
        QTest::newRow("exact ends") << 0.0 << 100.0 << true << 0.0 << 100.0 << 20.0;
    }

    void scaleCoversTheData()
    {
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(bool, includeZero);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, step);
        const ValueScale scale = niceScale(minimum, maximum, 5, includeZero);
        QVERIFY2(isNiceStep(scale.step), qPrintable(QString::number(scale.step)));
        QVERIFY(scale.low <= std::min(minimum, maximum));
        QVERIFY(scale.high >= std::max(minimum, maximum));
        QVERIFY(scale.stepCount() <= 5);
        QCOMPARE(scale.low, low);
        QCOMPARE(scale.high, high);
        QCOMPARE(scale.step, step);
        if (includeZero)
            QVERIFY(scale.low <= 0 && scale.high >= 0);
    }

    void ticksLandOnMultiplesWithoutDrift()
    {
        const ValueScale scale = niceScale(-0.3, 0.7, 10, true);
        QCOMPARE(scale.step, 0.1);
        for (int i = 0; i <= scale.stepCount(); ++i)
            QCOMPARE(scale.tick(i), std::round(scale.tick(i) / 0.1) * 0.1);
        QCOMPARE(scale.tick(3), 0.0); // never -0 or 5.5e-17 on the axis
        QCOMPARE(scale.decimals(), 1);
    }

    void scaleSurvivesValuesThatAreNotFinite()
    {
        const double inf = std::numeric_limits<double>::infinity();
        for (auto [a, b] : {std::pair{-inf, inf}, std::pair{std::nan(""), 5.0}, std::pair{-1e308, 1e308}}) {
            const ValueScale scale = niceScale(a, b, 5, true);
            QVERIFY(std::isfinite(scale.low) && std::isfinite(scale.high) && std::isfinite(scale.step));
            QVERIFY(scale.step > 0);
            QVERIFY(scale.stepCount() >= 1);
        }
    }

    void longNamesAreCutWithAnEllipsis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << QStringLiteral("Andorra") << 700 << QStringLiteral("Andorra");
        QTest::newRow("cut") << QStringLiteral("Electrodomèstics Puig") << 500 << QStringLiteral("Elec…");
        QTest::newRow("blank before the cut is dropped") << QStringLiteral("Ab cdefgh") << 400
                                                         << QStringLiteral("Ab…");
        QTest::newRow("no room") << QStringLiteral("Suïssa") << 50 << QStringLiteral("…");
    }

    void longNamesAreCutWithAnEllipsis()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, shown);
        FixedMetrics metrics;
        QCOMPARE(elidedLabel(metrics, FontSpec(), text, width), shown);
    }

    void labelsAreThinnedUntilNoneOverlaps_data()
    {
        QTest::addColumn<std::vector<Twips>>("widths");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("stride");
        QTest::newRow("room for all") << std::vector<Twips>(12, 500) << 800.0 << 1;
        QTest::newRow("every other") << std::vector<Twips>(12, 500) << 400.0 << 2;
        QTest::newRow("every fifth") << std::vector<Twips>(80, 700) << 160.0 << 5;
        QTest::newRow("one label") << std::vector<Twips>{5000} << 10.0 << 1;
        QTest::newRow("a wide one among narrow") << std::vector<Twips>{300, 300, 1500, 300, 300} << 600.0 << 2;
    }

    void labelsAreThinnedUntilNoneOverlaps()
    {
        QFETCH(std::vector<Twips>, widths);
        QFETCH(double, spacing);
        QFETCH(int, stride);
        QCOMPARE(labelStride(widths, spacing), stride);
    }

    void valuesAreWrittenTheCatalanWay()
    {
        ChartDefinition chart;
        QCOMPARE(chartValueText(chart, 2018692.0), QStringLiteral("2.018.692"));
        QCOMPARE(chartValueText(chart, 1234.5), QStringLiteral("1.234,50"));
        QCOMPARE(chartTickText(chart, 0.25, 2, false), QStringLiteral("0,25"));
        QCOMPARE(chartTickText(chart, 40, 0, true), QStringLiteral("40 %"));
        chart.valueFormat = QStringLiteral("#,##0.0");
        QCOMPARE(chartValueText(chart, 2018692.04), QStringLiteral("2.018.692,0"));
    }
};


QTEST_GUILESS_MAIN(ChartAxesTest)
#include "test_chart_axes.moc"

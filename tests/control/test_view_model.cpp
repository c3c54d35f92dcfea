#include "engine/control/ViewRange.h"
#include "engine/control/ZoomLevel.h"

#include <QTest>

using namespace velmora;

class TestViewModel : public QObject {
    Q_OBJECT
private slots:
    void zoomScale_data();
    void zoomScale();
    void zoomSteps_data();
    void zoomSteps();
    void groupViewRange_data();
    void groupViewRange();
    void clampingIntoAView_data();
    void clampingIntoAView();
};

void TestViewModel::zoomScale_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<double>("expected");
    // A4 is 11906 x 16838 twips; 96 dpi gives 1/15 pixel per twip at 100 %.
    QTest::newRow("100 % is 15 twips to a pixel") << 100 << QSize(500, 500) << 1.0 / 15;
    QTest::newRow("200 % doubles it") << 200 << QSize(500, 500) << 2.0 / 15;
    QTest::newRow("page width fills the width less two edges") << -2 << QSize(1210, 300) << 1200.0 / 11906;
    QTest::newRow("whole page of a wide area is bound by the height") << -1 << QSize(2000, 1694) << 1684.0 / 16838;
    QTest::newRow("whole page of a narrow area is bound by the width") << -1 << QSize(605, 2000) << 595.0 / 11906;
}

void TestViewModel::zoomScale()
{
    QFETCH(int, code);
    QFETCH(QSize, area);
    QFETCH(double, expected);
    QCOMPARE(ZoomLevel::fromCode(code).scale(QSize(11906, 16838), area, 96, 5), expected);
}

void TestViewModel::zoomSteps_data()
{
    QTest::addColumn<double>("shown");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("expected");
    QTest::newRow("up from 100 is the next entry") << 100.0 << 1 << 150;
    QTest::newRow("down from 100 is the entry below") << 100.0 << -1 << 75;
    QTest::newRow("a fitted 63 % steps up to 75") << 63.2 << 1 << 75;
    QTest::newRow("a fitted 63 % steps down to 50") << 63.2 << -1 << 50;
    QTest::newRow("no larger than the largest") << 400.0 << 1 << 400;
    QTest::newRow("no smaller than the smallest") << 25.0 << -1 << 25;
}

void TestViewModel::zoomSteps()
{
    QFETCH(double, shown);
    QFETCH(int, steps);
    QFETCH(int, expected);
    QCOMPARE(ZoomLevel::stepped(shown, steps), ZoomLevel::percent(expected));
}

void TestViewModel::groupViewRange_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last"); // -1: open to the report's end
    // Groups: A on page 0, its subgroup A1 on 0 and A2 on 1 (mid-page),
    // B at the very top of page 3, C mid-page 5.
    QTest::newRow("a group ends where the next one at its level starts mid-page") << 3 << 3 << 5;
    QTest::newRow("a group before one starting at a page top ends on the page before") << 0 << 0 << 2;
    QTest::newRow("a subgroup ends at its next sibling") << 1 << 0 << 1;
    QTest::newRow("the last subgroup ends where its parent's next sibling starts") << 2 << 1 << 2;
    QTest::newRow("the last group runs to the end") << 4 << 5 << -1;
}

void TestViewModel::groupViewRange()
{
    QFETCH(int, entry);
    QFETCH(int, first);
    QFETCH(int, last);
    const std::vector<ContentsEntry> contents{{QStringLiteral("A"), 0, 0, 500},  {QStringLiteral("A1"), 1, 0, 800},
                                              {QStringLiteral("A2"), 1, 1, 4000}, {QStringLiteral("B"), 0, 3, 0},
                                              {QStringLiteral("C"), 0, 5, 6000}};
    const ViewRange range = ViewRange::forGroup(contents, entry);
    QCOMPARE(range.firstPage, first);
    QCOMPARE(range.lastPage.value_or(-1), last);
    QCOMPARE(range.currentPage, first);
}

void TestViewModel::clampingIntoAView_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("expected");
    // The view is pages 2..6 of a report with 5 pages laid out so far.
    QTest::newRow("before the view is its first page") << 0 << false << 2;
    QTest::newRow("past the view is its last page") << 9 << false << 6;
    QTest::newRow("not laid out yet is awaited") << 5 << false << 5;
    QTest::newRow("past a finished report is its last page") << 5 << true << 4;
}

void TestViewModel::clampingIntoAView()
{
    QFETCH(int, requested);
    QFETCH(bool, complete);
    QFETCH(int, expected);
    const ViewRange view{QStringLiteral("B"), 2, 6, 2};
    QCOMPARE(view.clamped(requested, 5, complete), expected);
}

QTEST_MAIN(TestViewModel)
#include "test_view_model.moc"

#include "engine/control/GroupTreePanel.h"
#include "engine/control/PageView.h"
#include "engine/control/ReportViewerWidget.h"
#include "engine/control/ViewerStatusLine.h"
#include "engine/control/ViewerToolBar.h"
#include "engine/seam/ParameterErrors.h"
#include "engine/seam/SeamErrors.h"
#include "../support/RecordingEngine.h"
#include "../support/SyntheticPageSource.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

// A viewer over a recording engine whose report lays out synthetic pages.
struct Fixture {
    explicit Fixture(SyntheticShape shape = {}, ViewerFeatures features = {})
    {
        engine.state().makePageSource = [this] {
            sources.push_back(std::make_shared<SyntheticPageSource>(this->shape));
            return sources.back();
        };
        this->shape = shape;
        report = engine.createApplication()->openReport(QStringLiteral("vendes.rpt"));
        viewer.setFeatures(features);
        viewer.resize(900, 700);
        viewer.show();
        viewer.setReportSource(report);
    }
    void viewAndFinish()
    {
        viewer.viewReport();
        QTRY_VERIFY_WITH_TIMEOUT(!viewer.isWorking(), 20000);
    }
    SyntheticPageSource &source() { return *sources.back(); }
    QString pageText() const { return viewer.statusLine()->pageText(); }
    int pageSourcesCreated() const { return int(engine.log().count(QStringLiteral("createPageSource"))); }

    SyntheticShape shape;
    RecordingEngine engine;
    std::shared_ptr<EngineReport> report;
    std::vector<std::shared_ptr<SyntheticPageSource>> sources;
    ReportViewerWidget viewer;
};

void run(ReportViewerWidget &viewer, const QString &command)
{
    if (command == QLatin1String("next"))
        viewer.showNextPage();
    else if (command == QLatin1String("previous"))
        viewer.showPreviousPage();
    else if (command == QLatin1String("first"))
        viewer.showFirstPage();
    else if (command == QLatin1String("last"))
        viewer.showLastPage();
    else if (command.startsWith(QLatin1String("goto:")))
        viewer.goToPage(command.mid(5).toInt());
    else
        QFAIL("unknown command in the table");
}

} // namespace

class TestReportViewerWidget : public QObject {
    Q_OBJECT
private slots:
    void firstPageShowsBeforeCountingEnds();
    void firstPageFailureReachesTheCaller_data();
    void firstPageFailureReachesTheCaller();
    void laterFailureIsShownNotThrown();
    void navigation_data();
    void navigation();
    void pageNumberBoxGoesToThePage();
    void keysAndWheelTurnPagesAtTheEnds();
    void zoomModes_data();
    void zoomModes();
    void zoomRefusesWhatItCannotShow_data();
    void zoomRefusesWhatItCannotShow();
    void ctrlWheelZooms();
    void findMovesToTheMatchingPage();
    void findWalksThroughMatchesAndReportsAbsence();
    void groupTreeClickGoesToTheGroup();
    void drillDownOpensAViewOfTheGroup();
    void stopCancelsCountingAndNavigationResumesIt();
    void refreshReadsAgainAndKeepsThePage_data();
    void refreshReadsAgainAndKeepsThePage();
    void parametersAreAskedBeforeTheFirstPageOncePerView();
    void cancellingTheParametersShowsNothingAndNoMessage();
    void switchedOffFeaturesAreHidden_data();
    void switchedOffFeaturesAreHidden();
    void toolbarCommandsAreNamedForAssistiveTechnology();
    void printAndExportGoToTheReport();
};

void TestReportViewerWidget::firstPageShowsBeforeCountingEnds()
{
    Fixture f(SyntheticShape{.pages = 30, .holdAtPage = 1});
    f.viewer.viewReport();
    QVERIFY(f.viewer.isWorking());
    QCOMPARE(f.viewer.currentPageIndex(), 0);
    QVERIFY(f.viewer.pageView()->page().has_value());
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 1+"));
    f.source().release();
    QTRY_VERIFY_WITH_TIMEOUT(!f.viewer.isWorking(), 20000);
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 30"));
    QCOMPARE(f.viewer.statusLine()->recordText(), QStringLiteral("Registres: 750"));
}

void TestReportViewerWidget::firstPageFailureReachesTheCaller_data()
{
    QTest::addColumn<bool>("withReport");
    QTest::addColumn<int>("expectedNumber");
    QTest::newRow("the engine's failure on page 1") << true << int(SyntheticPageSource::failureNumber);
    QTest::newRow("no report source to show") << false << int(SeamErrors::NoReportSource);
}

void TestReportViewerWidget::firstPageFailureReachesTheCaller()
{
    QFETCH(bool, withReport);
    QFETCH(int, expectedNumber);
    Fixture f(SyntheticShape{.failAtPage = 0});
    if (!withReport)
        f.viewer.setReportSource(nullptr);
    try {
        f.viewer.viewReport();
        QFAIL("viewReport did not throw");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number(), expectedNumber);
    }
    QVERIFY(!f.viewer.isWorking());
    QVERIFY(!QApplication::overrideCursor());
}

void TestReportViewerWidget::laterFailureIsShownNotThrown()
{
    Fixture f(SyntheticShape{.pages = 10, .failAtPage = 3});
    QSignalSpy ended(&f.viewer, &ReportViewerWidget::workEnded);
    f.viewer.viewReport();
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 20000);
    QVERIFY(f.viewer.statusLine()->progressText().contains(QString::number(SyntheticPageSource::failureNumber)));
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 3+"));
    const auto boxes = f.viewer.findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.front()->text().contains(QStringLiteral("Albarans")));
}

void TestReportViewerWidget::navigation_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedStatus");
    // The report has 12 pages.
    QTest::newRow("next from the first") << QStringList{QStringLiteral("next")} << 1 << QStringLiteral("Pàgina 2 de 12");
    QTest::newRow("previous at the first stays") << QStringList{QStringLiteral("previous")} << 0 << QStringLiteral("Pàgina 1 de 12");
    QTest::newRow("next at the last stays") << QStringList{QStringLiteral("last"), QStringLiteral("next")} << 11 << QStringLiteral("Pàgina 12 de 12");
    QTest::newRow("previous from the last") << QStringList{QStringLiteral("last"), QStringLiteral("previous")} << 10 << QStringLiteral("Pàgina 11 de 12");
    QTest::newRow("first after going to page 7") << QStringList{QStringLiteral("goto:7"), QStringLiteral("first")} << 0 << QStringLiteral("Pàgina 1 de 12");
    QTest::newRow("go to page 5 is index 4") << QStringList{QStringLiteral("goto:5")} << 4 << QStringLiteral("Pàgina 5 de 12");
    QTest::newRow("go past the end is the last page") << QStringList{QStringLiteral("goto:99")} << 11 << QStringLiteral("Pàgina 12 de 12");
    QTest::newRow("go to page 0 is ignored") << QStringList{QStringLiteral("goto:3"), QStringLiteral("goto:0")} << 2 << QStringLiteral("Pàgina 3 de 12");
}

void TestReportViewerWidget::navigation()
{
    QFETCH(QStringList, commands);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedStatus);
    Fixture f;
    f.viewAndFinish();
    for (const QString &command : commands)
        run(f.viewer, command);
    QCOMPARE(f.viewer.currentPageIndex(), expectedIndex);
    QCOMPARE(f.viewer.pageView()->page()->number, expectedIndex + 1);
    QCOMPARE(f.pageText(), expectedStatus);
    QCOMPARE(f.viewer.toolBar()->pageNumberBox->text(), QString::number(expectedIndex + 1));
}

void TestReportViewerWidget::pageNumberBoxGoesToThePage()
{
    Fixture f;
    f.viewAndFinish();
    QLineEdit *box = f.viewer.toolBar()->pageNumberBox;
    box->clear();
    QTest::keyClicks(box, QStringLiteral("6"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.viewer.currentPageIndex(), 5);
}

void TestReportViewerWidget::keysAndWheelTurnPagesAtTheEnds()
{
    Fixture f;
    f.viewAndFinish();
    f.viewer.zoom(100);
    PageView *view = f.viewer.pageView();
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(f.viewer.currentPageIndex(), 0); // scrolled within the page first
    QVERIFY(view->verticalScrollBar()->value() > 0);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(f.viewer.currentPageIndex(), 1);
    QCOMPARE(view->verticalScrollBar()->value(), 0);
    QTest::keyClick(view, Qt::Key_PageUp);
    QCOMPARE(f.viewer.currentPageIndex(), 0);
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(f.viewer.currentPageIndex(), 11);
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(f.viewer.currentPageIndex(), 0);
    QWheelEvent down(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QApplication::sendEvent(view->viewport(), &down);
    QCOMPARE(f.viewer.currentPageIndex(), 1);
}

void TestReportViewerWidget::zoomModes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("listText");
    QTest::newRow("a percentage of the list") << 50 << QStringLiteral("50 %");
    QTest::newRow("the whole page fits the view") << -1 << QStringLiteral("Pàgina sencera");
    QTest::newRow("the page's width fills the view") << -2 << QStringLiteral("Amplada de pàgina");
    QTest::newRow("a percentage not in the list is added to it") << 137 << QStringLiteral("137 %");
}

void TestReportViewerWidget::zoomModes()
{
    QFETCH(int, code);
    QFETCH(QString, listText);
    Fixture f;
    f.viewAndFinish();
    f.viewer.setZoomLevel(ZoomLevel::fromCode(code));
    PageView *view = f.viewer.pageView();
    const QRect page = view->pageRect();
    const QSize area = view->viewport()->size();
    if (code == -1)
        QVERIFY(QRect(QPoint(0, 0), area).contains(page));
    else if (code == -2)
        QVERIFY(qAbs(page.width() - (area.width() - 24)) <= 1);
    else
        QVERIFY(qAbs(view->shownPercent() - code) < 0.01);
    QCOMPARE(f.viewer.toolBar()->zoomList->currentText(), listText);
}

void TestReportViewerWidget::zoomRefusesWhatItCannotShow_data()
{
    QTest::addColumn<int>("percent");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -50;
    QTest::newRow("beyond 1000") << 1001;
}

void TestReportViewerWidget::zoomRefusesWhatItCannotShow()
{
    QFETCH(int, percent);
    Fixture f;
    f.viewAndFinish();
    f.viewer.zoom(75);
    try {
        f.viewer.zoom(qint16(percent));
        QFAIL("zoom accepted a value it cannot show");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number(), SeamErrors::ZoomOutOfRange);
    }
    QCOMPARE(f.viewer.zoomLevel(), ZoomLevel::percent(75));
}

void TestReportViewerWidget::ctrlWheelZooms()
{
    Fixture f;
    f.viewAndFinish();
    f.viewer.zoom(100);
    PageView *view = f.viewer.pageView();
    QWheelEvent up(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &up);
    QCOMPARE(f.viewer.zoomLevel(), ZoomLevel::percent(150));
    QCOMPARE(f.viewer.currentPageIndex(), 0);
}

void TestReportViewerWidget::findMovesToTheMatchingPage()
{
    Fixture f;
    f.viewAndFinish();
    QVERIFY(f.viewer.findNext(SyntheticPageSource::uniqueWordOf(7).toUpper()));
    QCOMPARE(f.viewer.currentPageIndex(), 7);
    QVERIFY(f.viewer.pageView()->highlight().has_value());
    // From the last page the search wraps round to the report's start.
    f.viewer.showLastPage();
    QVERIFY(f.viewer.findNext(SyntheticPageSource::uniqueWordOf(2)));
    QCOMPARE(f.viewer.currentPageIndex(), 2);
}

void TestReportViewerWidget::findWalksThroughMatchesAndReportsAbsence()
{
    Fixture f;
    f.viewAndFinish();
    // "Total pàgina" stands once on every page.
    QVERIFY(f.viewer.findNext(QStringLiteral("total pàgina")));
    QCOMPARE(f.viewer.currentPageIndex(), 0);
    QVERIFY(f.viewer.findNext(QStringLiteral("total pàgina")));
    QCOMPARE(f.viewer.currentPageIndex(), 1);
    QVERIFY(!f.viewer.findNext(QStringLiteral("Albarà-99999")));
    QCOMPARE(f.viewer.currentPageIndex(), 1);
    QVERIFY(!f.viewer.pageView()->highlight().has_value());
    QCOMPARE(f.viewer.statusLine()->progressText(), QStringLiteral("No s'ha trobat «Albarà-99999»."));
}

void TestReportViewerWidget::groupTreeClickGoesToTheGroup()
{
    Fixture f;
    f.viewAndFinish();
    GroupTreePanel *tree = f.viewer.groupTree();
    QVERIFY(f.viewer.isGroupTreeShown());
    QCOMPARE(tree->entryCount(), 8); // 4 groups of 3 pages, each with one subgroup
    QCOMPARE(tree->topLevelItemCount(), 4);
    QTreeWidgetItem *third = tree->itemForEntry(4);
    QCOMPARE(tree->indexOfTopLevelItem(third), 2);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(third).center());
    QCOMPARE(f.viewer.currentPageIndex(), 6);
    const int expectedScroll = int(1800 * f.viewer.pageView()->scale());
    QVERIFY(qAbs(f.viewer.pageView()->verticalScrollBar()->value() - expectedScroll) <= 1);
}

void TestReportViewerWidget::drillDownOpensAViewOfTheGroup()
{
    Fixture f;
    f.viewAndFinish();
    // The second customer starts on page 3; the third starts under the page
    // header of page 6, so page 6 may still end the second: pages 3 to 6.
    f.viewer.openGroupView(2);
    QCOMPARE(f.viewer.viewCount(), 2);
    QCOMPARE(f.viewer.viewTabs()->count(), 2);
    QCOMPARE(f.viewer.currentPageIndex(), 3);
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 4"));
    f.viewer.showLastPage();
    QCOMPARE(f.viewer.currentPageIndex(), 6);
    f.viewer.showNextPage();
    QCOMPARE(f.viewer.currentPageIndex(), 6);
    QVERIFY(f.viewer.toolBar()->closeViewAction->isEnabled());
    f.viewer.closeCurrentView();
    QCOMPARE(f.viewer.viewCount(), 1);
    QCOMPARE(f.viewer.currentPageIndex(), 0);
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 12"));
}

void TestReportViewerWidget::stopCancelsCountingAndNavigationResumesIt()
{
    Fixture f(SyntheticShape{.pages = 12, .holdAtPage = 2});
    QSignalSpy ended(&f.viewer, &ReportViewerWidget::workEnded);
    f.viewer.viewReport();
    QTRY_COMPARE_WITH_TIMEOUT(f.pageText(), QStringLiteral("Pàgina 1 de 2+"), 20000);
    QVERIFY(f.viewer.toolBar()->stopAction->isEnabled());
    f.viewer.toolBar()->stopAction->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 20000);
    QVERIFY(!f.viewer.isWorking());
    QVERIFY(f.viewer.statusLine()->progressText().startsWith(QStringLiteral("Aturat")));
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina 1 de 2+"));
    QVERIFY(!f.viewer.toolBar()->stopAction->isEnabled());
    // Asking for a page not laid out yet takes the work up again.
    f.viewer.goToPage(5);
    QVERIFY(f.viewer.isWorking());
    QVERIFY(!f.viewer.pageView()->page().has_value());
    f.source().release();
    QTRY_COMPARE_WITH_TIMEOUT(f.viewer.pageView()->page().has_value(), true, 20000);
    QCOMPARE(f.viewer.currentPageIndex(), 4);
    QTRY_COMPARE_WITH_TIMEOUT(f.pageText(), QStringLiteral("Pàgina 5 de 12"), 20000);
}

void TestReportViewerWidget::refreshReadsAgainAndKeepsThePage_data()
{
    QTest::addColumn<int>("pagesAfterRefresh");
    QTest::addColumn<int>("expectedIndex");
    QTest::newRow("the page still exists: stay on it") << 12 << 4;
    QTest::newRow("the data shrank: the new last page") << 3 << 2;
}

void TestReportViewerWidget::refreshReadsAgainAndKeepsThePage()
{
    QFETCH(int, pagesAfterRefresh);
    QFETCH(int, expectedIndex);
    Fixture f;
    f.viewAndFinish();
    f.viewer.goToPage(5);
    f.shape.pages = pagesAfterRefresh;
    f.viewer.toolBar()->refreshAction->trigger();
    QCOMPARE(f.pageSourcesCreated(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!f.viewer.isWorking(), 20000);
    QCOMPARE(f.viewer.currentPageIndex(), expectedIndex);
    QCOMPARE(f.viewer.pageView()->page()->number, expectedIndex + 1);
    QCOMPARE(f.pageText(), QStringLiteral("Pàgina %1 de %2").arg(expectedIndex + 1).arg(pagesAfterRefresh));
}

void TestReportViewerWidget::switchedOffFeaturesAreHidden_data()
{
    QTest::addColumn<int>("switchNumber");
    QTest::addColumn<QString>("what");
    QTest::newRow(" 1 group tree not open at start") << 1 << QStringLiteral("tree");
    QTest::newRow(" 2 no group tree button") << 2 << QStringLiteral("treeButton");
    QTest::newRow(" 3 no toolbar") << 3 << QStringLiteral("toolbar");
    QTest::newRow(" 5 no view tabs") << 5 << QStringLiteral("tabs");
    QTest::newRow(" 8 no page navigation") << 8 << QStringLiteral("navigation");
    QTest::newRow(" 9 no zoom list") << 9 << QStringLiteral("zoom");
    QTest::newRow("10 no print") << 10 << QStringLiteral("print");
    QTest::newRow("12 no export") << 12 << QStringLiteral("export");
    QTest::newRow("13 no refresh") << 13 << QStringLiteral("refresh");
    QTest::newRow("15 no close view") << 15 << QStringLiteral("closeView");
    QTest::newRow("16 no stop") << 16 << QStringLiteral("stop");
    QTest::newRow("17 no progress") << 17 << QStringLiteral("progress");
    QTest::newRow("19 no find") << 19 << QStringLiteral("find");
    QTest::newRow("20 no drill-down") << 20 << QStringLiteral("drillDown");
}

void TestReportViewerWidget::switchedOffFeaturesAreHidden()
{
    QFETCH(int, switchNumber);
    QFETCH(QString, what);
    ViewerFeatures::Switches switches = ViewerFeatures{}.switches();
    switches[size_t(switchNumber - 1)] = false;
    Fixture f({}, ViewerFeatures::fromSwitches(switches));
    f.viewAndFinish();
    ReportViewerWidget &v = f.viewer;
    ViewerToolBar *bar = v.toolBar();
    const QMap<QString, std::function<bool()>> shown{
        {QStringLiteral("tree"), [&] { return v.isGroupTreeShown(); }},
        {QStringLiteral("treeButton"), [&] { return bar->groupTreeAction->isVisible(); }},
        {QStringLiteral("toolbar"), [&] { return bar->isVisible(); }},
        {QStringLiteral("tabs"), [&] { return v.viewTabs()->isVisible(); }},
        {QStringLiteral("navigation"), [&] { return bar->nextPageAction->isVisible() || bar->pageNumberBox->isVisible(); }},
        {QStringLiteral("zoom"), [&] { return bar->zoomList->isVisible(); }},
        {QStringLiteral("print"), [&] { return bar->printAction->isVisible(); }},
        {QStringLiteral("export"), [&] { return bar->exportAction->isVisible(); }},
        {QStringLiteral("refresh"), [&] { return bar->refreshAction->isVisible(); }},
        {QStringLiteral("closeView"), [&] { return bar->closeViewAction->isVisible(); }},
        {QStringLiteral("stop"), [&] { return bar->stopAction->isVisible(); }},
        {QStringLiteral("progress"), [&] { return v.statusLine()->findChildren<QWidget *>().size() > 2
                                                   && !v.statusLine()->findChildren<QWidget *>().at(2)->isHidden(); }},
        {QStringLiteral("find"), [&] { return bar->findBox->isVisible() || bar->findAction->isVisible(); }},
        {QStringLiteral("drillDown"), [&] { v.openGroupView(0); return v.viewCount() > 1; }},
    };
    QVERIFY2(!shown[what](), "a switched-off feature is still offered");
    // The same feature is offered with every switch on.
    Fixture allOn;
    allOn.viewAndFinish();
    QVERIFY(allOn.viewer.features().switches()[size_t(switchNumber - 1)]);
}

void TestReportViewerWidget::toolbarCommandsAreNamedForAssistiveTechnology()
{
    Fixture f;
    for (QWidget *child : f.viewer.toolBar()->findChildren<QWidget *>()) {
        if (!child->isVisible() || child->inherits("QToolBarExtension") || child->parentWidget() != f.viewer.toolBar())
            continue;
        if (child->inherits("QToolButton") || child->inherits("QLineEdit") || child->inherits("QComboBox")) {
            QVERIFY2(!child->accessibleName().isEmpty(), child->metaObject()->className());
            QVERIFY2(!child->toolTip().isEmpty() || !child->accessibleDescription().isEmpty(),
                     qPrintable(child->accessibleName()));
        }
    }
}

void TestReportViewerWidget::printAndExportGoToTheReport()
{
    Fixture f;
    f.viewAndFinish();
    f.viewer.toolBar()->printAction->trigger();
    f.viewer.toolBar()->exportAction->trigger();
    QVERIFY(f.engine.log().contains(QStringLiteral("print")));
    QVERIFY(f.engine.log().contains(QStringLiteral("export(true)")));
}

void TestReportViewerWidget::parametersAreAskedBeforeTheFirstPageOncePerView()
{
    Fixture f;
    f.engine.state().answerParameters = [] { return true; };
    f.viewAndFinish();
    const QStringList log = f.engine.log();
    QCOMPARE(log.count(QStringLiteral("askParameterValues")), 1);
    QVERIFY(log.indexOf(QStringLiteral("askParameterValues")) < log.indexOf(QStringLiteral("createPageSource")));
    f.viewer.goToPage(2);
    QCOMPARE(f.engine.log().count(QStringLiteral("askParameterValues")), 1);
    const QString shown = f.pageText();
    // Refresh asks again; the answers and the data change together.
    f.viewer.toolBar()->refreshAction->trigger();
    QCOMPARE(f.engine.log().count(QStringLiteral("askParameterValues")), 2);
    QCOMPARE(f.pageSourcesCreated(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!f.viewer.isWorking(), 20000);
    // Cancelling a refresh keeps the report shown as it was.
    f.engine.state().answerParameters = [] { return false; };
    f.viewer.toolBar()->refreshAction->trigger();
    QCOMPARE(f.pageSourcesCreated(), 2);
    QCOMPARE(f.pageText(), shown);
    QVERIFY(f.viewer.findChildren<QMessageBox *>().isEmpty());
}

void TestReportViewerWidget::cancellingTheParametersShowsNothingAndNoMessage()
{
    Fixture f;
    f.engine.state().answerParameters = [] { return false; };
    try {
        f.viewer.viewReport();
        QFAIL("the view went on without the parameters");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number(), ParameterErrors::PromptCancelled);
    }
    QCOMPARE(f.pageSourcesCreated(), 0);
    QVERIFY(!f.viewer.pageView()->page());
    QVERIFY(f.viewer.findChildren<QMessageBox *>().isEmpty());
}

QTEST_MAIN(TestReportViewerWidget)
#include "test_report_viewer_widget.moc"

#include "engine/seam/SeamErrors.h"
#include "viewer/frmCRViewer.h"
#include "../support/RecordingEngine.h"

#include <QFrame>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Fixture {
    Fixture()
    {
        glcrxReport = engine.createApplication()->openReport(QStringLiteral("vendes.rpt"));
        window = std::make_unique<frmCRViewer>(glcrxReport, engine);
        engine.state().log.clear();
    }
    RecordingViewerControl &viewer() { return static_cast<RecordingViewerControl &>(*window->design().CRViewer1); }
    QStringList viewerCalls() const { return engine.log().filter(QStringLiteral("viewer.")); }

    RecordingEngine engine;
    std::shared_ptr<EngineReport> glcrxReport;
    std::unique_ptr<frmCRViewer> window;
};

} // namespace

class TestFrmCRViewer : public QObject {
    Q_OBJECT
private slots:
    void loadHandsOverTheReportAndNamesThePrinter();
    void loadReadsTheMainWindowsReportWhenItRuns();
    void firstActivationShowsTheReportOnce();
    void activationEventsShowTheReport();
    void failedFirstActivationKeepsTheFlag();
    void showModalRethrowsTheFirstActivationsFailure();
    void layoutStretchesTheViewerUnderTheStrip_data();
    void layoutStretchesTheViewerUnderTheStrip();
    void resizingTheWindowLaysItOut();
    void viewerRefusesNegativeSizes();
    void stripControlsStandAtTheirDesignPlaces_data();
    void stripControlsStandAtTheirDesignPlaces();
    void stripFollowsTheWindowWidthOnly();
    void tooltipsAreExact_data();
    void tooltipsAreExact();
    void tabOrderFollowsTheDesign();
    void designLooks();
    void viewerDesignSettings();
};

void TestFrmCRViewer::loadHandsOverTheReportAndNamesThePrinter()
{
    Fixture f;
    f.window->Form_Load();
    QCOMPARE(f.viewerCalls(), QStringList{QStringLiteral("viewer.setReportSource")});
    QCOMPARE(f.viewer().reportSource(), f.glcrxReport);
    QCOMPARE(f.window->design().lblImpressora->text(), QPrinterInfo::defaultPrinterName());
    QVERIFY(f.window->isFirstActivationPending());
}

void TestFrmCRViewer::loadReadsTheMainWindowsReportWhenItRuns()
{
    // The window holds a reference to the main window's member: a report
    // opened after the window was made is the one it hands over.
    RecordingEngine engine;
    std::shared_ptr<EngineReport> glcrxReport;
    frmCRViewer window(glcrxReport, engine);
    glcrxReport = engine.createApplication()->openReport(QStringLiteral("nou.rpt"));
    window.Form_Load();
    QCOMPARE(static_cast<RecordingViewerControl *>(window.design().CRViewer1)->reportSource(), glcrxReport);
}

void TestFrmCRViewer::firstActivationShowsTheReportOnce()
{
    Fixture f;
    f.window->Form_Load();
    f.window->Form_Activate();
    f.window->Form_Activate();
    f.window->Form_Activate();
    QCOMPARE(f.viewerCalls(), (QStringList{QStringLiteral("viewer.setReportSource"), QStringLiteral("viewer.viewReport"),
                                          QStringLiteral("viewer.zoom(100)")}));
    QVERIFY(!f.window->isFirstActivationPending());
}

void TestFrmCRViewer::activationEventsShowTheReport()
{
    Fixture f;
    f.window->Form_Load();
    f.window->show();
    f.window->activateWindow();
    QTRY_VERIFY(!f.window->isFirstActivationPending());
    QCOMPARE(f.viewer().currentZoom(), qint16(100));
    QCOMPARE(f.viewerCalls().count(QStringLiteral("viewer.viewReport")), 1);
}

void TestFrmCRViewer::failedFirstActivationKeepsTheFlag()
{
    Fixture f;
    f.engine.state().failures.emplace(QStringLiteral("viewer.viewReport"),
                                      Failure(5123, QStringLiteral("No s'ha pogut llegir la base de dades")));
    f.window->Form_Load();
    QVERIFY_THROWS_EXCEPTION(Failure, f.window->Form_Activate());
    QVERIFY(f.window->isFirstActivationPending());
    QVERIFY(!f.viewerCalls().contains(QStringLiteral("viewer.zoom(100)")));
    // A later activation tries again.
    f.engine.state().failures.clear();
    f.window->Form_Activate();
    QVERIFY(!f.window->isFirstActivationPending());
    QCOMPARE(f.viewerCalls().count(QStringLiteral("viewer.viewReport")), 2);
}

void TestFrmCRViewer::showModalRethrowsTheFirstActivationsFailure()
{
    Fixture f;
    f.engine.state().failures.emplace(QStringLiteral("viewer.viewReport"),
                                      Failure(5123, QStringLiteral("No s'ha pogut llegir la base de dades")));
    f.window->Form_Load();
    // Only a guard against a platform that never activates windows.
    QTimer::singleShot(20000, f.window.get(), &QWidget::close);
    try {
        f.window->showModal();
        QFAIL("showModal returned without the failure");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number(), 5123);
        QCOMPARE(failure.description(), QStringLiteral("No s'ha pogut llegir la base de dades"));
    }
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.window->isFirstActivationPending());
}

void TestFrmCRViewer::layoutStretchesTheViewerUnderTheStrip_data()
{
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<QRect>("expected");
    // 15 twips to a pixel: the strip is 375 twips, 25 pixels, high; the
    // design's client area is 10545 x 7500 twips, 703 x 500 pixels.
    QTest::newRow("design size: under the strip, over the rest") << QSize(703, 500) << QRect(0, 25, 703, 475);
    QTest::newRow("a larger window") << QSize(1200, 900) << QRect(0, 25, 1200, 875);
    QTest::newRow("exactly the strip's height leaves no room") << QSize(703, 25) << QRect(0, 25, 703, 0);
    QTest::newRow("lower than the strip: old height kept, width follows")
        << QSize(400, 10) << QRect(0, 25, 400, 475);
    QTest::newRow("minimised: old height kept") << QSize(300, 0) << QRect(0, 25, 300, 475);
}

void TestFrmCRViewer::layoutStretchesTheViewerUnderTheStrip()
{
    QFETCH(QSize, clientSize);
    QFETCH(QRect, expected);
    Fixture f;
    f.window->resize(703, 500);
    f.window->Form_Resize();
    f.window->resize(clientSize);
    f.window->Form_Resize();
    QCOMPARE(f.viewer().geometry(), expected);
}

void TestFrmCRViewer::resizingTheWindowLaysItOut()
{
    Fixture f;
    f.window->show();
    f.window->resize(640, 480);
    QTRY_COMPARE(f.viewer().geometry(), QRect(0, 25, 640, 455));
    QCOMPARE(f.window->design().PictureBotons->geometry(), QRect(0, 0, 640, 25));
}

void TestFrmCRViewer::viewerRefusesNegativeSizes()
{
    Fixture f;
    const QRect before = f.viewer().geometry();
    try {
        f.viewer().setHeight(-5);
        QFAIL("a negative height was accepted");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number(), SeamErrors::NegativeSize);
    }
    QVERIFY_THROWS_EXCEPTION(Failure, f.viewer().setWidth(-1));
    QCOMPARE(f.viewer().geometry(), before);
}

void TestFrmCRViewer::stripControlsStandAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected"); // pixels in the strip's inner area
    QTest::newRow("lblExportar 0,0 950x255") << QStringLiteral("lblExportar") << QRect(0, 0, 63, 17);
    QTest::newRow("cmdExport(1) 960,-30 375x375") << QStringLiteral("cmdExport1") << QRect(64, -2, 25, 25);
    QTest::newRow("cmdExport(2) 1320,-30 overlaps its left neighbour") << QStringLiteral("cmdExport2") << QRect(88, -2, 25, 25);
    QTest::newRow("cmdExport(3) 1680,-30") << QStringLiteral("cmdExport3") << QRect(112, -2, 25, 25);
    QTest::newRow("cmdMarges 2670,30 375x255") << QStringLiteral("cmdMarges") << QRect(178, 2, 25, 17);
    QTest::newRow("cmdImpressora 3120,30 375x255") << QStringLiteral("cmdImpressora") << QRect(208, 2, 25, 17);
    QTest::newRow("lblImpressora 3600,30 6495x255") << QStringLiteral("lblImpressora") << QRect(240, 2, 433, 17);
}

void TestFrmCRViewer::stripControlsStandAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    Fixture f;
    const QWidget *area = f.window->design().stripArea;
    const auto *control = area->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), area);
    QCOMPARE(control->geometry(), expected);
}

void TestFrmCRViewer::stripFollowsTheWindowWidthOnly()
{
    Fixture f;
    const frmCRViewerDesign &d = f.window->design();
    f.window->show();
    f.window->resize(300, 400);
    QTRY_COMPARE(d.PictureBotons->width(), 300);
    QCOMPARE(d.PictureBotons->height(), 25);
    QCOMPARE(d.cmdImpressora->geometry(), QRect(208, 2, 25, 17));
    QCOMPARE(d.lblImpressora->geometry(), QRect(240, 2, 433, 17));
    // The printer label is cut off at the strip's edge: the area clips it.
    QVERIFY(d.stripArea->geometry().right() < d.lblImpressora->geometry().right());
}

void TestFrmCRViewer::tooltipsAreExact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("Excel, with two blanks") << QStringLiteral("cmdExport1") << QStringLiteral("Exportar a  MS-Excel");
    QTest::newRow("Word") << QStringLiteral("cmdExport2") << QStringLiteral("Exportar a MS-Word");
    QTest::newRow("PDF") << QStringLiteral("cmdExport3") << QStringLiteral("Exportar a PDF");
    QTest::newRow("margins") << QStringLiteral("cmdMarges") << QStringLiteral("Marges d'impressió");
    QTest::newRow("printer") << QStringLiteral("cmdImpressora") << QStringLiteral("Configurar impressora");
}

void TestFrmCRViewer::tooltipsAreExact()
{
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    Fixture f;
    const auto *button = f.window->findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->toolTip(), tooltip);
    // Assistive technology reads the tooltip as the description and needs a
    // name for a button that shows only a picture.
    QCOMPARE(button->accessibleDescription(), tooltip);
    QVERIFY(!button->accessibleName().isEmpty());
}

void TestFrmCRViewer::tabOrderFollowsTheDesign()
{
    Fixture f;
    const frmCRViewerDesign &d = f.window->design();
    const QList<QWidget *> designOrder{d.PictureBotons, d.cmdImpressora, d.cmdMarges, d.CRViewer1,
                                       d.cmdExport(2),  d.cmdExport(1),  d.cmdExport(3)};
    QList<QWidget *> walked;
    QWidget *w = d.PictureBotons;
    do {
        if (designOrder.contains(w) && !walked.contains(w))
            walked.append(w);
        w = w->nextInFocusChain();
    } while (w != d.PictureBotons);
    QCOMPARE(walked, designOrder);
    QCOMPARE(d.lblExportar->focusPolicy(), Qt::NoFocus);
    QCOMPARE(d.lblImpressora->focusPolicy(), Qt::NoFocus);
}

void TestFrmCRViewer::designLooks()
{
    Fixture f;
    const frmCRViewerDesign &d = f.window->design();
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Visualitzador de Crystal Reports"));
    QCOMPARE(f.window->size(), QSize(703, 500));
    QCOMPARE(d.lblExportar->text(), QStringLiteral("Exportar :"));
    QVERIFY(d.lblExportar->alignment() & Qt::AlignRight);
    QCOMPARE(d.lblExportar->font().family(), QStringLiteral("Liberation Sans"));
    QVERIFY(d.lblExportar->font().bold());
    QCOMPARE(d.lblExportar->font().pointSizeF(), 8.25);
    QCOMPARE(d.lblImpressora->font().family(), QStringLiteral("Liberation Sans"));
    QVERIFY(d.lblImpressora->font().bold());
    QCOMPARE(d.lblImpressora->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(d.lblImpressora->text(), QStringLiteral("impressora"));
    QCOMPARE(d.cmdImpressora->text(), QStringLiteral("..."));
    QCOMPARE(d.cmdExport(1)->iconSize(), QSize(16, 16));
    QCOMPARE(d.cmdMarges->iconSize(), QSize(22, 17));
    QVERIFY(!d.cmdExport(3)->icon().isNull());
    for (QPushButton *b : f.window->findChildren<QPushButton *>())
        QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));
}

void TestFrmCRViewer::viewerDesignSettings()
{
    Fixture f;
    const auto switches = f.window->design().CRViewer1->features().switches();
    QList<int> off;
    for (int i = 0; i < int(switches.size()); ++i)
        if (!switches[size_t(i)])
            off.append(i + 1);
    QCOMPARE(off, (QList<int>{11, 14, 22}));
    QVERIFY(f.window->design().CRViewer1->features().mainViewCaption.isEmpty());
}

QTEST_MAIN(TestFrmCRViewer)
#include "test_frmCRViewer.moc"

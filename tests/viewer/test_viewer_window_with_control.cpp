// The viewer window around the real viewer control, over synthetic pages.
// Run with VELMORA_DEMO=1 (and VELMORA_DEMO_ZOOM=100|whole|width,
// VELMORA_DEMO_TREE=0|1) to keep the window open for a look or a screenshot.

#include "engine/control/PageView.h"
#include "engine/control/ReportViewerWidget.h"
#include "engine/control/ViewerStatusLine.h"
#include "viewer/frmCRViewer.h"
#include "../support/RecordingEngine.h"
#include "../support/SyntheticPageSource.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The recording engine's reports, shown in the real control.
class EngineWithRealControl : public ReportEngine {
public:
    EngineWithRealControl()
    {
        m_recording.state().makePageSource = [] {
            return std::make_shared<SyntheticPageSource>(SyntheticShape{.pages = 14, .millisecondsPerPage = 20});
        };
    }
    std::unique_ptr<EngineApplication> createApplication() override { return m_recording.createApplication(); }
    ReportViewerControl *createViewerControl(QWidget *parent) override { return new ReportViewerWidget(parent); }

private:
    RecordingEngine m_recording;
};

} // namespace

class TestViewerWindowWithControl : public QObject {
    Q_OBJECT
private slots:
    void firstActivationShowsPageOneAtHundredUnderTheStrip();
};

void TestViewerWindowWithControl::firstActivationShowsPageOneAtHundredUnderTheStrip()
{
    EngineWithRealControl engine;
    std::shared_ptr<EngineReport> glcrxReport = engine.createApplication()->openReport(QStringLiteral("vendes.rpt"));
    frmCRViewer window(glcrxReport, engine);
    window.Form_Load();
    auto *viewer = static_cast<ReportViewerWidget *>(window.design().CRViewer1);

    const bool demo = qEnvironmentVariableIntValue("VELMORA_DEMO") == 1;
    if (demo) {
        // Without a window manager nothing maximizes the window: size it here.
        if (qEnvironmentVariableIsSet("VELMORA_DEMO_SIZE"))
            QTimer::singleShot(200, &window, [&window] {
                const QStringList wh = qEnvironmentVariable("VELMORA_DEMO_SIZE").split(u'x');
                window.setGeometry(0, 0, wh.value(0).toInt(), wh.value(1).toInt());
            });
        QTimer::singleShot(1500, &window, [viewer] {
            const QString zoom = qEnvironmentVariable("VELMORA_DEMO_ZOOM");
            if (zoom == QLatin1String("whole"))
                viewer->setZoomLevel(ZoomLevel::wholePage());
            else if (zoom == QLatin1String("width"))
                viewer->setZoomLevel(ZoomLevel::pageWidth());
            viewer->setGroupTreeShown(qEnvironmentVariable("VELMORA_DEMO_TREE") != QLatin1String("0"));
            if (qEnvironmentVariableIsSet("VELMORA_DEMO_FIND"))
                viewer->findNext(qEnvironmentVariable("VELMORA_DEMO_FIND"));
        });
        window.showModal();
        return;
    }
    QTimer::singleShot(20000, &window, &QWidget::close); // guard only
    QTimer::singleShot(0, &window, [&window] {
        QTRY_VERIFY(!window.isFirstActivationPending());
        window.close();
    });
    window.showModal();
    QCOMPARE(viewer->currentPageIndex(), 0);
    QCOMPARE(viewer->zoomLevel(), ZoomLevel::percent(100));
    QVERIFY(viewer->pageView()->page().has_value());
    QCOMPARE(viewer->geometry().top(), 25);
    QCOMPARE(viewer->geometry().width(), window.width());
    QVERIFY(viewer->statusLine()->pageText().startsWith(QStringLiteral("Pàgina 1 de ")));
}

QTEST_MAIN(TestViewerWindowWithControl)
#include "test_viewer_window_with_control.moc"

#include "engine/control/PageView.h"
#include "engine/control/ReportViewerWidget.h"
#include "../support/RecordingEngine.h"
#include "../support/SyntheticPageSource.h"

#include <QDesktopServices>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

/// Stands in for the desktop's browser: records what it is asked to open.
class OpenedAddresses : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

/// Where, in the page view's viewport, the customer's name of a synthetic page stands.
QPoint customerNameOn(const PageView &view)
{
    const QRect page = view.pageRect();
    const double s = view.scale();
    return page.topLeft() + QPoint(int((1134 + 200) * s), int((1740 + 130) * s));
}

} // namespace

class FormattingLinksTest : public QObject {
    Q_OBJECT
private slots:
    void clickOpensTheObjectsLinkOnlyForHonouredSchemes_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opens");
        QTest::newRow("https") << "https://botiga.exemple.cat/client?id=7" << true;
        QTest::newRow("mailto") << "mailto:vendes@exemple.cat" << true;
        QTest::newRow("javascript is printed, not followed") << "javascript:alert(1)" << false;
        QTest::newRow("a local file is not followed") << "file:///etc/passwd" << false;
        QTest::newRow("no link") << "" << false;
    }
    void clickOpensTheObjectsLinkOnlyForHonouredSchemes()
    {
        QFETCH(QString, link);
        QFETCH(bool, opens);
        OpenedAddresses desktop;
        const QStringList schemes{QStringLiteral("https"), QStringLiteral("mailto"), QStringLiteral("javascript"),
                                  QStringLiteral("file")};
        for (const QString &scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, &desktop, "open");

        RecordingEngine engine;
        std::vector<std::shared_ptr<SyntheticPageSource>> sources;
        engine.state().makePageSource = [&] {
            sources.push_back(std::make_shared<SyntheticPageSource>(SyntheticShape{.pages = 2, .customerLink = link}));
            return sources.back();
        };
        ReportViewerWidget viewer;
        viewer.resize(900, 700);
        viewer.show();
        viewer.setReportSource(engine.createApplication()->openReport(QStringLiteral("vendes.rpt")));
        viewer.viewReport();
        QTRY_VERIFY_WITH_TIMEOUT(!viewer.isWorking(), 20000);
        PageView *view = viewer.pageView();
        QVERIFY(desktop.opened.isEmpty()); // nothing is followed without a click
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, customerNameOn(*view));
        for (const QString &scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(desktop.opened, opens ? QList<QUrl>{QUrl(link)} : QList<QUrl>{});
    }
};

QTEST_MAIN(FormattingLinksTest)
#include "test_formatting_links.moc"

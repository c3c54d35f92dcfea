#include "../app/ViewerCloser.h"
#include "../support/TestData.h"
#include "app/frmCrViewerMain.h"
#include "engine/control/PageView.h"
#include "engine/control/ReportViewerWidget.h"
#include "engine/control/ViewerToolBar.h"
#include "engine/report/CreateReportEngine.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using velmora::MessageBoxRequest;
using velmora::frmCRViewer;
using velmora::testing::sourcePath;
using velmora::testing::testDataPath;
using velmora::testing::ViewerCloser;

namespace {

/// What the viewer window had on screen when the test closed it.
struct ShownPage {
    int pageIndex = -1;
    int pageNumber = 0;
    QStringList texts;
};

ShownPage shownPage(frmCRViewer &viewer)
{
    ShownPage shown;
    auto *control = qobject_cast<velmora::ReportViewerWidget *>(viewer.design().CRViewer1);
    if (!control || !control->pageView()->page())
        return shown;
    shown.pageIndex = control->currentPageIndex();
    const velmora::Page &page = *control->pageView()->page();
    shown.pageNumber = page.number;
    for (const velmora::PageItem &item : page.items)
        if (const auto *text = std::get_if<velmora::TextItem>(&item))
            shown.texts.append(text->text);
    return shown;
}

/// The program's main window over the real engine, preset as a command
/// line would, with its failure messages noted instead of shown.
class RealViewCommand {
public:
    RealViewCommand(const QString &report, const QString &database, const QString &password)
        : m_engine(velmora::createReportEngine()),
          m_window(*m_engine, velmora::ProgramStart{u"Velmora"_s, u"<%1> <%2> <>"_s.arg(report, database)})
    {
        passwordBox().setText(password);
        m_window.setMessageBoxFunction([this](QWidget *, const MessageBoxRequest &request) {
            messages.append(request);
            return QMessageBox::Ok;
        });
    }

    /// Presses the view button; the page on screen, if the viewer showed one.
    std::optional<ShownPage> press()
    {
        std::optional<ShownPage> shown;
        ViewerCloser closer([&](frmCRViewer &viewer) { shown = shownPage(viewer); });
        m_window.findChild<QPushButton *>(u"cmdVisualitzar"_s)->click();
        return shown;
    }

    QLineEdit &passwordBox() { return *m_window.findChild<QLineEdit *>(u"txtPassword"_s); }
    QString label(const QString &name) const { return m_window.findChild<QLabel *>(name)->text(); }
    frmCrViewerMain &window() { return m_window; }

    QList<MessageBoxRequest> messages;

private:
    std::unique_ptr<velmora::ReportEngine> m_engine;
    frmCrViewerMain m_window;
};

qint32 messageNumber(const MessageBoxRequest &message)
{
    return message.text.section(u"\r\n"_s, 0, 0).toInt();
}

QString messageDescription(const MessageBoxRequest &message)
{
    return message.text.section(u"\r\n"_s, 1);
}

} // namespace

class TestViewReportEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void showsTheFirstPage_data();
    void showsTheFirstPage();
    void failureIsToldAndTheWindowStaysUsable_data();
    void failureIsToldAndTheWindowStaysUsable();
    void correctedPasswordShowsTheReportAfterAFailure();
    void refreshReadsTheEncryptedFileAgain();

private:
    QTemporaryDir m_temp;
};

void TestViewReportEndToEnd::initTestCase()
{
    QVERIFY(m_temp.isValid());
    QFile text(m_temp.filePath(u"nota.rpt"_s));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Aquesta nota no és cap informe.\n");
    text.close();

    QFile database(testDataPath(u"empresa.mdb"_s));
    QVERIFY(database.open(QIODevice::ReadOnly));
    const QByteArray whole = database.readAll();
    QFile truncated(m_temp.filePath(u"tallada.mdb"_s));
    QVERIFY(truncated.open(QIODevice::WriteOnly));
    truncated.write(whole.left(whole.size() / 3));
}

void TestViewReportEndToEnd::showsTheFirstPage_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("shownText");

    const QString sales = sourcePath(u"examples/vendes-per-pais.rpt"_s);
    const QString orders = sourcePath(u"examples/comandes-amb-linies.rpt"_s);
    QTest::newRow("open database, empty box") << sales << testDataPath(u"empresa.mdb"_s) << QString()
                                              << u"Vendes per país i client"_s;
    QTest::newRow("protected database, password typed between blanks")
        << sales << testDataPath(u"empresa-clau.mdb"_s) << u"  clau secreta  "_s << u"Vendes per país i client"_s;
    // Subreport tables get no logon; the engine lends them the password
    // given to the main tables over the same file. The first order's first
    // line names its product only if the subreport could read the file.
    QTest::newRow("protected database read by a subreport too")
        << orders << testDataPath(u"empresa-clau.mdb"_s) << u"clau secreta"_s << u"Paletina 50 mm"_s;
    // Access 2013 encrypted the whole file under the password; the client
    // card comes from a subreport over the same file.
    const QString encrypted = testDataPath(u"clients-xifrats.rpt"_s);
    QTest::newRow("encrypted .accdb, password in the box")
        << encrypted << testDataPath(u"db2013-enc.accdb"_s) << u"1234"_s << u"Test2"_s;
    QTest::newRow("encrypted .accdb read by a subreport too")
        << encrypted << testDataPath(u"db2013-enc.accdb"_s) << u"1234"_s << u"Fitxa de Test2"_s;
}

void TestViewReportEndToEnd::showsTheFirstPage()
{
    QFETCH(QString, report);
    QFETCH(QString, database);
    QFETCH(QString, password);
    QFETCH(QString, shownText);

    RealViewCommand command(report, database, password);
    const std::optional<ShownPage> shown = command.press();

    QCOMPARE(command.messages.size(), 0);
    QVERIFY(shown);
    QCOMPARE(shown->pageIndex, 0);
    QCOMPARE(shown->pageNumber, 1);
    QVERIFY2(shown->texts.contains(shownText), qPrintable(shown->texts.join(u" | ")));
    QVERIFY(!command.window().glcrxReport);
    QVERIFY(!QApplication::overrideCursor());
}

void TestViewReportEndToEnd::failureIsToldAndTheWindowStaysUsable_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("descriptionMentions");

    const QString sales = sourcePath(u"examples/vendes-per-pais.rpt"_s);
    const QString locked = testDataPath(u"empresa-clau.mdb"_s);
    const QString open = testDataPath(u"empresa.mdb"_s);
    QTest::newRow("wrong password: the data layer's refusal")
        << sales << locked << u"clau"_s << 3005 << u"contrasenya"_s;
    QTest::newRow("empty password on a protected database")
        << sales << locked << QString() << 3005 << u"contrasenya"_s;
    const QString encryptedReport = testDataPath(u"clients-xifrats.rpt"_s);
    const QString encrypted = testDataPath(u"db2013-enc.accdb"_s);
    QTest::newRow("encrypted .accdb, wrong password")
        << encryptedReport << encrypted << u"12345"_s << 3005 << u"contrasenya"_s;
    QTest::newRow("encrypted .accdb, empty box") << encryptedReport << encrypted << QString() << 3005
                                                 << u"db2013-enc.accdb"_s;
    QTest::newRow("report file missing") << m_temp.filePath(u"no-hi-es.rpt"_s) << open << QString() << 2001
                                         << u"no-hi-es.rpt"_s;
    QTest::newRow("a database given as the report: binary, not XML")
        << open << open << QString() << 2008 << u"empresa.mdb"_s;
    QTest::newRow("a text file given as the report: text, not XML")
        << m_temp.filePath(u"nota.rpt"_s) << open << QString() << 2009 << u"nota.rpt"_s;
    QTest::newRow("a database without the report's tables")
        << sales << testDataPath(u"testV2003.mdb"_s) << QString() << 3010 << u"testV2003.mdb"_s;
    QTest::newRow("a database cut short")
        << sales << m_temp.filePath(u"tallada.mdb"_s) << QString() << 3004 << u"tallada.mdb"_s;
}

void TestViewReportEndToEnd::failureIsToldAndTheWindowStaysUsable()
{
    QFETCH(QString, report);
    QFETCH(QString, database);
    QFETCH(QString, password);
    QFETCH(int, number);
    QFETCH(QString, descriptionMentions);

    RealViewCommand command(report, database, password);
    QVERIFY(!command.press());
    QCOMPARE(command.messages.size(), 1);
    QCOMPARE(messageNumber(command.messages.first()), number);
    QVERIFY2(messageDescription(command.messages.first()).contains(descriptionMentions),
             qPrintable(command.messages.first().text));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(command.window().sArxiuRPT, report);
    QCOMPARE(command.window().sArxiuMDB, database);
    QCOMPARE(command.label(u"lblRpt"_s), report);
    QCOMPARE(command.label(u"lblMDB"_s), database);
    QCOMPARE(command.passwordBox().text(), password);

    // A further press runs the whole road again and is told the same.
    QVERIFY(!command.press());
    QCOMPARE(command.messages.size(), 2);
    QCOMPARE(command.messages.at(1).text, command.messages.at(0).text);
}

void TestViewReportEndToEnd::correctedPasswordShowsTheReportAfterAFailure()
{
    RealViewCommand command(sourcePath(u"examples/vendes-per-pais.rpt"_s), testDataPath(u"empresa-clau.mdb"_s),
                            u"clau"_s);
    QVERIFY(!command.press());
    QCOMPARE(command.messages.size(), 1);

    command.passwordBox().setText(u"clau secreta"_s);
    const std::optional<ShownPage> shown = command.press();
    QCOMPARE(command.messages.size(), 1);
    QVERIFY(shown);
    QCOMPARE(shown->pageNumber, 1);
    QVERIFY(!command.window().glcrxReport);
}

void TestViewReportEndToEnd::refreshReadsTheEncryptedFileAgain()
{
    RealViewCommand command(testDataPath(u"clients-xifrats.rpt"_s), testDataPath(u"db2013-enc.accdb"_s), u"1234"_s);
    std::optional<ShownPage> afterRefresh;
    ViewerCloser closer([&](frmCRViewer &viewer) {
        auto *control = qobject_cast<velmora::ReportViewerWidget *>(viewer.design().CRViewer1);
        control->toolBar()->refreshAction->trigger();
        QTest::qWaitFor([&] { return shownPage(viewer).texts.contains(u"Fitxa de f"_s); }, 10000);
        afterRefresh = shownPage(viewer);
    });
    command.window().findChild<QPushButton *>(u"cmdVisualitzar"_s)->click();
    QCOMPARE(command.messages.size(), 0);
    QVERIFY(afterRefresh);
    QVERIFY2(afterRefresh->texts.contains(u"Fitxa de f"_s), qPrintable(afterRefresh->texts.join(u" | ")));
}

QTEST_MAIN(TestViewReportEndToEnd)
#include "test_view_report_end_to_end.moc"

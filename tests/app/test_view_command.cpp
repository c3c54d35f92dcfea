#include "../support/RecordingEngine.h"
#include "ViewerCloser.h"
#include "app/LogOnText.h"
#include "app/frmCrViewerMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using velmora::Failure;
using velmora::MessageBoxRequest;
using velmora::frmCRViewer;
using velmora::testing::FakeObjectShape;
using velmora::testing::RecordingEngine;
using velmora::testing::ViewerCloser;

namespace {

/// The recording engine, noting the pointer at the moment a view request
/// starts working with the engine.
class PointerWatchingEngine : public RecordingEngine {
public:
    std::unique_ptr<velmora::EngineApplication> createApplication() override
    {
        const QCursor *cursor = QApplication::overrideCursor();
        pointerAtCreation = cursor ? std::optional(cursor->shape()) : std::nullopt;
        return RecordingEngine::createApplication();
    }
    std::optional<Qt::CursorShape> pointerAtCreation;
};

/// A main window preset from a command line, over the recording engine,
/// whose message boxes are noted instead of shown.
struct ViewCommand {
    explicit ViewCommand(const QString &argumentText = u"<informe.rpt> <dades.mdb> <clau>"_s)
        : window(engine, velmora::ProgramStart{u"Velmora"_s, argumentText})
    {
        window.setMessageBoxFunction([this](QWidget *, const MessageBoxRequest &request) {
            messages.append(request);
            pointerWhenTold = QApplication::overrideCursor() != nullptr;
            return QMessageBox::Ok;
        });
    }

    void press() { window.findChild<QPushButton *>(u"cmdVisualitzar"_s)->click(); }
    void failAt(const QString &logLine, const Failure &failure) { engine.state().failures.emplace(logLine, failure); }
    QLineEdit &passwordBox() { return *window.findChild<QLineEdit *>(u"txtPassword"_s); }
    QString label(const QString &name) { return window.findChild<QLabel *>(name)->text(); }

    PointerWatchingEngine engine;
    frmCrViewerMain window;
    QList<MessageBoxRequest> messages;
    bool pointerWhenTold = false;
};

/// Two main tables; a text, a field and two subreports, the second holding
/// a subreport of its own.
velmora::testing::FakeReportShape reportWithSubreports()
{
    velmora::testing::FakeReportShape shape;
    shape.tables = QStringList{u"Clients"_s, u"Comandes"_s};
    const FakeObjectShape title{u"Titol"_s, 2, {}, {}};
    const FakeObjectShape field{u"Camp"_s, 1, {}, {}};
    const FakeObjectShape lines{u"Linies"_s, 5, {u"LiniesComanda"_s, u"Productes"_s}, {{field}}};
    const FakeObjectShape nested{u"Interior"_s, 5, {u"Venedors"_s}, {}};
    const FakeObjectShape summary{u"Resum"_s, 5, {u"Productes"_s}, {{nested}}};
    shape.sections = {{title}, {field, lines}, {summary}};
    return shape;
}

} // namespace

class TestViewCommand : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void walksTablesSectionsAndSubreportsInOrder();
    void logOnTextFromThePasswordBox_data();
    void logOnTextFromThePasswordBox();
    void everyMainTableGetsThePasswordBoxAsItIsNow();
    void missingPathIgnoresThePress_data();
    void missingPathIgnoresThePress();
    void failureIsToldInOneMessage_data();
    void failureIsToldInOneMessage();
    void failureLeavesTheWindowAsItWas();
    void failureUnwindsEveryPushedPointer();
    void busyWhilePreparingDefaultWhileViewing();
    void engineObjectsLiveUntilTheViewerCloses();
    void secondPressOpensAgainWithTheCurrentValues();
};

void TestViewCommand::cleanup()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TestViewCommand::walksTablesSectionsAndSubreportsInOrder()
{
    ViewCommand command;
    command.engine.state().shape = reportWithSubreports();
    ViewerCloser closer;
    command.press();

    // Main tables get location and logon; subreport tables a location only;
    // "Interior" sits inside a subreport and is never opened.
    const QStringList expected{
        u"createApplication"_s,
        u"openReport(informe.rpt)"_s,
        u"database"_s,
        u"tables"_s,
        u"Clients.setLocation(dades.mdb)"_s,
        u"Clients.setLogOnInfo(,\\nclau)"_s,
        u"Comandes.setLocation(dades.mdb)"_s,
        u"Comandes.setLogOnInfo(,\\nclau)"_s,
        u"sections"_s,
        u"Section1.reportObjects"_s,
        u"Titol.Kind"_s,
        u"Section2.reportObjects"_s,
        u"Camp.Kind"_s,
        u"Linies.Kind"_s,
        u"openSubreport(Linies)"_s,
        u"Linies:database"_s,
        u"Linies:tables"_s,
        u"Linies:LiniesComanda.setLocation(dades.mdb)"_s,
        u"Linies:Productes.setLocation(dades.mdb)"_s,
        u"Section3.reportObjects"_s,
        u"Resum.Kind"_s,
        u"openSubreport(Resum)"_s,
        u"Resum:database"_s,
        u"Resum:tables"_s,
        u"Resum:Productes.setLocation(dades.mdb)"_s,
        u"viewer.setReportSource"_s,
        u"viewer.viewReport"_s,
        u"viewer.zoom(100)"_s,
    };
    QCOMPARE(command.engine.log(), expected);
    QCOMPARE(closer.viewersClosed(), 1);
    QVERIFY(command.messages.isEmpty());
}

void TestViewCommand::logOnTextFromThePasswordBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("logOn");

    QTest::newRow("the text follows one line feed") << u"clau"_s << u"\nclau"_s;
    QTest::newRow("outer blanks go, the inner one stays") << u"  clau secreta  "_s << u"\nclau secreta"_s;
    QTest::newRow("empty box: the line feed alone") << QString() << u"\n"_s;
    QTest::newRow("only blanks: the line feed alone") << u"    "_s << u"\n"_s;
    QTest::newRow("a tab is no blank and belongs to the password") << u"\tclau "_s << u"\n\tclau"_s;
    QTest::newRow("a line feed typed in stays after the first") << u" a\nb"_s << u"\na\nb"_s;
}

void TestViewCommand::logOnTextFromThePasswordBox()
{
    QFETCH(QString, box);
    QFETCH(QString, logOn);
    QCOMPARE(velmora::logOnText(box), logOn);
}

void TestViewCommand::everyMainTableGetsThePasswordBoxAsItIsNow()
{
    // The command line preset "clau"; what counts is the box at the press.
    ViewCommand command;
    command.engine.state().shape = reportWithSubreports();
    command.passwordBox().setText(u" clau  nova "_s);
    ViewerCloser closer;
    command.press();
    QCOMPARE(command.engine.log().filter(u"setLogOnInfo"_s),
             (QStringList{u"Clients.setLogOnInfo(,\\nclau  nova)"_s, u"Comandes.setLogOnInfo(,\\nclau  nova)"_s}));
    QCOMPARE(command.passwordBox().text(), u" clau  nova "_s);
}

void TestViewCommand::missingPathIgnoresThePress_data()
{
    QTest::addColumn<QString>("argumentText");
    QTest::newRow("no database") << u"<informe.rpt> <> <clau>"_s;
    QTest::newRow("no report") << u"<> <dades.mdb> <clau>"_s;
    QTest::newRow("neither") << QString();
}

void TestViewCommand::missingPathIgnoresThePress()
{
    QFETCH(QString, argumentText);
    ViewCommand command(argumentText);
    command.press();
    QVERIFY(command.engine.log().isEmpty());
    QCOMPARE(command.engine.state().applicationsCreated, 0);
    QVERIFY(command.messages.isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!command.window.glcrxReport);
}

void TestViewCommand::failureIsToldInOneMessage_data()
{
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("reportOpened");

    QTest::newRow("report cannot be opened, nothing to hold")
        << u"openReport"_s << 2001 << u"No es troba l'informe «informe.rpt»."_s << false;
    QTest::newRow("second main table refuses its location")
        << u"Comandes.setLocation"_s << 1003 << u"La taula no accepta la ubicació."_s << true;
    QTest::newRow("first main table refuses its logon")
        << u"Clients.setLogOnInfo"_s << 1004 << u"La taula no accepta la connexió."_s << true;
    QTest::newRow("an object's kind cannot be read")
        << u"Linies.Kind"_s << 1005 << u"Propietat desconeguda: Kind"_s << true;
    QTest::newRow("a subreport cannot be opened")
        << u"openSubreport(Resum)"_s << 1006 << u"El subinforme no té cap informe a dins."_s << true;
    QTest::newRow("a subreport table refuses its location")
        << u"Linies:Productes.setLocation"_s << 1003 << u"La taula no accepta la ubicació."_s << true;
    QTest::newRow("the viewer window cannot take the report while loading")
        << u"viewer.setReportSource"_s << 1010 << u"El visualitzador no accepta l'informe."_s << true;
    QTest::newRow("the viewer cannot show the report on first activation")
        << u"viewer.viewReport"_s << 3005 << u"La contrasenya de la base de dades «dades.mdb» no és correcta."_s << true;
    QTest::newRow("a negative number keeps its sign")
        << u"openReport"_s << -2147191858 << u"Error del motor."_s << false;
}

void TestViewCommand::failureIsToldInOneMessage()
{
    QFETCH(QString, failingCall);
    QFETCH(int, number);
    QFETCH(QString, description);
    QFETCH(bool, reportOpened);

    ViewCommand command;
    command.engine.state().shape = reportWithSubreports();
    command.failAt(failingCall, Failure(number, description));
    command.press();

    QCOMPARE(command.messages.size(), 1);
    const MessageBoxRequest &message = command.messages.first();
    QCOMPARE(message.text, QString::number(number) + u"\r\n"_s + description);
    QCOMPARE(message.shownTitle(), u"Velmora"_s);
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(command.engine.log().last().startsWith(failingCall));
    QVERIFY(!command.pointerWhenTold);
    QVERIFY(!QApplication::overrideCursor());
    // The failed attempt's report stays; everything else the press obtained is released.
    QCOMPARE(bool(command.window.glcrxReport), reportOpened);
    QCOMPARE(command.engine.state().liveReports, reportOpened ? 1 : 0);
    QCOMPARE(command.engine.state().liveApplications, 0);
}

void TestViewCommand::failureLeavesTheWindowAsItWas()
{
    ViewCommand command;
    command.passwordBox().setText(u"  clau  "_s);
    command.failAt(u"Clients.setLocation"_s, Failure(3001, u"No es troba el fitxer."_s));
    command.press();

    QCOMPARE(command.messages.size(), 1);
    QCOMPARE(command.window.sArxiuRPT, u"informe.rpt"_s);
    QCOMPARE(command.window.sArxiuMDB, u"dades.mdb"_s);
    QCOMPARE(command.label(u"lblRpt"_s), u"informe.rpt"_s);
    QCOMPARE(command.label(u"lblMDB"_s), u"dades.mdb"_s);
    QCOMPARE(command.passwordBox().text(), u"  clau  "_s);
    QVERIFY(command.window.findChild<QPushButton *>(u"cmdVisualitzar"_s)->isEnabled());
}

void TestViewCommand::failureUnwindsEveryPushedPointer()
{
    // Whatever is left pushed (here two pointers from elsewhere), the user
    // reads the message and goes on under the default pointer.
    QApplication::setOverrideCursor(Qt::IBeamCursor);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ViewCommand command;
    command.failAt(u"openReport"_s, Failure(2001, u"No es troba l'informe."_s));
    command.press();
    QVERIFY(!command.pointerWhenTold);
    QVERIFY(!QApplication::overrideCursor());
}

void TestViewCommand::busyWhilePreparingDefaultWhileViewing()
{
    ViewCommand command;
    std::optional<bool> pointerWhileViewing;
    ViewerCloser closer([&](frmCRViewer &) { pointerWhileViewing = QApplication::overrideCursor() != nullptr; });
    command.press();
    QCOMPARE(command.engine.pointerAtCreation, std::optional(Qt::WaitCursor));
    QCOMPARE(pointerWhileViewing, std::optional(false));
    QVERIFY(!QApplication::overrideCursor());
}

void TestViewCommand::engineObjectsLiveUntilTheViewerCloses()
{
    ViewCommand command;
    command.engine.state().shape = reportWithSubreports();
    bool viewerShowsTheMainWindowsReport = false;
    int reportsWhileViewing = 0;
    int applicationsWhileViewing = 0;
    ViewerCloser closer([&](frmCRViewer &viewer) {
        const auto &held = command.window.glcrxReport;
        viewerShowsTheMainWindowsReport = held && held == viewer.design().CRViewer1->reportSource();
        reportsWhileViewing = command.engine.state().liveReports;
        applicationsWhileViewing = command.engine.state().liveApplications;
    });
    command.press();

    QVERIFY(viewerShowsTheMainWindowsReport);
    // The main report and the two subreports opened to reach their tables.
    QCOMPARE(reportsWhileViewing, 3);
    QCOMPARE(applicationsWhileViewing, 1);
    QVERIFY(!command.window.glcrxReport);
    QCOMPARE(command.engine.state().liveReports, 0);
    QCOMPARE(command.engine.state().liveApplications, 0);
}

void TestViewCommand::secondPressOpensAgainWithTheCurrentValues()
{
    ViewCommand command;
    ViewerCloser closer;
    command.press();
    command.window.sArxiuRPT = u"altre.rpt"_s;
    command.window.sArxiuMDB = u"altres.mdb"_s;
    command.passwordBox().setText(u"nova"_s);
    command.engine.state().log.clear();
    command.press();

    QCOMPARE(closer.viewersClosed(), 2);
    QCOMPARE(command.engine.state().applicationsCreated, 2);
    QCOMPARE(command.engine.log().mid(0, 6),
             (QStringList{u"createApplication"_s, u"openReport(altre.rpt)"_s, u"database"_s, u"tables"_s,
                          u"Clients.setLocation(altres.mdb)"_s, u"Clients.setLogOnInfo(,\\nnova)"_s}));
    QVERIFY(!command.window.glcrxReport);
    QCOMPARE(command.engine.state().liveReports, 0);
}

QTEST_MAIN(TestViewCommand)
#include "test_view_command.moc"

#include "../support/RecordingEngine.h"
#include "app/AppPictures.h"
#include "app/frmCrViewerMain.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using velmora::ProgramStart;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<frmCrViewerMain> mainWindow(velmora::ReportEngine &engine,
                                            const QString &argumentText = QString())
{
    return std::make_unique<frmCrViewerMain>(engine, ProgramStart{u"Velmora"_s, argumentText});
}

template<typename Control>
Control *control(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

const QStringList controlNames{u"cmdSeleccionarReport"_s, u"lblRpt"_s,
                               u"cmdSeleccionarBaseDeDades"_s, u"lblMDB"_s,
                               u"Label1"_s, u"txtPassword"_s, u"cmdVisualitzar"_s};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void clientAreaIsTheDesignSize();
    void controlGeometry_data();
    void controlGeometry();
    void nothingMovesWhenTheWindowIsResized_data();
    void nothingMovesWhenTheWindowIsResized();
    void designCaptions_data();
    void designCaptions();
    void focusStartsOnTheReportButtonAndTabWrapsAround();
    void enterAndEscapePressNothing();
    void passwordShowsAsterisks();
    void passwordLongerThanQtsDefaultLimitIsKept();
    void pathLabelsAreWhiteSingleLinePlainText_data();
    void pathLabelsAreWhiteSingleLinePlainText();
    void screenReaderNames_data();
    void screenReaderNames();
    void viewButtonShowsItsPictureAndNoText();
    void applicationIconHasItsSizes();
    void loadStepFillsLabelsMembersAndPassword_data();
    void loadStepFillsLabelsMembersAndPassword();
    void loadStepLeavesTheOpenReportAlone();

private:
    velmora::testing::RecordingEngine m_engine;
};

void TestMainWindow::clientAreaIsTheDesignSize()
{
    const auto window = mainWindow(m_engine);
    QCOMPARE(window->size(), QSize(533, 182)); // 7995 x 2730 twips
}

void TestMainWindow::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    // Twips over 15, worked out by hand: Left 120 -> 8, Width 1335 -> 89.
    QTest::newRow("report button 120,120 1335x375") << u"cmdSeleccionarReport"_s << QRect(8, 8, 89, 25);
    QTest::newRow("report path 120,600 7575x255") << u"lblRpt"_s << QRect(8, 40, 505, 17);
    QTest::newRow("database button 120,1080 1335x375")
        << u"cmdSeleccionarBaseDeDades"_s << QRect(8, 72, 89, 25);
    QTest::newRow("database path 120,1560 7575x255") << u"lblMDB"_s << QRect(8, 104, 505, 17);
    QTest::newRow("password caption 120,1920 855x255") << u"Label1"_s << QRect(8, 128, 57, 17);
    QTest::newRow("password box 1080,1920 1935x285") << u"txtPassword"_s << QRect(72, 128, 129, 19);
    QTest::newRow("view button 6960,2040 855x615") << u"cmdVisualitzar"_s << QRect(464, 136, 57, 41);
}

void TestMainWindow::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);

    const auto window = mainWindow(m_engine);
    QCOMPARE(control<QWidget>(*window, name)->geometry(), pixels);
}

void TestMainWindow::nothingMovesWhenTheWindowIsResized_data()
{
    QTest::addColumn<QSize>("newSize");
    QTest::newRow("widened and heightened") << QSize(1000, 500);
    QTest::newRow("shrunk below the controls' extent") << QSize(200, 60);
}

void TestMainWindow::nothingMovesWhenTheWindowIsResized()
{
    QFETCH(QSize, newSize);

    const auto window = mainWindow(m_engine);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QList<QRect> before;
    for (const QString &name : controlNames)
        before.append(control<QWidget>(*window, name)->geometry());

    window->resize(newSize);
    QTRY_COMPARE(window->size(), newSize);
    for (qsizetype i = 0; i < controlNames.size(); ++i)
        QCOMPARE(control<QWidget>(*window, controlNames.at(i))->geometry(), before.at(i));
}

void TestMainWindow::designCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("report button") << u"cmdSeleccionarReport"_s << u"Seleccionar rpt"_s;
    QTest::newRow("database button") << u"cmdSeleccionarBaseDeDades"_s << u"Seleccionar mdb"_s;
    QTest::newRow("password caption, space before the colon") << u"Label1"_s << u"Password :"_s;
}

void TestMainWindow::designCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    const auto window = mainWindow(m_engine);
    if (auto *button = window->findChild<QPushButton *>(name))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(control<QLabel>(*window, name)->text(), caption);
}

void TestMainWindow::focusStartsOnTheReportButtonAndTabWrapsAround()
{
    const auto window = mainWindow(m_engine);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(*window, u"cmdSeleccionarReport"_s));

    // Labels take no focus; after the password box the order starts over.
    const QStringList expected{u"cmdSeleccionarBaseDeDades"_s, u"cmdVisualitzar"_s,
                               u"txtPassword"_s, u"cmdSeleccionarReport"_s};
    for (const QString &name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void TestMainWindow::enterAndEscapePressNothing()
{
    const auto window = mainWindow(m_engine);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        clicks.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }

    auto *password = control<QLineEdit>(*window, u"txtPassword"_s);
    password->setFocus();
    QTest::keyClick(password, Qt::Key_Return);
    QTest::keyClick(password, Qt::Key_Enter);
    QTest::keyClick(password, Qt::Key_Escape);

    for (const auto &spy : clicks)
        QCOMPARE(spy->count(), 0);
    QVERIFY(window->isVisible());
}

void TestMainWindow::passwordShowsAsterisks()
{
    const auto window = mainWindow(m_engine, u"<a.rpt> <b.mdb> <clau>"_s);
    const auto *password = control<QLineEdit>(*window, u"txtPassword"_s);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->text(), u"clau"_s);
    QCOMPARE(password->displayText(), u"****"_s);
    QVERIFY(!password->testAttribute(Qt::WA_InputMethodEnabled));
}

void TestMainWindow::passwordLongerThanQtsDefaultLimitIsKept()
{
    const QString longPassword(40000, u'x');
    const auto window = mainWindow(m_engine, u"<a.rpt> <b.mdb> <"_s + longPassword + u'>');
    QCOMPARE(control<QLineEdit>(*window, u"txtPassword"_s)->text(), longPassword);
}

void TestMainWindow::pathLabelsAreWhiteSingleLinePlainText_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("report path") << u"lblRpt"_s;
    QTest::newRow("database path") << u"lblMDB"_s;
}

void TestMainWindow::pathLabelsAreWhiteSingleLinePlainText()
{
    QFETCH(QString, name);

    // A path that Qt would otherwise take for markup.
    const auto window = mainWindow(m_engine, u"<<b>x.rpt> <<i>y.mdb>"_s);
    const auto *label = control<QLabel>(*window, name);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(!label->wordWrap());
    QVERIFY(label->alignment() & Qt::AlignLeft);
}

void TestMainWindow::screenReaderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spokenName");

    QTest::newRow("report button by its caption") << u"cmdSeleccionarReport"_s << u"Seleccionar rpt"_s;
    QTest::newRow("database button by its caption")
        << u"cmdSeleccionarBaseDeDades"_s << u"Seleccionar mdb"_s;
    QTest::newRow("picture-only view button still has a name") << u"cmdVisualitzar"_s << u"Visualitzar"_s;
    QTest::newRow("password box named like its caption") << u"txtPassword"_s << u"Password"_s;
    QTest::newRow("report path label reads the path") << u"lblRpt"_s << u"a.rpt"_s;
    QTest::newRow("database path label reads the path") << u"lblMDB"_s << u"b.mdb"_s;
}

void TestMainWindow::screenReaderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, spokenName);

    const auto window = mainWindow(m_engine, u"<a.rpt> <b.mdb>"_s);
    QAccessibleInterface *accessible =
        QAccessible::queryAccessibleInterface(control<QWidget>(*window, name));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), spokenName);
}

void TestMainWindow::viewButtonShowsItsPictureAndNoText()
{
    const auto window = mainWindow(m_engine);
    const auto *view = control<QPushButton>(*window, u"cmdVisualitzar"_s);
    QVERIFY(view->text().isEmpty());
    QCOMPARE(view->iconSize(), QSize(32, 32));
    QCOMPARE(view->icon().pixmap(32, 32).size(), QSize(32, 32));
    QVERIFY(!view->icon().pixmap(32, 32).toImage().isNull());
}

void TestMainWindow::applicationIconHasItsSizes()
{
    const QIcon icon = velmora::applicationIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    // The sheet is drawn on a transparent ground.
    QCOMPARE(icon.pixmap(32, 32).toImage().pixelColor(0, 31).alpha(), 0);
}

void TestMainWindow::loadStepFillsLabelsMembersAndPassword_data()
{
    QTest::addColumn<QString>("argumentText");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("password");

    QTest::newRow("all three values go to their places")
        << u"<C:/Informes/vendes.rpt> <C:/Dades/empresa.mdb> < clau >"_s
        << u"C:/Informes/vendes.rpt"_s << u"C:/Dades/empresa.mdb"_s << u" clau "_s;
    QTest::newRow("an empty command line blanks the design placeholders")
        << u"   "_s << u""_s << u""_s << u""_s;
    QTest::newRow("a path with '&' is shown as written")
        << u"<Vendes & compres.rpt>"_s << u"Vendes & compres.rpt"_s << u""_s << u""_s;
}

void TestMainWindow::loadStepFillsLabelsMembersAndPassword()
{
    QFETCH(QString, argumentText);
    QFETCH(QString, report);
    QFETCH(QString, database);
    QFETCH(QString, password);

    const auto window = mainWindow(m_engine, argumentText);
    QCOMPARE(window->windowTitle(), u"Quorvane    -    Velmora  v2.00"_s);
    QCOMPARE(window->sArxiuRPT, report);
    QCOMPARE(control<QLabel>(*window, u"lblRpt"_s)->text(), report);
    QCOMPARE(window->sArxiuMDB, database);
    QCOMPARE(control<QLabel>(*window, u"lblMDB"_s)->text(), database);
    QCOMPARE(control<QLineEdit>(*window, u"txtPassword"_s)->text(), password);
}

void TestMainWindow::loadStepLeavesTheOpenReportAlone()
{
    const auto window = mainWindow(m_engine, u"<a.rpt> <b.mdb> <clau>"_s);
    QVERIFY(!window->glcrxReport);
    QCOMPARE(m_engine.state().applicationsCreated, 0);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

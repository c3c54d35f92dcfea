#include "ModalWidget.h"
#include "app/QtTranslations.h"
#include "app/UntrappedFailure.h"
#include "app/VelmoraApplication.h"
#include "engine/core/Failure.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using velmora::Failure;
using velmora::UntrappedFailure;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

/// A widget whose every mouse press fails, as an event handler that traps
/// nothing would.
class FailingWidget : public QWidget {
protected:
    void mousePressEvent(QMouseEvent *) override
    {
        throw Failure(1234, u"La taula Clients no existeix."_s);
    }
};

struct ShownBox {
    QString title;
    QString text;
};

/// Reads the next message box and presses its button.
void readAndCloseNextMessageBox(ShownBox &shown)
{
    velmora::testing::whenModalShown([&shown](QWidget &modal) {
        auto *box = qobject_cast<QMessageBox *>(&modal);
        if (!box)
            return;
        shown = {box->windowTitle(), box->text()};
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class TestUntrappedFailure : public QObject {
    Q_OBJECT
private slots:
    void describedAs_data();
    void describedAs();
    void failureInAnEventHandlerIsShownAndTheProgramGoesOn();
    void handlerEdgeStopsTheFailureAndShowsIt();
    void qtsOwnButtonsSpeakCatalan_data();
    void qtsOwnButtonsSpeakCatalan();
};

void TestUntrappedFailure::describedAs_data()
{
    QTest::addColumn<std::exception_ptr>("failure");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    QTest::newRow("the program's own failure keeps its number and words")
        << std::make_exception_ptr(Failure(-2147217900, u"Contrasenya no vàlida."_s))
        << -2147217900 << u"Contrasenya no vàlida."_s;
    QTest::newRow("a standard exception is unexpected but says what it was")
        << std::make_exception_ptr(std::runtime_error("vector too long")) << 7001
        << u"Error inesperat: vector too long"_s;
    QTest::newRow("anything else thrown is still reported")
        << std::make_exception_ptr(42) << 7001 << u"Error inesperat."_s;
}

void TestUntrappedFailure::describedAs()
{
    QFETCH(std::exception_ptr, failure);
    QFETCH(int, number);
    QFETCH(QString, description);

    const UntrappedFailure described = UntrappedFailure::from(failure);
    QCOMPARE(described.number, number);
    QCOMPARE(described.description, description);
    QCOMPARE(described.messageText(), QString::number(number) + u'\n' + description);
}

void TestUntrappedFailure::failureInAnEventHandlerIsShownAndTheProgramGoesOn()
{
    FailingWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));

    ShownBox shown;
    readAndCloseNextMessageBox(shown);
    QTest::mouseClick(&widget, Qt::LeftButton);
    QCOMPARE(shown.title, u"Velmora"_s);
    QCOMPARE(shown.text, u"1234\nLa taula Clients no existeix."_s);

    // The event loop still runs and the widget still takes events.
    readAndCloseNextMessageBox(shown);
    shown = {};
    QTest::mouseClick(&widget, Qt::LeftButton);
    QCOMPARE(shown.text, u"1234\nLa taula Clients no existeix."_s);
}

void TestUntrappedFailure::handlerEdgeStopsTheFailureAndShowsIt()
{
    ShownBox shown;
    readAndCloseNextMessageBox(shown);
    velmora::runTrappingFailures([] { throw std::out_of_range("index 9"); });
    QCOMPARE(shown.text, u"7001\nError inesperat: index 9"_s);
}

void TestUntrappedFailure::qtsOwnButtonsSpeakCatalan_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<QString>("text");

    QTest::newRow("yes") << QMessageBox::Yes << u"Sí"_s;
    QTest::newRow("no") << QMessageBox::No << u"No"_s;
    QTest::newRow("ok") << QMessageBox::Ok << u"D'acord"_s;
    QTest::newRow("cancel") << QMessageBox::Cancel << u"Cancel·la"_s;
}

void TestUntrappedFailure::qtsOwnButtonsSpeakCatalan()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QString, text);

    static const bool installed = (velmora::installCatalanQtTranslations(*qApp), true);
    Q_UNUSED(installed);
    QMessageBox box(QMessageBox::Question, u"Velmora"_s, u"?"_s,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    // The access key marker is the platform's business, not the word's.
    QCOMPARE(box.button(button)->text().remove(u'&'), text);
}

int main(int argc, char *argv[])
{
    velmora::VelmoraApplication application(argc, argv);
    TestUntrappedFailure test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_untrapped_failure.moc"

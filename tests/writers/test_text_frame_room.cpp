// How far a Word frame may reach past its box: slack on the side its text
// grows towards, never over the neighbour on the same printed line (a
// reader paints the later frame over the earlier one's text).

#include "FakeReport.h"

#include "engine/writers/TextFrameRoom.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class TextFrameRoomTest : public QObject {
    Q_OBJECT

private slots:
    void roomStopsAtTheNeighbour_data()
    {
        QTest::addColumn<int>("gap");              // between the two boxes, twips
        QTest::addColumn<int>("firstAlignment");
        QTest::addColumn<int>("secondAlignment");
        QTest::addColumn<int>("firstRight");       // room right of the first box
        QTest::addColumn<int>("secondLeft");       // room left of the second box

        const int left = int(HorizontalAlignment::Left);
        const int right = int(HorizontalAlignment::Right);
        const int centre = int(HorizontalAlignment::Center);
        QTest::newRow("two amounts side by side: the second gets none") << 0 << right << right << 0 << 0;
        QTest::newRow("a narrow gap is all the second may take") << 30 << right << right << 0 << 30;
        QTest::newRow("a wide gap: the full slack") << 500 << right << right << 0 << 72;
        QTest::newRow("a label before an amount: both want the gap and share it") << 40 << left << right << 20 << 20;
        QTest::newRow("a label then a label: only the first grows right") << 500 << left << left << 72 << 0;
        QTest::newRow("centred texts share the slack both ways") << 500 << centre << centre << 36 << 36;
        QTest::newRow("overlapping boxes get nothing towards each other") << -100 << left << right << 0 << 0;
    }

    void roomStopsAtTheNeighbour()
    {
        QFETCH(int, gap);
        QFETCH(int, firstAlignment);
        QFETCH(int, secondAlignment);
        QFETCH(int, firstRight);
        QFETCH(int, secondLeft);
        Page page;
        page.items.push_back(textAt(1440, 1440, 1000, QStringLiteral("4,25"), HorizontalAlignment(firstAlignment)));
        page.items.push_back(textAt(2440 + gap, 1440, 1000, QStringLiteral("1.917"), HorizontalAlignment(secondAlignment)));
        const std::vector<BaselineRows::Row> rows = BaselineRows::of(page);
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(TextFrameRoom::within(rows[0], 0, 72).right, firstRight);
        QCOMPARE(TextFrameRoom::within(rows[0], 1, 72).left, secondLeft);
    }

    void textsOnOtherLinesDoNotLimitEachOther()
    {
        Page page;
        page.items.push_back(textAt(1440, 1440, 1000, QStringLiteral("dalt"), HorizontalAlignment::Right));
        page.items.push_back(textAt(440, 1740, 1000, QStringLiteral("baix")));
        const std::vector<BaselineRows::Row> rows = BaselineRows::of(page);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(TextFrameRoom::within(rows[0], 0, 72).left, 72);
        QCOMPARE(TextFrameRoom::within(rows[1], 0, 72).right, 72);
    }
};

QTEST_GUILESS_MAIN(TextFrameRoomTest)
#include "test_text_frame_room.moc"

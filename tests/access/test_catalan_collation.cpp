#include "engine/data/CatalanCollation.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace velmora;

class TestCatalanCollation : public QObject {
    Q_OBJECT

private slots:
    void ordersPairs_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("à is an a: àvia before b") << "àvia" << "bou";
        QTest::newRow("ç is a c: caça before cadira") << "caça" << "cadira";
        QTest::newRow("ç is a c: plaça before plat") << "plaça" << "plat";
        QTest::newRow("ñ is an n: Muñoz before Muo") << "Muñoz" << "Muoz";
        QTest::newRow("l·l as ll: col·lecció before colom") << "col·lecció" << "colom";
        QTest::newRow("l·l as ll: Cancel·lada before Cancelm") << "Cancel·lada" << "Cancelm";
        QTest::newRow("case ignored first: alba before Bou") << "alba" << "Bou";
        QTest::newRow("case breaks the tie: lower first") << "andorra" << "Andorra";
        QTest::newRow("accent breaks the tie: plain first") << "e" << "é";
        QTest::newRow("accent outranks case: É after e, even lower e vs upper E") << "E" << "é";
        QTest::newRow("middle dot breaks the tie like an accent") << "colla" << "col·la";
        QTest::newRow("earlier accent sorts later") << "caçà" << "çaca";
        QTest::newRow("a prefix sorts first") << "Sant" << "Santa";
        QTest::newRow("space before letters") << "La Seu" << "Lasa";
        QTest::newRow("digits before letters") << "2 Rius" << "Abrera";
        QTest::newRow("empty text first") << "" << "a";
        QTest::newRow("Itàlia before Portugal") << "Itàlia" << "Portugal";
        QTest::newRow("França before Itàlia") << "França" << "Itàlia";
        QTest::newRow("Suïssa after Portugal") << "Portugal" << "Suïssa";
        QTest::newRow("precomposed and decomposed differ only at the last level") << "e\u0301" << "\u00E9";
    }
    void ordersPairs()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(CatalanCollation::compareText(first, second) < 0);
        QVERIFY(CatalanCollation::compareText(second, first) > 0);
        QVERIFY(CatalanCollation::sortKey(first) < CatalanCollation::sortKey(second));
    }

    void equalOnlyWhenIdentical_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Andorra";
        QTest::newRow("accents and dot") << "Cancel·lada";
        QTest::newRow("outside the BMP") << "😀 ok";
        QTest::newRow("empty") << "";
    }
    void equalOnlyWhenIdentical()
    {
        QFETCH(QString, text);
        QCOMPARE(CatalanCollation::compareText(text, text), 0);
    }

    // A stable sort relies on a total order: antisymmetric and transitive
    // over many mixed texts, and equal only for equal texts.
    void isATotalOrder()
    {
        const QStringList pieces{QStringLiteral("a"), QStringLiteral("à"), QStringLiteral("A"), QStringLiteral("À"),
                                 QStringLiteral("c"), QStringLiteral("ç"), QStringLiteral("Ç"), QStringLiteral("l·l"),
                                 QStringLiteral("ll"), QStringLiteral("L·L"), QStringLiteral(" "), QStringLiteral("1"),
                                 QStringLiteral("e\u0301"), QStringLiteral("é")};
        QRandomGenerator generator(11);
        QStringList texts;
        for (int i = 0; i < 400; ++i) {
            QString text;
            for (int n = int(generator.bounded(4)); n >= 0; --n)
                text += pieces[int(generator.bounded(pieces.size()))];
            texts << text;
        }
        std::sort(texts.begin(), texts.end(),
                  [](const QString &a, const QString &b) { return CatalanCollation::compareText(a, b) < 0; });
        for (int i = 0; i + 1 < texts.size(); ++i) {
            const int order = CatalanCollation::compareText(texts[i], texts[i + 1]);
            QVERIFY(order <= 0);
            QCOMPARE(order == 0, texts[i] == texts[i + 1]);
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalanCollation)
#include "test_catalan_collation.moc"

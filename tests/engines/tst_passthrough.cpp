#include <QtTest>

#include "engineharness.h"

// Everything received is one text frame per call, whatever it holds.
class Tst_Passthrough : public QObject
{
    Q_OBJECT
    EngineHarness h_{"Passthrough.so"};

private slots:
    void everyCallIsOneTextFrame()
    {
        QVERIFY(h_.engine());
        const QByteArray bytes("line one\r\n\x00\xff partial", 21);
        const auto out = h_.run(bytes, {4});
        QCOMPARE(out.size(), size_t(6));
        QByteArray joined;
        for (const Decoded &d : out) {
            QVERIFY(!d.wave);
            QVERIFY(d.values.empty());
            QCOMPARE(d.batch, 0);
            joined += d.bytes;
        }
        QCOMPARE(joined, bytes);
        QVERIFY(h_.rest.isEmpty());
        h_.engine()->process("", 0);
        QVERIFY(h_.engine()->frames.isEmpty());
    }
};

QTEST_MAIN(Tst_Passthrough)
#include "tst_passthrough.moc"

#include <QtTest>
#include <cmath>

#include "demostreams.h"
#include "engineharness.h"

// The text-line engine on the demo's streams, whole, cut into 1-byte chunks
// and at random points, and on garbage.
class Tst_ZezoRovar : public QObject
{
    Q_OBJECT
    EngineHarness h_{"ZezoRovar.so"};

    static std::vector<float> row(int k)
    {
        double v[5];
        demostreams::values(k, v);
        std::vector<float> out;
        for (double x : v)
            out.push_back(float(QByteArray::number(x, 'f', 6).toDouble()));
        return out;
    }

private slots:
    void initTestCase() { QVERIFY(h_.engine()); }

    void demoLinesAreRows()
    {
        QByteArray stream;
        for (int k = 1; k <= 300; ++k)
            stream += demostreams::zezo_sample(k);
        const auto whole = h_.run(stream);
        QCOMPARE(whole.size(), size_t(300));
        for (int k = 1; k <= 300; ++k) {
            const Decoded &d = whole[size_t(k - 1)];
            QVERIFY(d.wave);
            QVERIFY(d.gap.isEmpty());
            QCOMPARE(d.bytes, demostreams::zezo_sample(k));
            QCOMPARE(d.values, row(k));
        }
        QVERIFY(h_.run(stream, {1}) == whole);
        for (quint32 seed : {1u, 2u, 3u})
            QVERIFY(h_.run_random(stream, seed, 97) == whole);
    }

    void hundredthSample()
    {
        // t = 0.5: channels 2..5 print as 1.000000, 0.382683, -0.000000, 1.000000
        const QByteArray line = demostreams::zezo_sample(100);
        QVERIFY(line.endsWith(",1.000000,0.382683,-0.000000,1.000000\r\n"));
        const auto out = h_.run(line);
        QCOMPARE(out.size(), size_t(1));
        QCOMPARE(out[0].values.size(), size_t(5));
        QVERIFY(std::signbit(out[0].values[3]));
    }

    void lineForms_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("wave");
        QTest::addColumn<std::vector<float>>("values");
        QTest::newRow("no prefix") << QByteArray("1,2.5,-3\n") << true << std::vector<float>{1, 2.5f, -3};
        QTest::newRow("LF only") << QByteArray("x:4\n") << true << std::vector<float>{4};
        QTest::newRow("printf padding") << QByteArray("p:   1.5, 2.000000\r\n") << true << std::vector<float>{1.5f, 2};
        QTest::newRow("exponent") << QByteArray("1e3,-2.5E-2\n") << true << std::vector<float>{1000, -0.025f};
        QTest::newRow("text") << QByteArray("hello world\n") << false << std::vector<float>{};
        QTest::newRow("empty field") << QByteArray("a:1,,2\n") << false << std::vector<float>{};
        QTest::newRow("empty values") << QByteArray("demo:\n") << false << std::vector<float>{};
        QTest::newRow("hex is text") << QByteArray("0x10\n") << false << std::vector<float>{};
        QTest::newRow("two colons") << QByteArray("a:b:1\n") << false << std::vector<float>{};
        QTest::newRow("blank line") << QByteArray("\r\n") << false << std::vector<float>{};
    }
    void lineForms()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, wave);
        QFETCH(std::vector<float>, values);
        const auto out = h_.run(line);
        QCOMPARE(out.size(), size_t(1));
        QCOMPARE(out[0].wave, wave);
        QCOMPARE(out[0].values, values);
        QCOMPARE(out[0].bytes, line);
    }

    void nanAndInf()
    {
        const auto out = h_.run("v:nan,-nan,inf,-inf,1e999\n");
        QCOMPARE(out.size(), size_t(1));
        const auto &v = out[0].values;
        QCOMPARE(v.size(), size_t(5));
        QVERIFY(std::isnan(v[0]) && std::isnan(v[1]));
        QVERIFY(std::isinf(v[2]) && v[2] > 0);
        QVERIFY(std::isinf(v[3]) && v[3] < 0);
        QVERIFY(std::isinf(v[4]));
    }

    void trailingPartWaits()
    {
        const auto out = h_.run("1,2\n3,4");
        QCOMPARE(out.size(), size_t(1));
        QCOMPARE(h_.rest, QByteArray("3,4"));
    }

    void megabyteWithoutLineEnd()
    {
        QByteArray junk(3 * (1 << 20) + 100, 'x');
        const auto whole = h_.run(junk);
        QCOMPARE(whole.size(), size_t(3));
        for (const Decoded &d : whole) {
            QCOMPARE(d.bytes.size(), 1 << 20);
            QVERIFY(!d.wave);
        }
        QCOMPARE(h_.rest.size(), 100);
        QVERIFY(h_.run(junk, {65536}) == whole);
    }

    void tooManyValuesIsText()
    {
        QByteArray line;
        for (int i = 0; i < 1025; ++i)
            line += (i ? "," : "") + QByteArray::number(i);
        const auto out = h_.run(line + "\n");
        QCOMPARE(out.size(), size_t(1));
        QVERIFY(!out[0].wave);
        QVERIFY(out[0].values.empty());
    }

    void imageFrames()
    {
        const QByteArray pic = demostreams::jpeg();
        QByteArray stream = demostreams::zezo_sample(1) + demostreams::zezo_image(pic) + demostreams::zezo_sample(2);
        const auto whole = h_.run(stream);
        QCOMPARE(whole.size(), size_t(3));
        QCOMPARE(whole[1].batch, pic.size());
        QVERIFY(whole[1].bytes.endsWith(pic));
        DataEngineInterface *e = h_.engine();
        QVERIFY(e->images.size() >= 1);
        QCOMPARE(e->images[0]->format, 27);
        QCOMPARE(e->images[0]->width, 30);
        QCOMPARE(e->images[0]->height, 40);
        QCOMPARE(e->images[0]->size, pic.size());
        QCOMPARE(e->images[0]->data.left(pic.size()), pic);
        QVERIFY(h_.run(stream, {1}) == whole);
        QVERIFY(h_.run_random(stream, 7, 300) == whole);

        // Image id 5 grows the list to six records.
        h_.run("image:5,3,1,1,28\nabc");
        QVERIFY(e->images.size() >= 6);
        QCOMPARE(e->images[5]->data, QByteArray("abc"));
    }

    void implausibleImageHeadersAreText_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("id 64") << QByteArray("image:64,3,1,1,28\n");
        QTest::newRow("format 35") << QByteArray("image:0,3,1,1,35\n");
        QTest::newRow("size above 16 MiB") << QByteArray("image:0,16777217,1,1,28\n");
        QTest::newRow("negative size") << QByteArray("image:0,-3,1,1,28\n");
        QTest::newRow("missing field") << QByteArray("image:0,3,1,28\n");
        QTest::newRow("not a number") << QByteArray("image:0,x,1,1,28\n");
    }
    void implausibleImageHeadersAreText()
    {
        QFETCH(QByteArray, header);
        const auto out = h_.run(header + "abc");
        QCOMPARE(out.size(), size_t(1));
        QCOMPARE(out[0].batch, 0);
        QCOMPARE(out[0].bytes, header);
        QCOMPARE(h_.rest, QByteArray("abc"));
    }

    void garbageBetweenFrames()
    {
        QByteArray stream;
        std::vector<std::vector<float>> want;
        QRandomGenerator gen(42);
        for (int k = 1; k <= 100; ++k) {
            QByteArray junk(int(gen.bounded(40u)), '\0');
            for (char &c : junk)
                c = char(gen.bounded(256u));
            junk.replace('\n', 'n');
            stream += junk + "\n" + demostreams::zezo_sample(k);
            want.push_back(row(k));
        }
        const auto whole = h_.run(stream);
        std::vector<std::vector<float>> rows;
        for (const Decoded &d : whole)
            if (d.wave && d.values.size() == 5 && d.bytes.startsWith("demo:"))
                rows.push_back(d.values);
        QCOMPARE(rows, want);
        QVERIFY(h_.run(stream, {1}) == whole);
    }
};

QTEST_MAIN(Tst_ZezoRovar)
#include "tst_zezorovar.moc"

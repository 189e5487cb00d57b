#include <QtTest>
#include <cmath>

#include "demostreams.h"
#include "engineharness.h"

// The binary engine on the demo's streams, in whole and cut, with images,
// CSV frames, misaligned input and garbage.
class Tst_ZazuZavuv : public QObject
{
    Q_OBJECT
    EngineHarness h_{"ZazuZavuv.so"};

    static std::vector<float> row(int k)
    {
        double v[5];
        demostreams::values(k, v);
        return {float(v[0]), float(v[1]), float(v[2]), float(v[3]), float(v[4])};
    }

private slots:
    void initTestCase() { QVERIFY(h_.engine()); }

    void demoSamplesAreRows()
    {
        QByteArray stream;
        for (int k = 1; k <= 400; ++k)
            stream += demostreams::zazu_sample(k);
        const auto whole = h_.run(stream);
        QCOMPARE(whole.size(), size_t(400));
        for (int k = 1; k <= 400; ++k) {
            QVERIFY(whole[size_t(k - 1)].wave);
            QCOMPARE(whole[size_t(k - 1)].values, row(k));
            QCOMPARE(whole[size_t(k - 1)].bytes.size(), 24);
        }
        QVERIFY(h_.run(stream, {1}) == whole);
        QVERIFY(h_.run(stream, {3, 5, 7}) == whole);
        QVERIFY(h_.run_random(stream, 11, 61) == whole);
    }

    void csvFrames()
    {
        const QByteArray frame = demostreams::zazu_csv_line(" 1, 2.5 ,abc");
        QCOMPARE(frame.size(), 16);
        const auto out = h_.run(frame + demostreams::zazu_csv_line(""));
        QCOMPARE(out.size(), size_t(2));
        QCOMPARE(out[0].values, (std::vector<float>{1.0f, 2.5f, 0.0f}));
        QCOMPARE(out[1].values, (std::vector<float>{0.0f}));
    }

    void misalignedBytesResynchronise()
    {
        // Three stray bytes before a sample: left as a gap, row intact.
        const QByteArray stream = QByteArray("\x01\x02\x03", 3) + demostreams::zazu_sample(5) + demostreams::zazu_sample(6);
        const auto out = h_.run(stream);
        QCOMPARE(out.size(), size_t(2));
        QCOMPARE(out[0].gap, QByteArray("\x01\x02\x03", 3));
        QCOMPARE(out[0].values, row(5));
        QCOMPARE(out[1].values, row(6));
    }

    void imageFrames()
    {
        const QByteArray pic = demostreams::jpeg(40, 30, qRgb(10, 200, 10));
        const QByteArray stream = demostreams::zazu_sample(1) + demostreams::zazu_image(pic) + demostreams::zazu_sample(2);
        const auto whole = h_.run(stream);
        QCOMPARE(whole.size(), size_t(3));
        QCOMPARE(whole[1].batch, pic.size());
        QVERIFY(!whole[1].wave);
        QVERIFY(whole[1].values.empty());
        QCOMPARE(whole[1].bytes.size(), 28 + pic.size());
        QCOMPARE(whole[2].values, row(2));
        const Image *img = h_.engine()->images.value(0);
        QVERIFY(img);
        QCOMPARE(img->format, 27);
        QCOMPARE(img->width, 200);
        QCOMPARE(img->height, 300);
        QCOMPARE(img->data.left(img->size), pic);
        QVERIFY(h_.run(stream, {1}) == whole);
        QVERIFY(h_.run_random(stream, 5, 200) == whole);
    }

    void implausibleHeadersAreOrdinaryFrames_data()
    {
        QTest::addColumn<QList<quint32>>("words");
        QTest::newRow("size above 16 MiB") << QList<quint32>{0, 16777217, 1, 1, 27};
        QTest::newRow("format 35") << QList<quint32>{0, 4, 1, 1, 35};
        QTest::newRow("negative size") << QList<quint32>{0, 0xFFFFFFFFu, 1, 1, 27};
        QTest::newRow("id 64") << QList<quint32>{64, 4, 1, 1, 27};
    }
    void implausibleHeadersAreOrdinaryFrames()
    {
        QFETCH(QList<quint32>, words);
        QByteArray stream;
        for (quint32 w : words)
            demostreams::put_word(stream, w);
        stream += demostreams::tail() + demostreams::tail() + "abcd";
        const auto out = h_.run(stream);
        QCOMPARE(out.size(), size_t(2));
        QCOMPARE(out[0].values.size(), size_t(5));
        QVERIFY(out[1].values.empty());
        QCOMPARE(h_.rest, QByteArray("abcd"));
    }

    void headerWaitsForSecondTailAndPayload()
    {
        const QByteArray full = demostreams::zazu_image("PAYLOAD!");
        // Up to the first tail: could still be a picture, so nothing yet.
        QCOMPARE(h_.run(full.left(24)).size(), size_t(0));
        QCOMPARE(h_.run(full.left(30)).size(), size_t(0));
        QCOMPARE(h_.run(full.left(35)).size(), size_t(0));
        const auto out = h_.run(full);
        QCOMPARE(out.size(), size_t(1));
        QCOMPARE(out[0].batch, 8);
    }

    void garbageWithoutTail()
    {
        // Bounded wait: 4100 bytes without a tail are shown as text; what
        // is left joins the next frame, as the format cannot tell them apart.
        QByteArray junk(10000, '\x55');
        const auto out = h_.run(junk + demostreams::zazu_sample(3));
        QCOMPARE(out.size(), size_t(3));
        QVERIFY(!out[0].wave && !out[1].wave);
        QCOMPARE(out[0].bytes.size(), 4100);
        QCOMPARE(out[1].bytes.size(), 4100);
        const std::vector<float> &last = out[2].values;
        QCOMPARE(last.size(), size_t((10000 - 8200 + 20) / 4));
        QCOMPARE(std::vector<float>(last.end() - 5, last.end()), row(3));
        QVERIFY(h_.run(junk + demostreams::zazu_sample(3), {1}) == out);
    }

    void garbageBetweenFrames()
    {
        QByteArray stream;
        QRandomGenerator gen(9);
        int rows = 0;
        for (int k = 1; k <= 200; ++k) {
            QByteArray junk(int(gen.bounded(30u)), '\0');
            for (char &c : junk)
                c = char(gen.bounded(256u));
            stream += junk + demostreams::tail() + demostreams::zazu_sample(k);
            ++rows;
        }
        const auto whole = h_.run(stream);
        int found = 0;
        for (const Decoded &d : whole)
            found += d.values.size() == 5 && d.bytes.size() == 24;
        QVERIFY(found >= rows);
        QVERIFY(h_.run(stream, {1}) == whole);
        QVERIFY(h_.run_random(stream, 3, 50) == whole);
    }
};

QTEST_MAIN(Tst_ZazuZavuv)
#include "tst_zazuzavuv.moc"

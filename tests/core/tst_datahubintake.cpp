#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <thread>
#include <QTemporaryDir>
#include <QThread>

#include "datahub.h"
#include "engines/scriptedengine.h"
#include "terminaldocument.h"

// The decoding pass against a scripted engine loaded as a real plug-in:
// what is consumed, which rows are stored, the receive buffer limits and
// the collection delay.
class Tst_DataHubIntake : public QObject
{
    Q_OBJECT
    DataHub *hub_ = nullptr;
    ScriptedEngine *engine_ = nullptr;

    static Frame frame(int s, int e, int batch = 0, std::vector<float> values = {}, bool wave = false)
    {
        Frame f;
        f.start = s;
        f.end = e;
        f.batch = batch;
        f.values = std::move(values);
        f.wave = wave;
        return f;
    }
    void put(const QByteArray &bytes, const QDateTime &t = QDateTime::currentDateTime())
    {
        hub_->PutReceivedData(bytes.constData(), bytes.size(), t);
    }
    QByteArray seen() const { return QByteArray(engine_->seen.data(), int(engine_->seen.size())); }

    // What the terminal shows after a refresh.
    QString terminal(TerminalDocument &doc)
    {
        hub_->text_buffer()->text();
        return doc.text_document()->toPlainText();
    }

private slots:
    void init()
    {
        hub_ = new DataHub;
        hub_->set_size(100);
        DataEngineLoader *loader = hub_->data_engine_loader();
        loader->set_directory(qEnvironmentVariable("QELO_TEST_ENGINE_DIR"));
        loader->loadEngines();
        loader->selectEngine(loader->name_list().indexOf("ScriptedEngine"));
        QVERIFY(loader->engine());
        engine_ = static_cast<ScriptedEngine *>(loader->engine());
        // The plug-in instance outlives a hub, so its script is reset here.
        engine_->calls = 0;
        engine_->seen.clear();
        engine_->next.clear();
        engine_->images.clear();
        engine_->image_pool.clear();
        engine_->add_image = false;
    }
    void cleanup()
    {
        delete hub_;
        hub_ = nullptr;
    }

    void noFrameConsumesNothing()
    {
        put("abc");
        QCOMPARE(seen(), QByteArray("abc"));
        put("de");
        QCOMPARE(seen(), QByteArray("abcde"));
        QCOMPARE(hub_->num_lines(), 0);
    }

    void framesAreConsumedAndRowsStored()
    {
        engine_->next = {frame(2, 5, 0, {1.5f, 2.5f}, true), frame(6, 7)};
        put("xxROW1TTrest");
        QCOMPARE(hub_->num_lines(), 2);
        QCOMPARE(hub_->rt_values(), (QList<qreal>{1.5, 2.5}));
        put("!");
        QCOMPARE(seen(), QByteArray("rest!"));
    }

    // Saving with the time column: each row led by the arrival of the chunk
    // it came in, as date and time or as seconds since the first saved row;
    // the times stay with their rows when the buffer shrinks, rows loaded
    // from a file have none, and loading the file back skips the column.
    void savedRowsCarryTheirArrivalTimes()
    {
        QTemporaryDir dir;
        const int pauses[] = {0, 250, 750, 300};
        qint64 arrived[4][2];
        for (int k = 0; k < 4; ++k) {
            QThread::msleep(ulong(pauses[k]));
            engine_->next = {frame(0, 1, 0, {float(k), float(k) * 2}), frame(2, 3, 0, {float(k) + 0.5f, 0})};
            arrived[k][0] = QDateTime::currentMSecsSinceEpoch();
            put("abcd");
            arrived[k][1] = QDateTime::currentMSecsSinceEpoch();
        }
        QCOMPARE(hub_->effective_size(), 8);
        auto saved = [&](int mode) {
            hub_->set_save_time_column(mode);
            const QString file = dir.filePath(QString("t%1.csv").arg(mode));
            if (!hub_->saveTo(file, {"a", "b"}, false) || !hub_->wait_job(10000))
                return QList<QByteArray>();
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            QList<QByteArray> lines = f.readAll().split('\n');
            lines.removeLast();
            for (QByteArray &l : lines)
                l.chop(1); // CR
            return lines;
        };
        QList<QByteArray> lines = saved(1);
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QByteArray("time,a,b"));
        for (int r = 0; r < 8; ++r) {
            const QList<QByteArray> f = lines[r + 1].split(',');
            QCOMPARE(f.size(), 3);
            const QDateTime t = QDateTime::fromString(QString::fromLatin1(f[0]), Qt::ISODateWithMs);
            QVERIFY2(t.isValid(), f[0].constData());
            QVERIFY(t.toMSecsSinceEpoch() >= arrived[r / 2][0] && t.toMSecsSinceEpoch() <= arrived[r / 2][1]);
        }
        // Seconds since the first row: within the times taken around each
        // chunk, and the same for the two rows of one chunk.
        lines = saved(2);
        QCOMPARE(lines[1].split(',').first(), QByteArray("0.000"));
        for (int r = 0; r < 8; ++r) {
            const qint64 at = qRound64(lines[r + 1].split(',').first().toDouble() * 1000);
            QVERIFY(at >= arrived[r / 2][0] - arrived[0][1] && at <= arrived[r / 2][1] - arrived[0][0]);
            QCOMPARE(lines[r + 1].split(',').first(), lines[(r | 1) + 1].split(',').first());
        }
        QVERIFY(lines[8].endsWith(",3.500000,0.000000"));
        // Without the option the file is as before.
        lines = saved(0);
        QCOMPARE(lines[0], QByteArray("a,b"));
        QCOMPARE(lines[1], QByteArray("0.000000,0.000000"));

        // A smaller buffer keeps the newest rows with their own times.
        hub_->set_size(3);
        lines = saved(2);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1], QByteArray("0.000,2.500000,0.000000"));
        const qint64 gap = qRound64(lines[3].split(',').first().toDouble() * 1000);
        QVERIFY(gap >= arrived[3][0] - arrived[2][1] && gap <= arrived[3][1] - arrived[2][0]);
        QVERIFY(lines[3].endsWith(",3.500000,0.000000"));

        // Loaded rows: no time, the column left empty; the file loads back.
        hub_->set_save_time_column(1);
        QVERIFY(hub_->loadFrom(dir.filePath("t0.csv"), false));
        QVERIFY(hub_->wait_job(10000));
        QCOMPARE(hub_->names(), (QList<QString>{"a", "b"}));
        QCOMPARE(hub_->effective_size(), 8);
        lines = saved(1);
        QCOMPARE(lines[1], QByteArray(",0.000000,0.000000"));
        QVERIFY(hub_->loadFrom(dir.filePath("t1.csv"), false));
        QVERIFY(hub_->wait_job(10000));
        QCOMPARE(hub_->effective_size(), 8);
        hub_->lockDatas();
        QCOMPARE(hub_->value(0, hub_->size() - 1), 3.5f);
        hub_->unlockDatas();
        // Modes out of range are refused.
        hub_->set_save_time_column(7);
        QCOMPARE(hub_->save_time_column(), 1);
    }

    void receiversMayReadTheHubBack()
    {
        // Decoding on the receiver's own thread: the channel-count signals
        // come after the data lock is released, so reading back works.
        QList<qreal> seen_values;
        int counts = 0;
        connect(hub_, &DataHub::num_lines_changed, this, [&]() {
            seen_values = hub_->rt_values();
            counts = hub_->image_count();
            ++counts;
        });
        engine_->next = {frame(0, 2, 0, {4.0f, 5.0f}, true)};
        put("row");
        QCOMPARE(seen_values, (QList<qreal>{4.0, 5.0}));
        QCOMPARE(counts, 1);
        hub_->clear();
        QVERIFY(seen_values.isEmpty());
        disconnect(hub_, &DataHub::num_lines_changed, this, nullptr);
    }

    void badFramesAreSkipped()
    {
        // Out of order, overlapping or past the buffer: never read or
        // consumed beyond what was passed.
        engine_->next = {frame(0, 1), frame(1, 2), frame(5, 3), frame(4, 50, 0, {9.0f})};
        put("abcdefgh");
        put("Z");
        QCOMPARE(seen(), QByteArray("cdefghZ"));
        QCOMPARE(hub_->num_lines(), 0);
        engine_->next = {frame(0, 3, 100)};
        put("Q"); // batch larger than the frame is clamped
        QCOMPARE(hub_->image_tick(), 1);
    }

    void terminalGetsGapsFramesAndSummaries()
    {
        TerminalDocument doc;
        TextBuffer *tb = hub_->text_buffer();
        tb->set_doc(doc.doc());
        tb->set_if_show_echo(true);
        tb->set_if_show_time(true);
        const QDateTime old(QDate(2020, 1, 2), QTime(1, 2, 3, 456));
        engine_->next = {frame(3, 6, 0, {1.0f}, true)};
        put("gapWAVE", old);
        QString shown = terminal(doc);
        QVERIFY2(shown.contains("[01:02:03.456] WAVE"), qPrintable(shown));
        QVERIFY(shown.contains("gap"));
        QVERIFY(!shown.contains("] gapWAVE")); // the gap has its own, current stamp

        // Batches: 20 bytes give begin/end, 10 bytes all of them.
        QByteArray twenty;
        for (int i = 0; i < 20; ++i)
            twenty += char(i);
        engine_->next = {frame(0, 23, 20)};
        put("HEAD" + twenty, old);
        shown = terminal(doc);
        QVERIFY2(shown.contains("[Batch size=20 begin:00 01 02 03 04 05 06 07 end:0c 0d 0e 0f 10 11 12 13]"),
                 qPrintable(shown));
        QVERIFY(shown.contains("HEAD"));
        engine_->next = {frame(0, 9, 10)};
        put(QByteArray::fromHex("ff010203040506070809"), old);
        shown = terminal(doc);
        QVERIFY2(shown.contains("[Batch size=10 data:ff 01 02 03 04 05 06 07 08 09]"), qPrintable(shown));

        // Hidden wave text: values stored, text not shown; other frames are.
        hub_->set_is_hide_wave_text(true);
        tb->clear();
        engine_->next = {frame(0, 5, 0, {7.0f}, true), frame(6, 9)};
        put("SECRETtext", old);
        shown = terminal(doc);
        QVERIFY(!shown.contains("SECRET"));
        QVERIFY(shown.contains("text"));
        QCOMPARE(hub_->rt_values(), (QList<qreal>{7.0}));

        hub_->set_is_hide_image_text(true);
        tb->clear();
        engine_->next = {frame(0, 13, 10)};
        put("HDR!" + QByteArray(10, 'q'), old);
        QVERIFY(!terminal(doc).contains("Batch"));
        QVERIFY(!terminal(doc).contains("HDR!"));
        tb->set_doc(nullptr);
    }

    void sentAndErrorTextReachTheTerminal()
    {
        TerminalDocument doc;
        TextBuffer *tb = hub_->text_buffer();
        tb->set_doc(doc.doc());
        tb->set_if_show_tx(true);
        tb->set_if_show_time(false);
        QSignalSpy updated(hub_, SIGNAL(text_message_updated()));
        hub_->PutSentData("hello device");
        hub_->PutErrorData("DebugClient - refused");
        QCOMPARE(updated.count(), 2);
        const QString shown = terminal(doc);
        QVERIFY(shown.contains("hello device"));
        QVERIFY(shown.contains("DebugClient - refused"));
        tb->set_doc(nullptr);
    }

    void heartBeatAndEmptyChunks()
    {
        QSignalSpy beat(hub_, SIGNAL(heart_beat_changed()));
        hub_->PutReceivedData("x", 0, QDateTime::currentDateTime());
        hub_->PutReceivedData(nullptr, 5, QDateTime::currentDateTime());
        QCOMPARE(beat.count(), 0);
        QVERIFY(!hub_->heart_beat());
        QCOMPARE(engine_->calls, 0);
        put("x");
        QCOMPARE(beat.count(), 1);
        QVERIFY(hub_->heart_beat());
        // Further chunks only keep it raised.
        put("y");
        QCOMPARE(beat.count(), 1);
        hub_->timer_update();
        for (int i = 0; i < 15; ++i)
            hub_->timer_update();
        QVERIFY(!hub_->heart_beat());
        put("z");
        QVERIFY(hub_->heart_beat());
        QCOMPARE(beat.count(), 3);
    }

    void withoutEngineBytesAreDropped()
    {
        hub_->data_engine_loader()->loadEngines(); // leaves no engine
        QSignalSpy beat(hub_, SIGNAL(heart_beat_changed()));
        put("lost");
        QCOMPARE(beat.count(), 1);
        hub_->data_engine_loader()->selectEngine(hub_->data_engine_loader()->name_list().indexOf("ScriptedEngine"));
        engine_ = static_cast<ScriptedEngine *>(hub_->data_engine_loader()->engine());
        put("new");
        QCOMPARE(seen(), QByteArray("new"));
    }

    void receiveBufferLimit()
    {
        QByteArray big(20480000 - 10, 'a');
        put(big);
        QCOMPARE(int(engine_->seen.size()), big.size());
        put(QByteArray(10, 'b'));
        QCOMPARE(int(engine_->seen.size()), 20480000);
        // One more byte would pass the limit: everything waiting is dropped.
        put("c");
        QCOMPARE(seen(), QByteArray("c"));
        // A single chunk above the limit still reaches the engine whole.
        put(QByteArray(20480001, 'd'));
        QCOMPARE(int(engine_->seen.size()), 20480001);
    }

    // Every counter where it happens: data frames, text frames and gaps,
    // rows stored and dropped, pictures, sent bytes, errors, the receive
    // limit; a reset starts over.
    void countersAreExact()
    {
        engine_->next = {frame(2, 5, 0, {1.0f, 2.0f}, true), frame(6, 9), frame(12, 13, 0, {3.0f, 4.0f}, true)};
        put("xxROW1TEXTyyR2zz");
        const IntakeCounters &c = hub_->counters();
        QCOMPARE(c.value(IntakeCounters::ReceivedBytes), qint64(16));
        QCOMPARE(c.value(IntakeCounters::Frames), qint64(2));
        QCOMPARE(c.value(IntakeCounters::DecodedBytes), qint64(6));
        // Two gap bytes, the text frame, two more gap bytes; "zz" waits.
        QCOMPARE(c.value(IntakeCounters::UndecodedBytes), qint64(8));
        QCOMPARE(c.value(IntakeCounters::Rows), qint64(2));
        // A row wider than the channel limit; rows of another width while
        // the new width settles.
        engine_->next = {frame(0, 0, 0, std::vector<float>(DataHub::kMaxChannels + 1, 1.0f), true),
                         frame(1, 1, 0, {1.0f, 2.0f, 3.0f}, true), frame(2, 2, 0, {1.0f, 2.0f, 3.0f}, true)};
        put("abc");
        QCOMPARE(c.value(IntakeCounters::RowsTooWide), qint64(1));
        QCOMPARE(c.value(IntakeCounters::RowsWidthChange), qint64(2));
        QCOMPARE(c.value(IntakeCounters::Rows), qint64(2));
        // A picture.
        engine_->next = {frame(0, 23, 20)};
        engine_->add_image = true;
        put(QByteArray("HEAD") + QByteArray(20, '\x01'));
        QCOMPARE(c.value(IntakeCounters::Images), qint64(1));
        QCOMPARE(c.value(IntakeCounters::Frames), qint64(6));
        hub_->PutSentData("12345");
        hub_->PutErrorData("broken");
        QCOMPARE(c.value(IntakeCounters::SentBytes), qint64(5));
        QCOMPARE(c.value(IntakeCounters::LinkErrors), qint64(1));
        // The receive limit drops what waits undecoded, and says so.
        engine_->add_image = false;
        put(QByteArray(20480000 - 10, 'a'));
        put(QByteArray(11, 'b'));
        // With them the two bytes that waited since the first chunk.
        QCOMPARE(c.value(IntakeCounters::DroppedBytes), qint64(20480000 - 10 + 2));
        const QVariantMap all = hub_->counter_values();
        QCOMPARE(all.value("dropped_bytes").toLongLong(), qint64(20480000 - 10 + 2));
        QCOMPARE(all.size(), int(IntakeCounters::Count));
        hub_->reset_counters();
        for (int k = 0; k < IntakeCounters::Count; ++k)
            QCOMPARE(c.value(IntakeCounters::Counter(k)), qint64(0));
    }

    // Bytes that bring no frame for two seconds are named once in the
    // terminal, with the engine; a decoded frame ends the silence.
    void noFrameIsSaidOnce()
    {
        TerminalDocument doc;
        hub_->text_buffer()->set_doc(doc.doc());
        put("garbage");
        QTest::qWait(2100);
        put("more");
        put("still more");
        const QString text = terminal(doc);
        QCOMPARE(text.count("no frame decoded"), 1);
        QVERIFY2(text.contains("no frame decoded from 11 bytes with engine ScriptedEngine"), qPrintable(text));
        engine_->next = {frame(0, 2, 0, {1.0f}, true)};
        put("x");
        put("y");
        QTest::qWait(2100);
        put("z");
        const QString later = terminal(doc);
        QVERIFY2(later.count("no frame decoded") == 2, qPrintable(later));
    }

    void batchFramesCountImagesAndTicks()
    {
        QSignalSpy count(hub_, SIGNAL(image_count_changed()));
        QSignalSpy ticks(hub_, SIGNAL(image_tick_changed()));
        engine_->next = {frame(0, 23, 20)};
        engine_->add_image = true;
        put(QByteArray("HEAD") + QByteArray(20, '\x01'));
        QCOMPARE(hub_->image_tick(), 1);
        QCOMPARE(count.count(), 1);
        QCOMPARE(hub_->image_count(), 1);
        hub_->set_is_hide_image_text(true);
        engine_->next = {frame(0, 9, 10)};
        put(QByteArray(10, 'z'));
        QCOMPARE(hub_->image_tick(), 2);
        QCOMPARE(count.count(), 1);
        // A changed picture under the same record is announced for views to reload.
        QCOMPARE(ticks.count(), 2);
    }

    void collectionDelayDecodesABurstTogether()
    {
        hub_->set_timeout_ms(150);
        QElapsedTimer clock;
        clock.start();
        const QDateTime first = QDateTime::currentDateTime();
        put("a", first);
        QTest::qWait(40);
        put("b");
        QTest::qWait(40);
        put("c");
        QCOMPARE(engine_->calls, 0);
        QTRY_COMPARE_WITH_TIMEOUT(engine_->calls, 1, 2000);
        QVERIFY(clock.elapsed() >= 140);
        QCOMPARE(seen(), QByteArray("abc"));
        // The next chunk starts a new burst.
        engine_->next = {frame(0, 3)};
        put("d");
        QTRY_COMPARE_WITH_TIMEOUT(engine_->calls, 2, 2000);
        QCOMPARE(seen(), QByteArray("abcd"));
    }

    void collectionDelayFromAnotherThread()
    {
        hub_->set_timeout_ms(50);
        std::atomic<bool> done{false};
        std::thread io([this, &done]() {
            for (int i = 0; i < 200; ++i) {
                hub_->PutReceivedData("x", 1, QDateTime::currentDateTime());
                QThread::usleep(500);
            }
            done = true;
        });
        // The hub's collection timer runs on this thread meanwhile.
        while (!done)
            QTest::qWait(5);
        io.join();
        QTRY_VERIFY_WITH_TIMEOUT(int(engine_->seen.size()) == 200, 2000);
        QVERIFY(engine_->calls >= 2);
    }
};

QTEST_MAIN(Tst_DataHubIntake)
#include "tst_datahubintake.moc"

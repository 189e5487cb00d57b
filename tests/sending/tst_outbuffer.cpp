#include <QtTest>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <atomic>
#include <cfloat>
#include <clocale>
#include <cstdio>
#include <thread>

#include "outbuffer.h"

namespace {

QJsonObject leaf(const QString &hex, double count, double ms = 10)
{
    return QJsonObject{{"cmd_hex", hex}, {"loop_count", count}, {"loop_ms", ms}};
}

QJsonObject group(const QJsonArray &subs, double count, double ms = 500)
{
    return QJsonObject{{"is_group", true}, {"subCmds", subs}, {"loop_count", count}, {"loop_ms", ms}};
}

using BufferSignal = void (OutBuffer::*)();

// The buffer's signals in their declaration order.
const QVector<QPair<QString, BufferSignal>> &bufferSignals()
{
    static const QVector<QPair<QString, BufferSignal>> all = {
        {"repeating_changed", &OutBuffer::repeating_changed},
        {"repeating_index_changed", &OutBuffer::repeating_index_changed},
        {"file_path_changed", &OutBuffer::file_path_changed},
        {"is_sending_file_changed", &OutBuffer::is_sending_file_changed},
        {"sending_progress_changed", &OutBuffer::sending_progress_changed},
        {"repeating_command_index_changed", &OutBuffer::repeating_command_index_changed},
        {"current_cmd_position_changed", &OutBuffer::current_cmd_position_changed},
        {"repeat_cmd_position_changed", &OutBuffer::repeat_cmd_position_changed},
        {"file_size_changed", &OutBuffer::file_size_changed},
        {"file_sent_size_changed", &OutBuffer::file_sent_size_changed},
        {"repeatCmdChanged", &OutBuffer::repeatCmdChanged},
    };
    return all;
}

// Records the order in which the buffer's signals arrive.
struct SignalLog : QObject
{
    explicit SignalLog(OutBuffer &ob)
    {
        for (const auto &[name, signal] : bufferSignals()) {
            const QString n = name;
            connect(&ob, signal, this, [this, n] { names << n; });
        }
    }
    QStringList names;
};

} // namespace

class Tst_outbuffer : public QObject
{
    Q_OBJECT

private slots:
    void stringEscapesAndCodecs();
    void hexAppends();
    void hexArguments();
    void templates();
    void templates_data();
    void hostileTemplates();
    void hostileTemplates_data();
    void templateArgumentCounts();
    void conversions();
    void hexFloatAsC();
    void bound();
    void fileStart();
    void appendsWhileSendingFile();
    void repeatSequence();
    void propertyWrites();
    void directReceiversMayCallBack();
    void takeRacesAppend();
    void stepRacesReplace();
};

void Tst_outbuffer::stringEscapesAndCodecs()
{
    OutBuffer ob;
    ob.appendString("A\\nB", "UTF-8");
    QCOMPARE(ob.takeDatas(), QByteArray("A\nB"));
    ob.appendString("\\r\\t|\\x", "UTF-8");
    QCOMPARE(ob.takeDatas(), QByteArray("\r\t|\\x"));

    ob.appendString("中文", "GBK");
    QCOMPARE(ob.takeDatas(), QByteArray("\xD6\xD0\xCE\xC4"));
    ob.appendString("中文", "UTF-8");
    QCOMPARE(ob.takeDatas().size(), 6);

    ob.appendString("abc", "no-such-codec");
    ob.appendString("abc", "");
    ob.appendString("", "UTF-8");
    QVERIFY(ob.datas().isEmpty());
    QVERIFY(ob.takeDatas().isEmpty());

    ob.appendString("T=%.1f\\n", "UTF-8", 2.4f);
    QCOMPARE(ob.takeDatas(), QByteArray("T=2.4\n"));
    ob.appendString("%.1f", "no-such-codec", 1.0f);
    QVERIFY(ob.datas().isEmpty());
}

void Tst_outbuffer::hexAppends()
{
    OutBuffer ob;
    ob.appendHex("01 0a FF");
    QCOMPARE(ob.takeDatas(), QByteArray("\x01\x0A\xFF"));
    ob.appendHex("zz qq !! -- \xff\x01");
    QVERIFY(ob.datas().isEmpty());
    ob.appendHex("0g1:4#1");
    QCOMPARE(ob.takeDatas(), QByteArray("\x01\x41", 2));
    ob.appendHex("");
    QVERIFY(ob.datas().isEmpty());

    QCOMPARE(ob.string2hex_string("AB", "UTF-8"), QString("41 42"));
    QCOMPARE(ob.hex_string2string("41 42", "UTF-8"), QString("AB"));
    QCOMPARE(ob.string2hex_string("中", "GBK"), QString("D6 D0"));
    QCOMPARE(ob.hex_string2string("d6d0", "GBK"), QString("中"));
    QCOMPARE(ob.string2hex_string("\n\xff", "UTF-8"), QString("0A EF BF BD"));
    QVERIFY(ob.string2hex_string("", "UTF-8").isEmpty());
    QVERIFY(ob.hex_string2string("", "UTF-8").isEmpty());
    QVERIFY(ob.string2hex_string("AB", "bogus").isEmpty());
    QVERIFY(ob.hex_string2string("41", "bogus").isEmpty());
    QVERIFY(ob.hex_string2string("xyz", "UTF-8").isEmpty());
}

void Tst_outbuffer::hexArguments()
{
    OutBuffer ob;
    ob.appendHex("%% 0D 0A", "ab");
    QCOMPARE(ob.takeDatas(), QByteArray("\xAB\x0D\x0A"));
    ob.appendHex("0D 0A", "ab");
    QCOMPARE(ob.takeDatas(), QByteArray("\x0D\x0A"));

    QCOMPARE(ob.applyHexArg("%% %%", "cd"), QByteArray("CD %%"));
    QCOMPARE(ob.applyHexArg("no slot", "cd"), QByteArray("no slot"));
    QCOMPARE(ob.applyHexArgs("%% %% %%", {"1", "2"}), QByteArray("1 2 %%"));
    QCOMPARE(ob.applyHexArgs("%%", {"1", "2", "3"}), QByteArray("1"));
    QCOMPARE(ob.applyHexArgs("%%%", {"e"}), QByteArray("E%"));
    QCOMPARE(ob.applyHexArgs("%% %%", {"%%", "f"}), QByteArray("%% F"));
    QCOMPARE(ob.applyHexArgs("%%", {}), QByteArray("%%"));
}

void Tst_outbuffer::templates_data()
{
    QTest::addColumn<QByteArray>("tmpl");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("crlf") << QByteArray("V=%.2f\\r\\n") << QByteArray("V=1.50\r\n");
    QTest::newRow("percent") << QByteArray("100%% %f") << QByteArray("100% 1.500000");
    QTest::newRow("literal only") << QByteArray("plain") << QByteArray("plain");
    QTest::newRow("flags width") << QByteArray("[%+08.3f]") << QByteArray("[+001.500]");
    QTest::newRow("left") << QByteArray("[%-8.2f]") << QByteArray("[1.50    ]");
    QTest::newRow("space") << QByteArray("[% f]") << QByteArray("[ 1.500000]");
    QTest::newRow("lone dot") << QByteArray("%.f") << QByteArray("2");
    QTest::newRow("alternate") << QByteArray("%#.0f %#g") << QByteArray("2. 1.50000");
    QTest::newRow("exp") << QByteArray("%e|%E|%10.2e") << QByteArray("1.500000e+00|1.500000E+00|  1.50e+00");
    QTest::newRow("general") << QByteArray("%g %G %F") << QByteArray("1.5 1.5 1.500000");
    QTest::newRow("hex float") << QByteArray("%a %A %.3a") << QByteArray("0x1.8p+0 0X1.8P+0 0x1.800p+0");
    QTest::newRow("hex float padded") << QByteArray("[%+012a][%-9a][%#.0a]") << QByteArray("[+0x0001.8p+0][0x1.8p+0 ][0x2.p+0]");
    QTest::newRow("utf8 text") << QByteArray("温度 %.1f ℃") << QByteArray("温度 1.5 ℃");
    QTest::newRow("nul inside") << QByteArray("a\0%.0f", 6) << QByteArray("a\0" "2", 3);
}

void Tst_outbuffer::templates()
{
    QFETCH(QByteArray, tmpl);
    QFETCH(QByteArray, expected);
    OutBuffer ob;
    QCOMPARE(ob.applyStrArgs(tmpl, "UTF-8", QVector<float>(10, 1.5f)), expected);
    if (tmpl.count('%') - 2 * tmpl.count("%%") <= 1)
        QCOMPARE(ob.applyStrArg(tmpl, "UTF-8", 1.5f), expected);
}

void Tst_outbuffer::hostileTemplates_data()
{
    QTest::addColumn<QByteArray>("tmpl");
    const char *const hostile[] = {
        "%d", "%i", "%u", "%x", "%o", "%s", "%n", "%p", "%c", "%C", "%S", "%ls", "%lc",
        "%*f", "%.*f", "%*.*f", "%1$f", "%lf", "%Lf", "%hf", "%hhf", "%llf", "%jf", "%zf",
        "%tf", "%qf", "%I64d", "%'f", "%", "abc %", "%5", "%.", "%-", "%.2", "%f%", "% ",
        "%5.2d", "%.3s", "%08n", "%%%n", "%f %s", "%.1f%n", "%4097f", "%.4097f",
        "%99999999999999999999f", "%.99999999999999999999f", "%-*f", "%\xe6\xb8\xa9",
    };
    for (const char *t : hostile)
        QTest::newRow(t) << QByteArray(t);
    QTest::newRow("nul conversion") << QByteArray("%\0f", 3);
    QTest::newRow("many conversions") << QByteArray("%f").repeated(11);
}

void Tst_outbuffer::hostileTemplates()
{
    QFETCH(QByteArray, tmpl);
    OutBuffer ob;
    QVERIFY(ob.applyStrArg(tmpl, "UTF-8", 1.0f).isEmpty());
    QVERIFY(ob.applyStrArgs(tmpl, "UTF-8", QVector<float>(10, 1.0f)).isEmpty());
    ob.appendString(tmpl, "UTF-8", 1.0f);
    QVERIFY(ob.datas().isEmpty());
}

void Tst_outbuffer::templateArgumentCounts()
{
    OutBuffer ob;
    QCOMPARE(ob.applyStrArgs("%.0f,%.0f", "UTF-8", {1, 2, 3}), QByteArray("1,2"));
    QVERIFY(ob.applyStrArgs("%.0f,%.0f,%.0f", "UTF-8", {1, 2}).isEmpty());
    QVERIFY(ob.applyStrArg("%f%f", "UTF-8", 1).isEmpty());
    QVERIFY(ob.applyStrArgs("x", "UTF-8", {}).isEmpty());
    QVERIFY(ob.applyStrArgs("x", "UTF-8", QVector<float>(11, 1)).isEmpty());
    QVector<float> ten;
    for (int i = 0; i < 10; ++i)
        ten << float(i);
    QCOMPARE(ob.applyStrArgs(QByteArray("%.0f").repeated(10), "UTF-8", ten), QByteArray("0123456789"));
    // The encoder plays no part in formatting.
    QCOMPARE(ob.applyStrArg("%.0f", "bogus", 7), QByteArray("7"));
}

void Tst_outbuffer::conversions()
{
    OutBuffer ob;
    QCOMPARE(ob.applyStrArg("%f", "UTF-8", qInf()), QByteArray("inf"));
    QCOMPARE(ob.applyStrArg("%a", "UTF-8", -qInf()), QByteArray("-inf"));
    QCOMPARE(ob.applyStrArg("%A", "UTF-8", 0), QByteArray("0X0P+0"));
    QCOMPARE(ob.applyStrArg("[%06a]", "UTF-8", -qInf()), QByteArray("[  -inf]"));
    QCOMPARE(ob.applyStrArg("%.0e", "UTF-8", 3.4e38f), QByteArray("3e+38"));
    QCOMPARE(ob.applyStrArg("%.4096f", "UTF-8", 3.4e38f).size(), 39 + 1 + 4096);
    const QByteArray widest = ob.applyStrArg("%4096.4096f", "UTF-8", 1.5f);
    QCOMPARE(widest.size(), 2 + 4096);
    QVERIFY(widest.startsWith("1.5000"));
    QCOMPARE(ob.applyStrArg("[%4096f]", "UTF-8", 1.5f).size(), 4098);
}

// Checked hexadecimal conversions must read as the C library writes them.
void Tst_outbuffer::hexFloatAsC()
{
    setlocale(LC_NUMERIC, "C");
    const float values[] = {0.0f, -0.0f, 1.0f, 1.5f, -2.75f, 0.1f, 1e-40f, FLT_MAX, -FLT_MIN, float(qInf()), float(qQNaN())};
    const char *const formats[] = {"%a", "%A", "%.0a", "%.3a", "%#a", "%+a", "% a", "%020a", "%-20a|",
                                 "%#.0A", "%+015.2a", "%- 12.1a|", "%0-12a|", "%.20a"};
    OutBuffer ob;
    for (const char *format : formats) {
        for (float v : values) {
            char c[256];
            snprintf(c, sizeof c, format, double(v));
            QCOMPARE(QString::fromUtf8(ob.applyStrArg(format, "UTF-8", v)), QString::fromLatin1(c));
        }
    }
}

void Tst_outbuffer::bound()
{
    OutBuffer ob;
    QCOMPARE(ob.limit(), 16 * 1024 * 1024);
    QSignalSpy refused(&ob, &OutBuffer::refused);
    // Long appends go whole and in order, far beyond one send step.
    QByteArray big(10000, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i % 251);
    ob.appendData(big);
    QCOMPARE(ob.datas(), big);
    const QByteArray hex = QByteArray(6000, '\x5a').toHex(' ');
    ob.appendHex(hex);
    QCOMPARE(ob.datas(), big + QByteArray(6000, '\x5a'));
    const QByteArray text = QByteArray("0123456789").repeated(1000);
    ob.appendString(text, "UTF-8");
    QCOMPARE(ob.takeDatas(), big + QByteArray(6000, '\x5a') + text);
    QCOMPARE(refused.count(), 0);

    // More than the room is refused whole and said; what waits stays.
    ob.appendString("kept", "UTF-8");
    ob.appendData(QByteArray(int(ob.limit()), 'z'));
    QCOMPARE(ob.datas(), QByteArray("kept"));
    QCOMPARE(refused.count(), 1);
    QVERIFY(refused.first().first().toString().contains(QString::number(ob.limit())));
    ob.appendHex(QByteArray("41").repeated(int(ob.limit())));
    QCOMPARE(refused.count(), 2);
    QCOMPARE(ob.datas(), QByteArray("kept"));
    // Exactly the room fits.
    ob.takeDatas();
    ob.appendData(QByteArray(int(ob.limit()), 'z'));
    QCOMPARE(ob.datas().size(), int(ob.limit()));
    QCOMPARE(refused.count(), 2);
    QVERIFY(ob.takeDatas().size() == int(ob.limit()));
    QVERIFY(ob.takeDatas().isEmpty());
}

void Tst_outbuffer::fileStart()
{
    OutBuffer ob;
    SignalLog log(ob);
    QStringList *seen = &log.names;

    ob.appendData("left over");
    QVERIFY(!ob.appendFile(QDir::temp().filePath("qelo-no-such-file-4711")));
    QVERIFY(!ob.is_sending_file());
    QVERIFY(ob.datas().isEmpty());
    QVERIFY(seen->isEmpty());

    QTemporaryDir dir;
    QVERIFY(!ob.appendFile(dir.path()));
    QVERIFY(!ob.appendFile(QString()));
    QVERIFY(!ob.is_sending_file());

    QTemporaryFile file;
    QVERIFY(file.open());
    file.write("payload");
    file.close();
    ob.set_sending_progress(77);
    seen->clear();
    ob.appendData("left over");
    QVERIFY(ob.appendFile(file.fileName()));
    QVERIFY(ob.is_sending_file());
    QCOMPARE(ob.sending_progress(), 0);
    QCOMPARE(ob.file_path(), file.fileName());
    QVERIFY(ob.datas().isEmpty());
    QCOMPARE(*seen, QStringList({"sending_progress_changed", "is_sending_file_changed"}));

    // A second file while one is sent would drop the chunk in flight.
    ob.appendData("chunk");
    QVERIFY(!ob.appendFile(file.fileName()));
    QCOMPARE(ob.datas(), QByteArray("chunk"));

    ob.set_is_sending_file(false);
    QVERIFY(ob.appendFile(file.fileName()));
}

void Tst_outbuffer::appendsWhileSendingFile()
{
    OutBuffer ob;
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(ob.appendFile(file.fileName()));

    ob.appendString("text", "UTF-8");
    ob.appendString("%.1f", "UTF-8", 1);
    ob.appendHex("41");
    ob.appendHex("%%", "41");
    QVERIFY(ob.datas().isEmpty());

    QSignalSpy repeating(&ob, &OutBuffer::repeating_changed);
    ob.appendRepeatCmd(leaf("41", 3), {0});
    QVERIFY(!ob.repeating());
    QCOMPARE(repeating.count(), 0);
    QCOMPARE(ob.nextRepeatCmd(), nullptr);

    ob.appendData("chunk");
    QCOMPARE(ob.takeDatas(), QByteArray("chunk"));

    ob.set_is_sending_file(false);
    ob.appendHex("41");
    QCOMPARE(ob.takeDatas(), QByteArray("A"));
}

void Tst_outbuffer::repeatSequence()
{
    OutBuffer ob;
    SignalLog log(ob);
    QStringList *seen = &log.names;
    Cmd *root = ob.getRepeatCmd();
    QCOMPARE(root->loop_ms(), 1000);
    QCOMPARE(root->parent(), &ob);
    QSignalSpy rootCurrent(root, &Cmd::is_current_changed);

    ob.appendRepeatCmd(group({leaf("41", 1, 20), leaf("42", 2, 30)}, 2, 700), {3});
    QCOMPARE(*seen, QStringList({"current_cmd_position_changed", "repeat_cmd_position_changed",
                                 "repeating_changed", "repeatCmdChanged"}));
    QCOMPARE(rootCurrent.count(), 1);
    QVERIFY(root->is_current());
    QVERIFY(ob.repeating());
    QCOMPARE(ob.repeating_command_index(), -1);
    QCOMPARE(ob.current_cmd_position(), QList<int>({3}));
    QCOMPARE(ob.repeat_cmd_position(), QList<int>({3}));
    QCOMPARE(ob.getRepeatCmd(), root);
    QCOMPARE(root->subCmds().size(), 2);

    struct Step { QByteArray bytes; int ms; QList<int> pos; };
    const QVector<Step> expected = {
        {"A", 20, {3, 0}}, {"B", 30, {3, 1}}, {"B", 30, {3, 1}}, {"", 700, {3}},
        {"A", 20, {3, 0}}, {"B", 30, {3, 1}}, {"B", 30, {3, 1}}, {"", 700, {3}},
    };
    for (const Step &s : expected) {
        Cmd *c = ob.nextRepeatCmd();
        QVERIFY(c);
        QCOMPARE(c->bytes(), s.bytes);
        QCOMPARE(c->loop_ms(), s.ms);
        QCOMPARE(c->position(), s.pos);
    }
    QCOMPARE(ob.nextRepeatCmd(), nullptr);

    seen->clear();
    ob.set_repeating(false);
    QCOMPARE(*seen, QStringList({"current_cmd_position_changed", "repeating_changed"}));
    QVERIFY(ob.current_cmd_position().isEmpty());
    QCOMPARE(ob.repeating_command_index(), -1);

    // A fresh sequence replaces the old tree, and its first step is due.
    ob.appendRepeatCmd(leaf("43", 1), {0});
    QCOMPARE(root->subCmds().size(), 0);
    QCOMPARE(ob.nextRepeatCmd()->bytes(), QByteArray("C"));
    QCOMPARE(ob.nextRepeatCmd(), nullptr);

    // A mistyped tree loads the defaults: nothing is due, pending stays.
    ob.appendData("queued");
    ob.appendRepeatCmd(QJsonObject{{"loop_count", "x"}, {"is_group", "y"}}, {});
    QCOMPARE(ob.nextRepeatCmd(), nullptr);
    QCOMPARE(ob.takeDatas(), QByteArray("queued"));
}

void Tst_outbuffer::propertyWrites()
{
    OutBuffer ob;
    SignalLog log(ob);
    QStringList *seen = &log.names;

    ob.set_is_sending_file(true);
    QCOMPARE(*seen, QStringList({"sending_progress_changed", "is_sending_file_changed"}));
    seen->clear();
    ob.set_is_sending_file(false);
    QCOMPARE(*seen, QStringList({"is_sending_file_changed"}));

    seen->clear();
    ob.set_repeating(true);
    QCOMPARE(*seen, QStringList({"repeating_changed"}));

    seen->clear();
    ob.set_current_cmd_position({1, 2});
    ob.set_repeat_cmd_position({1});
    ob.set_file_path("x.bin");
    ob.set_sending_progress(40);
    ob.set_file_size(1000);
    ob.set_file_sent_size(400);
    QCOMPARE(*seen, QStringList({"current_cmd_position_changed", "repeat_cmd_position_changed",
                                 "file_path_changed", "sending_progress_changed",
                                 "file_size_changed", "file_sent_size_changed"}));
    QCOMPARE(ob.current_cmd_position(), QList<int>({1, 2}));
    QCOMPARE(ob.repeat_cmd_position(), QList<int>({1}));
    QCOMPARE(ob.file_path(), QString("x.bin"));
    QCOMPARE(ob.sending_progress(), 40);
    QCOMPARE(ob.file_size(), 1000);
    QCOMPARE(ob.file_sent_size(), 400);

    // Through the meta-object, as the scene writes them.
    QVERIFY(ob.setProperty("file_size", 5));
    QCOMPARE(ob.property("file_size").toInt(), 5);
    QVERIFY(!ob.setProperty("repeating_command_index", 3));
    QVERIFY(!ob.setProperty("datas", QByteArray("x")));
    QCOMPARE(ob.property("repeatCmd").value<Cmd *>(), ob.getRepeatCmd());

    QStringList declared;
    const QMetaObject *meta = ob.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        // refused(message) carries an argument; bound() checks it.
        if (meta->method(i).methodType() == QMetaMethod::Signal && meta->method(i).name() != "refused")
            declared << QString::fromLatin1(meta->method(i).name());
    }
    QStringList listed;
    for (const auto &entry : bufferSignals())
        listed << entry.first;
    QCOMPARE(declared, listed);
}

// The buffer's lock is not recursive: a receiver that reads or writes the
// buffer from inside a signal must not hang.
void Tst_outbuffer::directReceiversMayCallBack()
{
    OutBuffer ob;
    int calls = 0;
    const auto poke = [&ob, &calls] {
        ++calls;
        ob.datas();
        ob.file_path();
        ob.current_cmd_position();
        ob.repeat_cmd_position();
        ob.appendData("");
    };
    for (const auto &entry : bufferSignals())
        connect(&ob, entry.second, this, poke, Qt::DirectConnection);
    Cmd *root = ob.getRepeatCmd();
    connect(root, &Cmd::loop_count_changed, this, poke, Qt::DirectConnection);
    connect(root, &Cmd::loop_current_count_changed, this, poke, Qt::DirectConnection);
    connect(root, &Cmd::loop_current_index_changed, this, poke, Qt::DirectConnection);
    connect(root, &Cmd::is_current_changed, this, poke, Qt::DirectConnection);

    ob.appendRepeatCmd(group({leaf("41", 1)}, 1), {0});
    ob.set_repeating(false);
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(ob.appendFile(file.fileName()));
    ob.set_is_sending_file(false);
    ob.set_current_cmd_position({0});
    ob.set_repeat_cmd_position({0});
    ob.set_file_path("y");
    ob.set_sending_progress(1);
    ob.set_file_size(1);
    ob.set_file_sent_size(1);
    QVERIFY(calls >= 16);
}

// The UI thread appends while the sender's thread takes; below the bound not
// a byte may be lost or doubled.
void Tst_outbuffer::takeRacesAppend()
{
    OutBuffer ob;
    constexpr int kLines = 100000;
    QByteArray expected;
    for (int i = 0; i < kLines; ++i)
        expected += QByteArray::number(i).rightJustified(8, '0') + '\n';

    QByteArray taken;
    std::atomic<bool> done{false};
    std::atomic<int> oversized{0};
    std::thread sender([&] {
        while (!done || !ob.datas().isEmpty()) {
            const QByteArray chunk = ob.takeDatas();
            if (chunk.size() > ob.limit())
                ++oversized;
            taken += chunk;
        }
    });
    for (int i = 0; i < kLines; ++i) {
        // Only this thread grows pending, so room seen here stays room.
        while (ob.datas().size() + 9 > ob.limit())
            QThread::yieldCurrentThread();
        ob.appendString(QByteArray::number(i).rightJustified(8, '0') + "\\n", "UTF-8");
    }
    done = true;
    // Joined: what the sender wrote is read after its thread has ended.
    sender.join();
    QCOMPARE(oversized.load(), 0);
    QCOMPARE(taken.size(), expected.size());
    QVERIFY(taken == expected);
}

// The sender steps the sequence while the UI replaces it: every step it
// gets must stay readable and belong to one of the trees.
void Tst_outbuffer::stepRacesReplace()
{
    OutBuffer ob;
    const QJsonObject first = group({leaf("41", 1, 5), leaf("4242", 2, 6)}, -1);
    const QJsonObject second = group({leaf("434343", 1, 7), group({leaf("44444444", 3, 8)}, 1, 9)}, -1);
    ob.appendRepeatCmd(first, {0});

    std::atomic<bool> done{false};
    std::atomic<int> bad{0};
    std::atomic<int> steps{0};
    std::thread sender([&] {
        while (!done) {
            Cmd *c = ob.nextRepeatCmd();
            if (!c) {
                ++bad;
                continue;
            }
            const QByteArray bytes = c->bytes();
            const int ms = c->loop_ms();
            const bool known = (bytes == "A" && ms == 5) || (bytes == "BB" && ms == 6)
                || (bytes == "CCC" && ms == 7) || (bytes == "DDDD" && ms == 8)
                || (bytes.isEmpty() && (ms == 500 || ms == 9));
            if (!known || c->position().isEmpty() || c->position().first() != 0)
                ++bad;
            ++steps;
        }
    });
    QElapsedTimer clock;
    clock.start();
    int replaced = 0;
    while ((replaced < 2000 || steps < 200000) && clock.elapsed() < 20000)
        ob.appendRepeatCmd(replaced++ % 2 ? first : second, {0});
    done = true;
    // Joined: what the sender wrote is read after its thread has ended.
    sender.join();
    QCOMPARE(bad.load(), 0);
    QVERIFY(steps >= 200000);
}

QTEST_GUILESS_MAIN(Tst_outbuffer)
#include "tst_outbuffer.moc"

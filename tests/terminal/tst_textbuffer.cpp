#include <QtTest>
#include <QTextCodec>
#include <QTextCursor>
#include <cmath>
#include <limits>

#include "terminaldocument.h"
#include "textbuffer.h"

// The text buffer feeding a real terminal text area.
class Tst_TextBuffer : public QObject
{
    Q_OBJECT

    QDateTime t0_ = QDateTime(QDate(2024, 5, 6), QTime(13, 4, 5, 67));

    struct Rig {
        TerminalDocument view;
        TextBuffer buffer;
        explicit Rig(bool stamped = false)
        {
            buffer.set_if_show_time(stamped);
            buffer.set_doc(view.doc());
        }
        void rx(const QByteArray &b, bool as_text = false, const QDateTime &t = QDateTime::currentDateTime())
        {
            buffer.append_received(b.constData(), b.size(), t, as_text);
        }
        QString shown()
        {
            buffer.text();
            return plain();
        }
        QString plain() const { return view.text_document()->toPlainText(); }
        // Refresh and page in every older chunk.
        QString everything()
        {
            buffer.text();
            while (buffer.all_text()) {
            }
            return plain();
        }
        QTextCharFormat format_of(const QString &needle) const
        {
            const int at = plain().indexOf(needle);
            if (at < 0)
                qFatal("'%s' not shown", qPrintable(needle));
            QTextCursor c(view.text_document());
            c.setPosition(at + 1);
            return c.charFormat();
        }
    };

    static QString stamp(const QDateTime &t) { return t.toString(QStringLiteral("[hh:mm:ss.zzz] ")); }

private slots:
    void stamped_lines()
    {
        Rig rig(true);
        rig.rx("a\nb\n", false, t0_);
        const QString s = stamp(t0_);
        QCOMPARE(rig.shown(), "\n" + s + "a\n" + s + "b");
        const QDateTime t1 = t0_.addMSecs(1001);
        rig.rx("x\r\ny\r\n", false, t1);
        rig.rx("z", false, t1);
        QCOMPARE(rig.shown(), "\n" + s + "a\n" + s + "b\n" + stamp(t1) + "x\n" + stamp(t1) + "y\n" + stamp(t1) + "z");
        // The stamp is bold on a yellow ground; the text after it is plain.
        QCOMPARE(rig.format_of("[13:04").fontWeight(), 75);
        QCOMPARE(rig.format_of("[13:04").background().color(), QColor(Qt::yellow));
        QCOMPARE(rig.format_of("a").fontWeight(), 50);
        QCOMPARE(rig.format_of("a").background().style(), Qt::NoBrush);
    }

    void kinds_and_colours()
    {
        Rig rig;
        rig.buffer.set_ansi_tx(QStringLiteral("32"));
        rig.buffer.set_ansi_err(QStringLiteral("1;31"));
        rig.rx("ab");
        rig.rx("cd\n");
        rig.buffer.append_sent("S1", false);
        rig.rx("ef");
        rig.buffer.AppendErrorText(QByteArray("E\xE6\x96\x87\r\n"));
        rig.rx("gh");
        QCOMPARE(rig.shown(), QString::fromUtf8("abcd\n\nS1ef\nE\xE6\x96\x87\ngh"));
        QCOMPARE(rig.format_of("S1").foreground().color(), QColor(Qt::darkGreen));
        QCOMPARE(rig.format_of("ef").foreground().style(), Qt::NoBrush);
        QCOMPARE(rig.format_of("E").foreground().color(), QColor(Qt::red));
        QCOMPARE(rig.format_of("gh").fontWeight(), 50);

        // Stamped sent and error lines carry their own header per line.
        Rig stamped(true);
        stamped.buffer.append_sent("p\nq\n", true);
        stamped.buffer.AppendErrorText("oops");
        const QStringList lines = stamped.shown().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[1].endsWith("] p"));
        QVERIFY(lines[2].endsWith("] q"));
        QVERIFY(lines[3].endsWith("] oops"));
        QVERIFY(QRegularExpression(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\] p$)").match(lines[1]).hasMatch());
    }

    void split_characters_data()
    {
        QTest::addColumn<QString>("encoder");
        QTest::newRow("UTF-8") << "UTF-8";
        QTest::newRow("GBK") << "GBK";
        QTest::newRow("GB18030") << "GB18030";
        QTest::newRow("Shift_JIS") << "Shift_JIS";
    }

    // Every cut of an encoded text into two blocks, and one byte per block.
    void split_characters()
    {
        QFETCH(QString, encoder);
        QTextCodec *codec = QTextCodec::codecForName(encoder.toLatin1());
        QVERIFY(codec);
        QString text = QString::fromUtf8("x\xE4\xB8\xAD\xE6\x96\x87y");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80z");
        if (codec->canEncode(emoji))
            text += emoji;
        const QByteArray bytes = codec->fromUnicode(text);
        for (int cut = 1; cut < bytes.size(); ++cut) {
            Rig rig;
            rig.buffer.set_encoder(encoder);
            rig.rx(bytes.left(cut));
            rig.rx(bytes.mid(cut));
            QCOMPARE(rig.shown(), text);
        }
        Rig rig;
        rig.buffer.set_encoder(encoder);
        for (char b : bytes)
            rig.rx(QByteArray(1, b));
        QCOMPARE(rig.shown(), text);
    }

    void split_character_with_stamps()
    {
        Rig rig(true);
        rig.rx("ab\xE4", false, t0_);
        rig.rx("\xB8\xAD" "cd", false, t0_);
        QCOMPARE(rig.shown(), QString::fromUtf8("\n") + stamp(t0_) + QString::fromUtf8("ab\xE4\xB8\xAD\n") + stamp(t0_) + "cd");
    }

    void unfinished_character_fallback()
    {
        Rig rig;
        rig.rx("1\xE4");
        rig.rx("ABCD");
        rig.rx("2\xE4\xB8");
        rig.rx("EF");
        rig.rx("3\xFF" "4");
        QCOMPARE(rig.shown(), QString::fromUtf8("1[?:e4]ABCD2[?:e4 b8]EF3\xEF\xBF\xBD" "4"));

        Rig gbk;
        gbk.buffer.set_encoder(QStringLiteral("GBK"));
        gbk.rx("a\xD6");
        gbk.rx(" xyz");
        QCOMPARE(gbk.shown(), QStringLiteral("a[?:d6] xyz"));
    }

    void hex_view()
    {
        Rig rig;
        rig.buffer.set_if_show_hex(true);
        rig.rx("AB\n\x1B");
        rig.rx("[Batch size=2]", true);
        rig.buffer.append_sent("12", false);
        rig.buffer.append_sent("done\r\n", true);
        rig.buffer.AppendErrorText("E");
        QCOMPARE(rig.shown(), QStringLiteral("41 42 0A 1B [Batch size=2]\n31 32 \ndone\n\nE"));
        rig.buffer.set_if_show_hex(false);
        QCOMPARE(rig.shown(), QStringLiteral("AB\n\x1B[Batch size=2]\n12\ndone\n\nE"));

        Rig stamped(true);
        stamped.buffer.set_if_show_hex(true);
        stamped.rx("\x01\xFE", false, t0_);
        QCOMPARE(stamped.shown(), "\n" + stamp(t0_) + "01 FE ");
    }

    void echo_and_tx_off()
    {
        Rig rig;
        rig.buffer.set_if_show_echo(false);
        rig.buffer.set_if_show_tx(false);
        rig.rx("lost");
        rig.rx("also lost", true);
        rig.buffer.append_sent("gone", false);
        QVERIFY(!rig.buffer.updated());
        QCOMPARE(rig.shown(), QString());
        rig.buffer.set_if_show_hex(true);
        QCOMPARE(rig.shown(), QString());
        rig.buffer.AppendErrorText("kept");
        QVERIFY(rig.buffer.updated());
        QCOMPARE(rig.shown(), QStringLiteral("\nkept"));
    }

    void updated_flag_and_clear()
    {
        Rig rig;
        QVERIFY(!rig.buffer.updated());
        rig.rx("a\xE4");
        QVERIFY(rig.buffer.updated());
        QCOMPARE(rig.shown(), QStringLiteral("a"));
        QVERIFY(!rig.buffer.updated());
        rig.buffer.clear();
        QVERIFY(rig.buffer.updated());
        QVERIFY(rig.buffer.all_text());
        QVERIFY(!rig.buffer.updated());
        // Pending bytes survive a clear.
        rig.rx("\xB8\xAD");
        QCOMPARE(rig.shown(), QString::fromUtf8("\xE4\xB8\xAD"));
    }

    void ring_advance_and_paging()
    {
        Rig rig;
        rig.buffer.set_max_size(0);
        QCOMPARE(rig.buffer.max_size(), 512);
        rig.buffer.set_list_size(5);
        for (int i = 0; i < 12; ++i)
            rig.rx(QStringLiteral("B%1:").arg(i, 2, 10, QLatin1Char('0')).toLatin1() + QByteArray(600, 'x') + '\n');
        // A refresh shows at most max_size characters of the two newest chunks.
        const QString fresh = rig.shown();
        QVERIFY(fresh.size() <= 512);
        QVERIFY(fresh.endsWith(QString(600 - 512 + 5, 'x') + '\n') || fresh.endsWith("x\n"));
        QVERIFY(rig.buffer.all_text());
        QVERIFY(rig.buffer.all_text());
        QVERIFY(rig.buffer.all_text());
        QVERIFY(!rig.buffer.all_text());
        QStringList heads;
        for (const QString &line : rig.plain().split('\n', Qt::SkipEmptyParts))
            heads << line.left(4);
        QCOMPARE(heads, QStringList({"B07:", "B08:", "B09:", "B10:", "B11:"}));
        for (const QString &line : rig.plain().split('\n', Qt::SkipEmptyParts))
            QCOMPARE(line.size(), 604);
    }

    void list_size_rebuilds()
    {
        Rig rig;
        rig.buffer.set_max_size(0);
        QSignalSpy spy(&rig.buffer, &TextBuffer::list_size_changed);
        auto block = [&](int i) { rig.rx(QStringLiteral("C%1:").arg(i).toLatin1() + QByteArray(520, '.') + '\n'); };
        for (int i = 0; i < 25; ++i)
            block(i);
        auto heads = [&] {
            QStringList h;
            for (const QString &line : rig.everything().split('\n', Qt::SkipEmptyParts))
                h << line.section(':', 0, 0);
            return h;
        };
        QCOMPARE(heads().size(), 20);
        rig.buffer.set_list_size(5);
        QCOMPARE(heads(), QStringList({"C20", "C21", "C22", "C23", "C24"}));
        rig.buffer.set_list_size(8);
        QCOMPARE(heads(), QStringList({"C20", "C21", "C22", "C23", "C24"}));
        for (int i = 25; i < 28; ++i)
            block(i);
        QCOMPARE(heads(), QStringList({"C20", "C21", "C22", "C23", "C24", "C25", "C26", "C27"}));
        block(28);
        QCOMPARE(heads().first(), QStringLiteral("C21"));
        rig.buffer.set_list_size(1);
        QCOMPARE(rig.buffer.list_size(), 2);
        rig.buffer.set_max_size(5000);
        QCOMPARE(heads(), QStringList({"C27", "C28"}));
        QVERIFY(!rig.buffer.all_text());
        QCOMPARE(spy.count(), 3);
    }

    void trimming_never_shows_half_a_sequence()
    {
        for (int pad = 0; pad < 12; ++pad) {
            Rig rig;
            rig.buffer.set_max_size(0);
            QByteArray b;
            while (b.size() < 1500)
                b += "\x1B[0;31mXYZ";
            b += QByteArray(pad, 'X');
            rig.rx(b.left(700));
            rig.rx(b.mid(700));
            const QString s = rig.shown();
            QVERIFY2(QRegularExpression("^[XYZ]+$").match(s).hasMatch(), qPrintable(s.left(20)));
            QVERIFY(s.size() <= 512);
        }
        for (int pad = 0; pad < 2; ++pad) {
            Rig rig;
            rig.buffer.set_max_size(0);
            rig.rx(QByteArray(pad, 'a') + QByteArray("\xF0\x9F\x98\x80").repeated(400));
            const QString s = rig.shown();
            QVERIFY(s.size() <= 512);
            QVERIFY(s.at(0).isHighSurrogate());
        }
    }

    void paging_needs_a_document()
    {
        TextBuffer buffer;
        buffer.AppendErrorText("x");
        QVERIFY(!buffer.all_text());
        QCOMPARE(buffer.text(), QString());
        QVERIFY(!buffer.updated());

        // The text area goes away with its view; the buffer must notice.
        auto view = std::make_unique<TerminalDocument>();
        buffer.set_doc(view->doc());
        QVERIFY(buffer.all_text());
        view.reset();
        QVERIFY(!buffer.all_text());
        buffer.text();
    }

    void default_format_is_the_documents()
    {
        TerminalDocument view;
        QTextCharFormat green;
        green.setForeground(QColor(Qt::green));
        green.setFontItalic(true);
        QTextCursor(view.text_document()).setBlockCharFormat(green);
        TextBuffer buffer;
        buffer.set_if_show_time(false);
        buffer.set_doc(view.doc());
        buffer.append_received("\x1B[31mred\x1B[0mplain", 15, t0_, false);
        buffer.text();
        QTextCursor c(view.text_document());
        c.setPosition(1);
        QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::darkRed));
        QVERIFY(c.charFormat().fontItalic());
        c.setPosition(6);
        QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::green));
        QVERIFY(c.charFormat().fontItalic());
    }

    void scrollbar_retunes_max_size()
    {
        Rig rig;
        QSignalSpy spy(&rig.buffer, &TextBuffer::max_size_changed);
        rig.buffer.aysnc_scrollbar_size(1.0f);
        QCOMPARE(rig.buffer.max_size(), 10752);
        rig.buffer.aysnc_scrollbar_size(1.0f);
        QCOMPARE(rig.buffer.max_size(), 22016);
        rig.buffer.aysnc_scrollbar_size(1e9f);
        QCOMPARE(rig.buffer.max_size(), 200000512);
        QCOMPARE(spy.count(), 3);

        rig.view.text_document()->setPlainText(QString(9999, 'x'));
        QCOMPARE(rig.view.text_document()->characterCount(), 10000);
        rig.buffer.aysnc_scrollbar_size(0.5f);
        rig.buffer.aysnc_scrollbar_size(0.45f);
        rig.buffer.aysnc_scrollbar_size(std::numeric_limits<float>::quiet_NaN());
        rig.buffer.aysnc_scrollbar_size(-0.5f);
        QCOMPARE(spy.count(), 3);
        rig.buffer.aysnc_scrollbar_size(0.1f);
        QCOMPARE(rig.buffer.max_size(), 2048);

        TextBuffer alone;
        alone.aysnc_scrollbar_size(0.5f);
        QCOMPARE(alone.max_size(), 5120);
    }

    void max_size_rounding_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("0") << 0 << 512;
        QTest::newRow("511") << 511 << 512;
        QTest::newRow("512") << 512 << 1024;
        QTest::newRow("5119") << 5119 << 5120;
        QTest::newRow("negative") << -5000 << 512;
        QTest::newRow("huge") << std::numeric_limits<int>::max() << 200000512;
    }

    void max_size_rounding()
    {
        QFETCH(int, value);
        QFETCH(int, stored);
        TextBuffer buffer;
        QSignalSpy spy(&buffer, &TextBuffer::max_size_changed);
        buffer.set_max_size(value);
        QCOMPARE(buffer.max_size(), stored);
        QCOMPARE(spy.count(), 1);
    }

    void encoders()
    {
        TextBuffer buffer;
        QVERIFY(buffer.checkEncoder(QStringLiteral("UTF-8")));
        QVERIFY(buffer.checkEncoder(QStringLiteral("GBK")));
        QVERIFY(!buffer.checkEncoder(QStringLiteral("No-Such-Codec")));
        QVERIFY(!buffer.checkEncoder(QString()));

        Rig rig;
        QSignalSpy spy(&rig.buffer, &TextBuffer::encoder_changed);
        rig.buffer.set_encoder(QStringLiteral("No-Such-Codec"));
        QCOMPARE(rig.buffer.encoder(), QStringLiteral("No-Such-Codec"));
        QCOMPARE(spy.count(), 1);
        rig.rx("\xE4\xB8\xAD\xE4");
        rig.rx("\xB8\xAD");
        QCOMPARE(rig.shown(), QString::fromUtf8("\xE4\xB8\xAD\xE4\xB8\xAD"));

        // Sent bytes use the encoder; status lines are UTF-8 whatever it is.
        Rig gbk;
        gbk.buffer.set_encoder(QStringLiteral("GBK"));
        gbk.buffer.append_sent("\xD6\xD0", false);
        gbk.buffer.append_sent(QString::fromUtf8("[\xE5\xB7\xB2\xE5\x8F\x91\xE9\x80\x81]").toUtf8(), true);
        QCOMPARE(gbk.shown(), QString::fromUtf8("\n\xE4\xB8\xAD\n[\xE5\xB7\xB2\xE5\x8F\x91\xE9\x80\x81]"));
    }

    void ten_megabytes_without_line_feed()
    {
        Rig rig(true);
        const QByteArray big(10 * 1024 * 1024, 'a');
        rig.rx(big, false, t0_);
        const int max = rig.buffer.max_size();
        QVERIFY(rig.shown().size() <= max);
        const QString all = rig.everything();
        QVERIFY(all.size() <= 20 * (2 * max + 64));
        QVERIFY(all.endsWith(QString(100, 'a')));
        rig.buffer.set_if_show_hex(true);
        QVERIFY(rig.everything().size() <= 20 * (2 * max + 64));
        QVERIFY(rig.plain().endsWith("61 61 "));

        // The same flood in the blocks a link delivers.
        Rig blocks(true);
        for (int i = 0; i < big.size(); i += 4096)
            blocks.buffer.append_received(big.constData() + i, 4096, t0_, false);
        QVERIFY(blocks.everything().size() <= 20 * (max + 4096 + 64));
    }

    void bad_bytes_shown()
    {
        Rig rig;
        rig.rx("\x1B");
        rig.rx("[31");
        rig.rx("mR\x1B[999");
        rig.rx(QByteArray("\0\x1B[2J\xC0\xAF", 7));
        const QString s = rig.shown();
        QCOMPARE(s, QString::fromUtf8("R\x1B[999") + QChar(0) + QString::fromUtf8("\x1B[2J\xEF\xBF\xBD\xEF\xBF\xBD"));
        QCOMPARE(rig.format_of("R").foreground().color(), QColor(Qt::darkRed));
    }

    void colour_preview()
    {
        Rig rig;
        TerminalDocument preview;
        rig.buffer.setTextTermFormatting(preview.doc(), QStringLiteral("1;31"));
        const QString s = preview.text_document()->toPlainText();
        QCOMPARE(s, QString::fromUtf8("Ansi\xE8\xBD\xAC\xE4\xB9\x89\xE7\xA0\x81: \n\n\\x1B[1;31|-CONTENT-|\n--------------\n|-CONTENT-| "));
        QTextCursor c(preview.text_document());
        c.setPosition(s.indexOf("|-CONTENT-|") + 1);
        QCOMPARE(c.charFormat().foreground().style(), Qt::NoBrush);
        c.setPosition(s.lastIndexOf("|-CONTENT-|") + 1);
        QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::red));
        QCOMPARE(c.charFormat().fontWeight(), 75);
        rig.buffer.setTextTermFormatting(nullptr, QStringLiteral("1"));
    }
};

QTEST_MAIN(Tst_TextBuffer)
#include "tst_textbuffer.moc"

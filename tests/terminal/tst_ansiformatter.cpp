#include <QtTest>
#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>

#include "ansiformatter.h"

// SGR sequences against the character formats of the runs they produce.
class Tst_AnsiFormatter : public QObject
{
    Q_OBJECT

    QTextCharFormat def_;

    QTextDocument *render(const QString &text, QTextDocument *doc = nullptr)
    {
        if (!doc)
            doc = new QTextDocument(this);
        AnsiFormatter::insert_ansi_text(doc, text, def_, true);
        return doc;
    }

    // Format of the first character of needle in the document.
    static QTextCharFormat format_of(QTextDocument *doc, const QString &needle)
    {
        const int at = doc->toPlainText().indexOf(needle);
        if (at < 0)
            qFatal("'%s' not in '%s'", qPrintable(needle), qPrintable(doc->toPlainText()));
        QTextCursor c(doc);
        c.setPosition(at + 1);
        return c.charFormat();
    }

    static QColor fg(QTextDocument *doc, const QString &needle) { return format_of(doc, needle).foreground().color(); }
    static QColor bg(QTextDocument *doc, const QString &needle) { return format_of(doc, needle).background().color(); }

private slots:
    void initTestCase()
    {
        def_.setForeground(QColor(Qt::black));
        def_.setFontFamily(QStringLiteral("monospace"));
    }

    void bold_and_colour_order()
    {
        QTextDocument *doc = render(QStringLiteral("\x1B[1;31mA\x1B[0m\x1B[31;1mB"));
        QCOMPARE(doc->toPlainText(), QStringLiteral("AB"));
        QCOMPARE(format_of(doc, "A").fontWeight(), 75);
        QCOMPARE(fg(doc, "A"), QColor(Qt::red));
        QCOMPARE(format_of(doc, "B").fontWeight(), 75);
        QCOMPARE(fg(doc, "B"), QColor(Qt::darkRed));
    }

    void colour_tables_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        const QColor none;
        QTest::newRow("30 normal") << "30" << QColor(Qt::black) << none;
        QTest::newRow("37 normal") << "37" << QColor(Qt::lightGray) << none;
        QTest::newRow("33 after bold") << "1;33" << QColor(Qt::yellow) << none;
        QTest::newRow("41 always bright") << "41" << none << QColor(Qt::red);
        QTest::newRow("40") << "40" << none << QColor(Qt::darkGray);
        QTest::newRow("90") << "90" << QColor(Qt::darkGray) << none;
        QTest::newRow("96") << "96" << QColor(Qt::cyan) << none;
        QTest::newRow("107") << "107" << none << QColor(Qt::white);
        QTest::newRow("38;5;3 is 33") << "38;5;3" << QColor(Qt::darkYellow) << none;
        QTest::newRow("38;5;3 bold") << "1;38;5;3" << QColor(Qt::yellow) << none;
        QTest::newRow("38;5;9 is 91") << "38;5;9" << QColor(Qt::red) << none;
        QTest::newRow("48;5;4 is 44") << "48;5;4" << none << QColor(Qt::blue);
        QTest::newRow("48;5;15 is 107") << "48;5;15" << none << QColor(Qt::white);
        QTest::newRow("grey 232") << "38;5;232" << QColor::fromRgbF(0, 0, 0) << none;
        QTest::newRow("grey 244") << "38;5;244" << QColor::fromRgbF(12 / 23.0, 12 / 23.0, 12 / 23.0) << none;
        QTest::newRow("grey 255") << "48;5;255" << none << QColor::fromRgbF(1, 1, 1);
        QTest::newRow("cube 16") << "38;5;16" << QColor(0, 0, 0) << none;
        QTest::newRow("cube 196 red") << "38;5;196" << QColor(255, 0, 0) << none;
        QTest::newRow("cube 46 green") << "38;5;46" << QColor(0, 255, 0) << none;
        QTest::newRow("cube 21 blue") << "38;5;21" << QColor(0, 0, 255) << none;
        QTest::newRow("cube 110") << "38;5;110" << QColor(135, 175, 215) << none;
        QTest::newRow("cube 231") << "48;5;231" << none << QColor(255, 255, 255);
        QTest::newRow("above 255 stays in the cube") << "38;5;300" << QColor(95, 255, 135) << none;
        QTest::newRow("truecolour") << "38;2;10;20;30" << QColor(10, 20, 30) << none;
        QTest::newRow("truecolour bg") << "48;2;1;2;3" << none << QColor(1, 2, 3);
        QTest::newRow("truecolour clamped") << "38;2;300;0;999" << QColor(255, 0, 255) << none;
        QTest::newRow("swap 7") << "31;42;7" << QColor(Qt::green) << QColor(Qt::darkRed);
        QTest::newRow("swap twice 27") << "31;42;7;27" << QColor(Qt::darkRed) << QColor(Qt::green);
        QTest::newRow("hidden 8") << "44;8" << QColor(Qt::blue) << QColor(Qt::blue);
        QTest::newRow("39 default fg") << "31;39" << QColor(Qt::black) << none;
        QTest::newRow("49 default bg") << "31;41;49" << QColor(Qt::darkRed) << none;
        QTest::newRow("28 defaults") << "31;41;28" << QColor(Qt::black) << none;
        QTest::newRow("empty part resets") << "31;;32" << QColor(Qt::darkGreen) << none;
        QTest::newRow("leading empty part") << ";31" << QColor(Qt::darkRed) << none;
        QTest::newRow("unknown codes ignored") << "31;50;99;108;4000" << QColor(Qt::darkRed) << none;
        QTest::newRow("overflowing number resets") << "31;99999999999999" << QColor(Qt::black) << none;
        QTest::newRow("38;1 bad selector, rest applied") << "38;1;32" << QColor(Qt::darkGreen) << none;
    }

    void colour_tables()
    {
        QFETCH(QString, codes);
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        QTextDocument *doc = render(QStringLiteral("\x1B[") + codes + QStringLiteral("mX"));
        QCOMPARE(doc->toPlainText(), QStringLiteral("X"));
        const QTextCharFormat f = format_of(doc, "X");
        QCOMPARE(f.foreground().color(), foreground.isValid() ? foreground : QColor(Qt::black));
        if (background.isValid())
            QCOMPARE(f.background().color(), background);
        else
            QCOMPARE(f.background().style(), Qt::NoBrush);
    }

    void extended_colour_missing_parts()
    {
        // No selector: nothing. Missing parts: an unset colour as a solid brush.
        QTextDocument *doc = render(QStringLiteral("\x1B[31;38mA\x1B[38;5mB\x1B[38;2;1;2mC\x1B[48;7mD"));
        QCOMPARE(doc->toPlainText(), QStringLiteral("ABCD"));
        QCOMPARE(fg(doc, "A"), QColor(Qt::darkRed));
        for (const char *s : {"B", "C"}) {
            QCOMPARE(format_of(doc, s).foreground().style(), Qt::SolidPattern);
            QVERIFY(!fg(doc, s).isValid());
        }
        QCOMPARE(format_of(doc, "D").background().style(), Qt::SolidPattern);
        QVERIFY(!bg(doc, "D").isValid());
    }

    void font_codes()
    {
        QTextDocument *doc = render(QStringLiteral("\x1B[2ma\x1B[6mb\x1B[1;22mc\x1B[1;21md\x1B[5;25me"
                                                   "\x1B[3mf\x1B[23mg\x1B[4mh\x1B[24mi\x1B[9mj\x1B[29mk"
                                                   "\x1B[4;9;0ml\x1B[3;4;1;10mm\x1B[20;26mn"));
        QCOMPARE(format_of(doc, "a").fontWeight(), 25);
        QCOMPARE(format_of(doc, "b").fontWeight(), 87);
        for (const char *s : {"c", "d", "e"})
            QCOMPARE(format_of(doc, s).fontWeight(), 50);
        QVERIFY(format_of(doc, "f").fontItalic());
        QVERIFY(!format_of(doc, "g").fontItalic());
        QVERIFY(format_of(doc, "h").fontUnderline());
        QVERIFY(!format_of(doc, "i").fontUnderline());
        QVERIFY(format_of(doc, "j").fontStrikeOut());
        QVERIFY(!format_of(doc, "k").fontStrikeOut());
        QVERIFY(!format_of(doc, "l").fontUnderline());
        QVERIFY(!format_of(doc, "l").fontStrikeOut());
        // 10 takes back the default font, colours stay.
        const QTextCharFormat m = format_of(doc, "m");
        QVERIFY(!m.fontItalic());
        QVERIFY(!m.fontUnderline());
        QCOMPARE(m.fontWeight(), 50);
        QCOMPARE(m.fontFamily(), QStringLiteral("monospace"));
        QCOMPARE(format_of(doc, "n"), m);
    }

    void font_style_codes()
    {
        const QString family = QFont().family();
        QTextCharFormat def;
        def.setFontFamily(family);
        def.setFontPointSize(11);
        const QStringList styles = QFontDatabase().styles(family);
        QTextDocument doc;
        AnsiFormatter::insert_ansi_text(&doc, QStringLiteral("\x1B[11mA\x1B[0;19mB"), def, true);
        QCOMPARE(doc.toPlainText(), QStringLiteral("AB"));
        if (!styles.isEmpty()) {
            const QFont expected = QFontDatabase().font(family, styles.first(), 11);
            QCOMPARE(format_of(&doc, "A").font().weight(), expected.weight());
            QCOMPARE(format_of(&doc, "A").font().italic(), expected.italic());
        }
        if (styles.size() < 9)
            QCOMPARE(format_of(&doc, "B").fontWeight(), 50);
    }

    void unrecognised_sequences_stay_verbatim_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::newRow("erase display") << "a\x1B[2Jb" << "a\x1B[2Jb";
        QTest::newRow("lone escape") << "a\x1B" << "a\x1B";
        QTest::newRow("escape then text") << "\x1Bxy" << "\x1Bxy";
        QTest::newRow("truncated at end") << "a\x1B[31" << "a\x1B[31";
        QTest::newRow("truncated before text") << "\x1B[31;1 b" << "\x1B[31;1 b";
        QTest::newRow("no parameters") << "\x1B[mX" << "\x1B[mX";
        QTest::newRow("unicode digit") << QString::fromUtf8("\x1B[\xd9\xa3mX") << QString::fromUtf8("\x1B[\xd9\xa3mX");
        QTest::newRow("double escape") << "\x1B\x1B[31mX" << "\x1BX";
        QTest::newRow("empty parameters reset") << "\x1B[;mX" << "X";
    }

    void unrecognised_sequences_stay_verbatim()
    {
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QCOMPARE(render(input)->toPlainText(), shown);
    }

    void plain_text_in_cursor_format()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat blue;
        blue.setForeground(QColor(Qt::blue));
        c.insertText(QStringLiteral("old"), blue);
        // At the start the cursor carries the format of the first character.
        render(QStringLiteral("new\x1B[32mgreen\x1B[0mplain"), &doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("newgreenplainold"));
        QCOMPARE(fg(&doc, "new"), QColor(Qt::blue));
        QCOMPARE(fg(&doc, "green"), QColor(Qt::darkGreen));
        QCOMPARE(fg(&doc, "plain"), QColor(Qt::black));
        QCOMPARE(fg(&doc, "old"), QColor(Qt::blue));
    }

    void one_undo_step_and_line_feeds()
    {
        QTextDocument doc;
        render(QStringLiteral("a\n\x1B[31mb\rc\nd"), &doc);
        QCOMPARE(doc.blockCount(), 4);
        QCOMPARE(fg(&doc, "d"), QColor(Qt::darkRed));
        doc.undo();
        QCOMPARE(doc.toPlainText(), QString());
    }
};

QTEST_MAIN(Tst_AnsiFormatter)
#include "tst_ansiformatter.moc"

#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <climits>

#include "cmd.h"

namespace {

QJsonObject leaf(const QString &hex, double count, double ms = 10)
{
    return QJsonObject{{"cmd_hex", hex}, {"loop_count", count}, {"loop_ms", ms}};
}

QJsonObject group(const QJsonArray &subs, double count, double ms = 500)
{
    return QJsonObject{{"is_group", true}, {"subCmds", subs}, {"loop_count", count}, {"loop_ms", ms}};
}

// The bytes of each step as text, "G" for a step without bytes, "-" for null.
QStringList run(Cmd &root, int steps)
{
    QStringList seq;
    for (int i = 0; i < steps; ++i) {
        Cmd *c = root.nextCmd();
        seq << (!c ? QStringLiteral("-") : c->bytes().isEmpty() ? QStringLiteral("G") : QString::fromLatin1(c->bytes()));
    }
    return seq;
}

// A chain of groups nested levels deep, with one leaf "AA" at the bottom.
QJsonObject chain(int levels)
{
    QJsonObject node = leaf("41", 1);
    for (int i = 1; i < levels; ++i)
        node = group(QJsonArray{node}, 1);
    return node;
}

QByteArray chainText(int levels)
{
    QByteArray text;
    for (int i = 1; i < levels; ++i)
        text += R"({"is_group":true,"loop_count":1,"subCmds":[)";
    text += R"({"cmd_hex":"41","loop_count":1})";
    for (int i = 1; i < levels; ++i)
        text += "]}";
    return text;
}

} // namespace

class Tst_cmd : public QObject
{
    Q_OBJECT

private slots:
    void leafSteps();
    void groupPasses();
    void endlessGroup();
    void skippedNodes();
    void currentPath();
    void resetAndClear();
    void positions();
    void mistypedJson();
    void deepNesting();
    void hugeHex();
};

void Tst_cmd::leafSteps()
{
    Cmd three(leaf("41", 3, 20), {0});
    QCOMPARE(run(three, 5), QStringList({"A", "A", "A", "-", "-"}));
    QCOMPARE(three.loop_current_count(), 3);
    QCOMPARE(three.loop_ms(), 20);

    Cmd none(QJsonObject{{"cmd_hex", "41"}}, {0});
    QCOMPARE(none.nextCmd(), nullptr);
    QCOMPARE(none.loop_current_count(), 0);

    QSignalSpy counts(&three, &Cmd::loop_current_count_changed);
    three.resetLoop(false);
    QCOMPARE(three.loop_current_count(), 0);
    QCOMPARE(counts.count(), 1);
    QCOMPARE(three.nextCmd(), &three);
}

void Tst_cmd::groupPasses()
{
    Cmd root(group({leaf("41", 1), leaf("42", 2)}, 2, 700), {0});
    QCOMPARE(run(root, 10), QStringList({"A", "B", "B", "G", "A", "B", "B", "G", "-", "-"}));

    root.resetLoop(false);
    QSignalSpy index(&root, &Cmd::loop_current_index_changed);
    for (int i = 0; i < 3; ++i)
        root.nextCmd();
    QCOMPARE(root.loop_current_index(), 1);
    Cmd *pass = root.nextCmd();
    QCOMPARE(pass, &root);
    QCOMPARE(pass->loop_ms(), 700);
    QCOMPARE(root.loop_current_count(), 1);
    QCOMPARE(root.loop_current_index(), 0);
    QVERIFY(index.count() >= 3);
    // The children start their counts again for the next pass.
    QCOMPARE(root.subCmds().at(1)->loop_current_count(), 0);
}

void Tst_cmd::endlessGroup()
{
    Cmd root(group({leaf("41", 1), leaf("42", 2)}, -1), {0});
    const QStringList seq = run(root, 40000);
    for (int i = 0; i < seq.size(); i += 4)
        QCOMPARE(seq.mid(i, 4), QStringList({"A", "B", "B", "G"}));
    QCOMPARE(root.loop_current_count(), 10000);

    Cmd endless(leaf("43", -5), {0});
    QCOMPARE(run(endless, 1000), QStringList(QVector<QString>(1000, "C").toList()));
}

void Tst_cmd::skippedNodes()
{
    QJsonObject off = leaf("58", 5);
    off["loop_on"] = false;
    Cmd root(group({off, leaf("59", 0), leaf("41", 1), group({}, 3), group({leaf("5A", 0)}, 1)}, 1), {0});
    // The empty group and the group of a skipped leaf still take their own
    // step per pass.
    QCOMPARE(run(root, 8), QStringList({"A", "G", "G", "G", "G", "G", "-", "-"}));

    QJsonObject offGroup = group({leaf("41", 1)}, 3);
    offGroup["loop_on"] = false;
    Cmd skipped(offGroup, {0});
    QCOMPARE(skipped.nextCmd(), nullptr);

    Cmd empty(group({}, 0), {0});
    QCOMPARE(empty.nextCmd(), nullptr);
}

void Tst_cmd::currentPath()
{
    Cmd root(group({leaf("41", 1), group({leaf("42", 1), leaf("43", 1)}, 1)}, 1), {4});
    Cmd *a = root.getCmdAtPosition({4, 0});
    Cmd *inner = root.getCmdAtPosition({4, 1});
    Cmd *c = root.getCmdAtPosition({4, 1, 1});
    QVERIFY(a && inner && c);
    QCOMPARE(c->position(), QList<int>({4, 1, 1}));

    QCOMPARE(root.nextCmd(), a);
    QVERIFY(root.is_current() && a->is_current() && !inner->is_current());
    root.nextCmd();
    QCOMPARE(root.nextCmd(), c);
    QVERIFY(root.is_current() && inner->is_current() && c->is_current());
    QVERIFY(!a->is_current() && !inner->subCmds().at(0)->is_current());

    QSignalSpy current(&root, &Cmd::is_current_changed);
    root.set_is_current(false);
    QCOMPARE(current.count(), 1);
    QVERIFY(!root.is_current());
}

void Tst_cmd::resetAndClear()
{
    Cmd root(group({leaf("41", 2), leaf("42", 2)}, 2), {1, 2});
    root.nextCmd();
    root.nextCmd();
    root.nextCmd();
    root.resetLoop(true);
    QCOMPARE(root.loop_current_index(), 0);
    QCOMPARE(run(root, 5), QStringList({"A", "A", "B", "B", "G"}));

    QPointer<Cmd> child = root.subCmds().at(0);
    QSignalSpy counts(&root, &Cmd::loop_current_count_changed);
    QSignalSpy index(&root, &Cmd::loop_current_index_changed);
    QSignalSpy current(&root, &Cmd::is_current_changed);
    root.clearCmd();
    QVERIFY(child.isNull());
    QVERIFY(root.subCmds().isEmpty());
    QVERIFY(root.bytes().isEmpty());
    QVERIFY(root.loop_on());
    QVERIFY(!root.is_group());
    QCOMPARE(root.loop_ms(), 1000);
    QCOMPARE(root.loop_count(), 0);
    QCOMPARE(root.loop_current_count(), 0);
    QCOMPARE(root.position(), QList<int>({1, 2}));
    QCOMPARE(counts.count(), 1);
    QCOMPARE(index.count(), 1);
    QCOMPARE(current.count(), 1);

    QSignalSpy countChanged(&root, &Cmd::loop_count_changed);
    root.loadJson(leaf("44", 7), {3});
    QCOMPARE(countChanged.count(), 1);
    QCOMPARE(root.loop_count(), 7);
    QCOMPARE(root.position(), QList<int>({3}));

    // Loading adds to the children already there.
    Cmd g(group({leaf("41", 1)}, 1), {0});
    g.loadJson(group({leaf("42", 1)}, 1), {0});
    QCOMPARE(g.subCmds().size(), 2);
}

void Tst_cmd::positions()
{
    Cmd root(group({leaf("41", 1), group({leaf("42", 1)}, 1)}, 1), {0});
    QCOMPARE(root.getCmdAtPosition({0, 1}), root.subCmds().at(1));
    QCOMPARE(root.getCmdAtPosition({0, 1, 0})->bytes(), QByteArray("B"));
    QCOMPARE(root.getCmdAtPosition({0}), &root);
    QCOMPARE(root.getCmdAtPosition({}), nullptr);
    QCOMPARE(root.getCmdAtPosition({1, 1}), nullptr);
    QCOMPARE(root.getCmdAtPosition({0, 2}), nullptr);
    QCOMPARE(root.getCmdAtPosition({0, -1}), nullptr);
    QCOMPARE(root.getCmdAtPosition({0, 0, 0}), nullptr);
    QCOMPARE(root.getCmdAtPosition({0, INT_MAX}), nullptr);

    Cmd other(group({leaf("41", 1), leaf("42", 1)}, 1), {2});
    QCOMPARE(other.getCmdAtPosition({0, 1}), nullptr);
    QCOMPARE(other.getCmdAtPosition({2, 1})->bytes(), QByteArray("B"));
    QCOMPARE(other.getCmdAtRelativePosition({}), &other);
    QCOMPARE(other.getCmdAtRelativePosition({1}), other.subCmds().at(1));
    QCOMPARE(other.subCmds().at(0)->getCmdAtRelativePosition({0}), nullptr);
}

void Tst_cmd::mistypedJson()
{
    const QJsonObject wrong{{"loop_on", "no"}, {"is_group", 1}, {"loop_ms", "fast"},
                            {"loop_count", QJsonArray{3}}, {"cmd_hex", 4142},
                            {"subCmds", QJsonArray{leaf("41", 1)}}};
    Cmd c(wrong, {0});
    QVERIFY(c.loop_on());
    QVERIFY(!c.is_group());
    QCOMPARE(c.loop_ms(), 0);
    QCOMPARE(c.loop_count(), 0);
    QVERIFY(c.bytes().isEmpty());
    QVERIFY(c.subCmds().isEmpty());

    Cmd numbers(QJsonObject{{"loop_count", 1e30}, {"loop_ms", -250}, {"cmd_hex", "zz 4g1 !\xc3\xa9"}}, {0});
    QCOMPARE(numbers.loop_count(), INT_MAX);
    QCOMPARE(numbers.loop_ms(), 0);
    QCOMPARE(numbers.bytes(), QByteArray("\x41"));
    Cmd fraction(QJsonObject{{"loop_count", 2.7}, {"loop_ms", 1e12}}, {0});
    QCOMPARE(fraction.loop_count(), 2);
    QCOMPARE(fraction.loop_ms(), INT_MAX);
    Cmd low(QJsonObject{{"loop_count", -1e30}}, {0});
    QCOMPARE(low.loop_count(), INT_MIN);
    QCOMPARE(low.nextCmd(), &low);

    // subCmds that is no array, and elements that are no objects.
    Cmd notArray(QJsonObject{{"is_group", true}, {"loop_count", 1}, {"subCmds", QJsonObject{{"0", leaf("41", 1)}}}}, {0});
    QVERIFY(notArray.subCmds().isEmpty());
    Cmd odd(group({7, "x", QJsonValue(), leaf("41", 1)}, 1), {5});
    QCOMPARE(odd.subCmds().size(), 4);
    QCOMPARE(odd.subCmds().at(0)->loop_count(), 0);
    QCOMPARE(odd.subCmds().at(3)->position(), QList<int>({5, 3}));
    QCOMPARE(run(odd, 3), QStringList({"A", "G", "-"}));

    Cmd empty(QJsonObject(), {});
    QCOMPARE(empty.nextCmd(), nullptr);
}

void Tst_cmd::deepNesting()
{
    // At the bound the whole chain loads; one level more is refused.
    Cmd fits(chain(Cmd::kMaxDepth), {0});
    const QList<int> path = QVector<int>(Cmd::kMaxDepth - 1, 0).toList();
    QVERIFY(fits.getCmdAtRelativePosition(path));
    QCOMPARE(fits.nextCmd()->bytes(), QByteArray("A"));

    Cmd deep(chain(Cmd::kMaxDepth + 1), {0});
    QVERIFY(deep.subCmds().isEmpty());
    QVERIFY(!deep.is_group());
    QCOMPARE(deep.nextCmd(), nullptr);

    // 10000 levels: as text the JSON reader itself refuses them; built in
    // memory, the tree refuses them.
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(chainText(10000), &error);
    QCOMPARE(error.error, QJsonParseError::DeepNesting);
    Cmd fromText(doc.object(), {0});
    QCOMPARE(fromText.nextCmd(), nullptr);

    Cmd built(chain(10000), {0});
    QVERIFY(built.subCmds().isEmpty());
    QCOMPARE(built.nextCmd(), nullptr);

    const QJsonDocument readable = QJsonDocument::fromJson(chainText(500), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    Cmd fiveHundred(readable.object(), {0});
    QVERIFY(fiveHundred.subCmds().isEmpty());

    // A refused tree leaves a node already loaded able to load again.
    fiveHundred.loadJson(chain(3), {1});
    QCOMPARE(fiveHundred.getCmdAtPosition({1, 0, 0})->bytes(), QByteArray("A"));
}

void Tst_cmd::hugeHex()
{
    QByteArray text = R"({"loop_count":1,"cmd_hex":")";
    text += QByteArray(50 * 1024 * 1024, '4');
    text += R"("})";
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    text.clear();
    QCOMPARE(error.error, QJsonParseError::NoError);
    Cmd c(doc.object(), {0});
    QCOMPARE(c.bytes().size(), 25 * 1024 * 1024);
    QCOMPARE(c.bytes().count('\x44'), c.bytes().size());
    QCOMPARE(c.nextCmd(), &c);

    // Built in memory with an odd digit count: the first digit stands alone.
    QJsonObject big{{"loop_count", 1}, {"cmd_hex", QString(50 * 1024 * 1024 + 1, QLatin1Char('7'))}};
    Cmd fromMemory(big, {0});
    QCOMPARE(fromMemory.bytes().size(), 25 * 1024 * 1024 + 1);
    QCOMPARE(fromMemory.bytes().at(0), '\x07');
}

QTEST_GUILESS_MAIN(Tst_cmd)
#include "tst_cmd.moc"

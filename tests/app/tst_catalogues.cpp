#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context, source, comment;
    bool numerus = false;
    bool finished = true;
};

QList<Message> read_ts(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message"))
                messages.append(current);
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message();
            current.context = context;
            current.numerus = xml.attributes().value("numerus") == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            current.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QStringRef type = xml.attributes().value("type");
            current.finished = type != QLatin1String("unfinished") && type != QLatin1String("vanished")
                               && type != QLatin1String("obsolete");
        }
    }
    return messages;
}

QString source_dir()
{
    return qEnvironmentVariable("QELO_SOURCE_DIR");
}

}

// Every translatable text of the program is translated in every catalogue.
class Tst_Catalogues : public QObject
{
    Q_OBJECT

    QList<Message> texts_;

private slots:
    void initTestCase()
    {
        QTemporaryDir tmp;
        const QString ts = tmp.path() + "/current.ts";
        QStringList args{"-silent", "-locations", "none"};
        args << qEnvironmentVariable("QELO_TR_DIRS").split(',', Qt::SkipEmptyParts);
        args << "-ts" << ts;
        QProcess lupdate;
        lupdate.setWorkingDirectory(source_dir());
        lupdate.setProcessChannelMode(QProcess::ForwardedChannels);
        lupdate.start(qEnvironmentVariable("QELO_LUPDATE"), args);
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        texts_ = read_ts(ts);
        QVERIFY(!texts_.isEmpty());
    }

    void catalogueCoversEveryText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("English") << "English";
        QTest::newRow("TraditionalChinese") << "TraditionalChinese";
    }
    void catalogueCoversEveryText()
    {
        QFETCH(QString, name);
        const QString ts = source_dir() + "/translations/" + name + ".ts";
        for (const Message &m : read_ts(ts))
            QVERIFY2(m.finished, qPrintable(QString("%1: unfinished %2 / %3").arg(ts, m.context, m.source)));

        QTranslator catalogue;
        QVERIFY(catalogue.load(qEnvironmentVariable("QELO_BUILD_DIR") + "/translations/" + name + ".qm"));
        QStringList missing;
        for (const Message &m : qAsConst(texts_)) {
            const QString translated =
                catalogue.translate(qPrintable(m.context), qPrintable(m.source),
                                    m.comment.isEmpty() ? nullptr : qPrintable(m.comment), m.numerus ? 1 : -1);
            if (translated.isEmpty())
                missing << m.context + ": " + m.source;
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(name + " lacks (cmake --build build --target update_translations):\n  "
                            + missing.join("\n  ")));
    }
};

QTEST_MAIN(Tst_Catalogues)
#include "tst_catalogues.moc"

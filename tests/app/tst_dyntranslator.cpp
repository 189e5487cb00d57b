#include <QtTest>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "commonthread.h"
#include "datahub.h"
#include "dyntranslator.h"
#include "myapplication.h"
#include "mywindow.h"
#include "runpath.h"
#include "typeregistry.h"

namespace {

QString app_config()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString language_file()
{
    return app_config() + "/language";
}

void save_choice(const QByteArray &content)
{
    QDir().mkpath(app_config());
    QFile f(language_file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray file_contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString build_dir()
{
    return qEnvironmentVariable("QELO_BUILD_DIR");
}

QString busy()
{
    return CommonThread::tr("线程正忙！");
}

}

class Tst_DynTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(QFileInfo(build_dir() + "/translations/English.qm").isFile());
        QVERIFY(QFileInfo(build_dir() + "/translations/TraditionalChinese.qm").isFile());
    }
    void init()
    {
        QDir(app_config()).removeRecursively();
        RunPath::set(build_dir());
    }

    void savedChoiceForms_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("index");
        QTest::newRow("English") << QByteArray("English") << 0;
        QTest::newRow("SimplifiedChinese") << QByteArray("SimplifiedChinese") << 1;
        QTest::newRow("TraditionalChinese") << QByteArray("TraditionalChinese") << 2;
        QTest::newRow("line break") << QByteArray("English\n") << 0;
        QTest::newRow("wrong case") << QByteArray("english") << 1;
        QTest::newRow("display name") << QByteArray("简体中文") << 1;
        QTest::newRow("0") << QByteArray("0") << 0;
        QTest::newRow("2") << QByteArray("2") << 2;
        QTest::newRow("7") << QByteArray("7") << 2;
        QTest::newRow("-3") << QByteArray("-3") << 0;
        QTest::newRow("huge") << QByteArray("99999999999999999999999") << 2;
        QTest::newRow("huge negative") << QByteArray("-99999999999999999999999") << 0;
        QTest::newRow("number and text") << QByteArray("2 English") << 1;
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage", 10) << 1;
        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, 'E') << 1;
    }
    void savedChoiceForms()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, index);
        save_choice(content);
        DynTranslator translator;
        QCOMPARE(translator.language_index(), index);
        const QStringList names{"English", "SimplifiedChinese", "TraditionalChinese"};
        QCOMPARE(translator.language_file_name(), names.at(index));
        QCOMPARE(translator.property("language_index").toInt(), index);
    }

    void missingOrUnreadableChoiceMeansSimplifiedChinese()
    {
        {
            DynTranslator translator;
            QCOMPARE(translator.language_index(), 1);
            QCOMPARE(translator.language_string_list(), QStringList({"English", "简体中文", "繁体中文"}));
        }
        QVERIFY(QDir().mkpath(language_file()));  // a directory cannot be read as a file
        DynTranslator translator;
        QCOMPARE(translator.language_index(), 1);
    }

    void savedLanguageIsInstalledLikeAtStartUp()
    {
        save_choice("English");
        DynTranslator translator;
        QCOMPARE(translator.language_index(), 0);
        QCOMPARE(busy(), QStringLiteral("线程正忙！"));  // nothing installed yet
        translator.set_application(qApp);
        translator.select_language(translator.language_index(), true);
        QCOMPARE(busy(), QStringLiteral("The thread is busy!"));
    }

    void switchingReplacesCatalogues()
    {
        DynTranslator translator;
        translator.set_application(qApp);
        QSignalSpy start(&translator, &DynTranslator::language_index_start_change);
        QSignalSpy changed(&translator, &DynTranslator::language_index_changed);
        int index_at_start = -1;
        QString text_at_start;
        connect(&translator, &DynTranslator::language_index_start_change, this, [&]() {
            index_at_start = translator.language_index();
            text_at_start = busy();
        });

        translator.select_language(2);
        QCOMPARE(start.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(index_at_start, 1);
        QCOMPARE(text_at_start, QStringLiteral("线程正忙！"));
        QCOMPARE(translator.language_index(), 2);
        QCOMPARE(translator.language_file_name(), QStringLiteral("TraditionalChinese"));
        QCOMPARE(busy(), QStringLiteral("執行緒正忙！"));

        translator.select_language(0);
        QCOMPARE(index_at_start, 2);
        QCOMPARE(text_at_start, QStringLiteral("线程正忙！"));  // old catalogue already gone
        QCOMPARE(busy(), QStringLiteral("The thread is busy!"));

        translator.select_language(0);  // same language, not forced
        QCOMPARE(start.count(), 2);
        QCOMPARE(changed.count(), 2);

        translator.select_language(1);
        QCOMPARE(busy(), QStringLiteral("线程正忙！"));
        QCOMPARE(changed.count(), 3);
        translator.select_language(1);
        QCOMPARE(changed.count(), 3);
        translator.select_language(1, true);
        QCOMPARE(start.count(), 4);
        QCOMPARE(changed.count(), 4);
        QCOMPARE(translator.language_index(), 1);
        QCOMPARE(busy(), QStringLiteral("线程正忙！"));
    }

    void invalidRequestsAreIgnored()
    {
        DynTranslator unattached;
        QSignalSpy changed(&unattached, &DynTranslator::language_index_changed);
        unattached.select_language(0, true);  // no application yet
        QCOMPARE(changed.count(), 0);
        QCOMPARE(unattached.language_index(), 1);

        DynTranslator translator;
        translator.set_application(qApp);
        QSignalSpy start(&translator, &DynTranslator::language_index_start_change);
        for (int language : {-1, 3, 1000})
            translator.select_language(language, true);
        QCOMPARE(start.count(), 0);
        QCOMPARE(translator.language_index(), 1);
    }

    void switchingWithoutCatalogues()
    {
        QTemporaryDir empty;
        RunPath::set(empty.path());
        DynTranslator translator;
        translator.set_application(qApp);
        QSignalSpy start(&translator, &DynTranslator::language_index_start_change);
        QSignalSpy changed(&translator, &DynTranslator::language_index_changed);
        translator.select_language(0);
        QCOMPARE(start.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(translator.language_index(), 0);
        QCOMPARE(busy(), QStringLiteral("线程正忙！"));
        translator.select_language(2);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(translator.language_index(), 2);
    }

    void brokenCatalogueIsSkipped()
    {
        QTemporaryDir run;
        QVERIFY(QDir().mkpath(run.path() + "/translations"));
        QFile broken(run.path() + "/translations/English.qm");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, '\x3c'));
        broken.close();
        RunPath::set(run.path());
        DynTranslator translator;
        translator.set_application(qApp);
        QSignalSpy changed(&translator, &DynTranslator::language_index_changed);
        translator.select_language(0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(busy(), QStringLiteral("线程正忙！"));
    }

    void widgetCatalogueComesOnTop()
    {
        // The widget plug-ins' catalogue is installed after the program's
        // own, so its texts win where both translate the same text.
        QTemporaryDir run;
        QVERIFY(QDir().mkpath(run.path() + "/translations"));
        QVERIFY(QDir().mkpath(run.path() + "/plugins/widgets/translations"));
        QVERIFY(QFile::copy(build_dir() + "/translations/English.qm", run.path() + "/translations/English.qm"));
        QVERIFY(QFile::copy(build_dir() + "/translations/TraditionalChinese.qm",
                            run.path() + "/plugins/widgets/translations/English.qm"));
        RunPath::set(run.path());
        DynTranslator translator;
        QCOMPARE(translator.widgets_catalogue(0), run.path() + "/plugins/widgets/translations/English.qm");
        translator.set_application(qApp);
        translator.select_language(0);
        QCOMPARE(busy(), QStringLiteral("執行緒正忙！"));
        QFile::remove(run.path() + "/plugins/widgets/translations/English.qm");
        translator.select_language(0, true);
        QCOMPARE(busy(), QStringLiteral("The thread is busy!"));
        translator.select_language(1);
    }

    void saveLanguageWritesTheFileName()
    {
        DynTranslator translator;
        translator.set_application(qApp);
        translator.select_language(2);
        translator.saveLanguage();
        QCOMPARE(file_contents(language_file()), QByteArray("TraditionalChinese"));
        DynTranslator next;
        QCOMPARE(next.language_index(), 2);
        translator.select_language(1);
        translator.saveLanguage();
        QCOMPARE(file_contents(language_file()), QByteArray("SimplifiedChinese"));
    }

    void sceneIsRetranslated()
    {
        TypeRegistry::registerAll();
        DataHub hub;
        MyApplication myapp(qApp);
        DynTranslator translator;
        QQmlApplicationEngine engine;
        translator.set_application(qApp);
        translator.set_engine(&engine);
        engine.rootContext()->setContextProperty("datahub_global", &hub);
        engine.rootContext()->setContextProperty("myapp", &myapp);
        engine.rootContext()->setContextProperty("dyntranslator", &translator);
        engine.load(QUrl::fromLocalFile(qEnvironmentVariable("QELO_SOURCE_DIR") + "/content/main.qml"));
        QCOMPARE(engine.rootObjects().size(), 1);
        auto *window = qobject_cast<MyWindow *>(engine.rootObjects().first());
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QObject *close = window->findChild<QObject *>("closeButton");
        QVERIFY(close);
        QCOMPARE(close->property("tip").toString(), QStringLiteral("关闭"));

        translator.select_language(0);
        QCOMPARE(close->property("tip").toString(), QStringLiteral("Close"));
        translator.select_language(2);
        QCOMPARE(close->property("tip").toString(), QStringLiteral("關閉"));
        translator.select_language(1);
        QCOMPARE(close->property("tip").toString(), QStringLiteral("关闭"));
        QVERIFY(!window->grabWindow().isNull());
    }

    void programAppliesAndSavesTheChoice()
    {
        // The program's own profile lives under XDG_CONFIG_HOME/qelo.
        auto run = [](const QByteArray &choice, QByteArray *saved) {
            QTemporaryDir home;
            QDir().mkpath(home.path() + "/qelo");
            if (!choice.isNull()) {
                QFile file(home.path() + "/qelo/language");
                file.open(QIODevice::WriteOnly);
                file.write(choice);
            }
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_HOME", home.path());
            program.setProcessEnvironment(env);
            program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            program.start(build_dir() + "/qelo", {"--screenshot", home.path() + "/shot.png"});
            const bool finished = program.waitForFinished(60000);
            *saved = file_contents(home.path() + "/qelo/language");
            const QImage shot(home.path() + "/shot.png");
            // The top of the left panel holds the link state and the page names.
            return finished && program.exitCode() == 0 ? shot.copy(8, 44, 270, 80) : QImage();
        };
        QByteArray saved;
        const QImage chinese = run(QByteArray(), &saved);
        QVERIFY(!chinese.isNull());
        QCOMPARE(saved, QByteArray("SimplifiedChinese"));
        const QImage english = run("English", &saved);
        QVERIFY(!english.isNull());
        QCOMPARE(saved, QByteArray("English"));
        QVERIFY(english != chinese);  // translated before the main scene was loaded
        const QImage traditional = run("7", &saved);
        QCOMPARE(saved, QByteArray("TraditionalChinese"));
        QVERIFY(!traditional.isNull());
        QVERIFY(traditional != chinese);
        QVERIFY(traditional != english);
    }
};

QTEST_MAIN(Tst_DynTranslator)
#include "tst_dyntranslator.moc"

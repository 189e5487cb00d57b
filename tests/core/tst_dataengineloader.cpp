#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "datahub.h"
#include "dataengineloader.h"

// The loader against real plug-ins built for the tests: a valid engine with
// its description file, a plug-in of another interface, and a file that is
// no plug-in at all.
class Tst_DataEngineLoader : public QObject
{
    Q_OBJECT
    QString dir_ = qEnvironmentVariable("QELO_TEST_ENGINE_DIR");

private slots:
    void initTestCase()
    {
        QVERIFY2(QDir(dir_).exists(), qPrintable(dir_));
    }

    void scanListsOnlyLoadablePlugins()
    {
        DataEngineLoader loader;
        loader.set_directory(dir_);
        loader.loadEngines();
        QStringList names = loader.name_list();
        names.sort();
        QCOMPARE(names, (QStringList{"ForeignEngine", "GoodEngine", "ScriptedEngine"}));
        QCOMPARE(loader.file_list().size(), 3);
        for (const QString &f : loader.file_list())
            QVERIFY(f.endsWith(".so") || f.endsWith(".dll") || f.endsWith(".dylib"));
        QVERIFY(!loader.engine());
    }

    void selectGivesTheEngine()
    {
        DataEngineLoader loader;
        loader.set_directory(dir_);
        loader.loadEngines();
        const int good = loader.name_list().indexOf("GoodEngine");
        const int foreign = loader.name_list().indexOf("ForeignEngine");
        loader.selectEngine(good);
        DataEngineInterface *engine = loader.engine();
        QVERIFY(engine);
        engine->process("abc", 3);
        QCOMPARE(engine->frames.size(), 1);
        QCOMPARE(engine->frames.at(0)->end, 2);

        // Out-of-range indexes change nothing.
        loader.selectEngine(-1);
        QCOMPARE(loader.engine(), engine);
        loader.selectEngine(loader.file_list().size());
        QCOMPARE(loader.engine(), engine);

        // Another interface id loads but is no engine.
        loader.selectEngine(foreign);
        QVERIFY(!loader.engine());

        loader.selectEngine(good);
        QVERIFY(loader.engine());
        loader.loadEngines();
        QVERIFY(!loader.engine());
    }

    void descriptionFiles()
    {
        DataEngineLoader loader;
        loader.set_directory(dir_);
        const QString json = loader.json_for("GoodEngine");
        QVERIFY(json.contains("\"name\": \"GoodEngine\""));
        QCOMPARE(loader.json_for("ForeignEngine"), QString());
        QCOMPARE(loader.json_for("../nothing"), QString());
    }

    void missingOrEmptyDirectory()
    {
        DataEngineLoader loader;
        loader.set_directory(dir_ + "/does-not-exist");
        loader.loadEngines();
        QVERIFY(loader.name_list().isEmpty());
        QVERIFY(loader.file_list().isEmpty());
        loader.selectEngine(0);
        QVERIFY(!loader.engine());
        QTemporaryDir empty;
        loader.set_directory(empty.path());
        loader.loadEngines();
        QVERIFY(loader.name_list().isEmpty());
    }

    void hubSwitchWaitsForTheDataLock()
    {
        DataHub hub;
        DataEngineLoader *loader = hub.data_engine_loader();
        loader->set_directory(dir_);
        loader->loadEngines();
        const int good = loader->name_list().indexOf("GoodEngine");
        hub.lockDatas();
        std::atomic<bool> switched{false};
        std::thread switcher([&]() {
            loader->selectEngine(good);
            switched = true;
        });
        QTest::qWait(100);
        // The switch cannot finish while a decoding pass holds the lock.
        const bool held_back = !switched;
        hub.unlockDatas();
        // Joined before anything is checked: what the switch wrote is read
        // only after its thread has ended.
        switcher.join();
        QVERIFY(held_back);
        QVERIFY(switched);
        QVERIFY(loader->engine());
    }

    void defaultDirectoryIsBesideTheExecutable()
    {
        DataEngineLoader loader;
        QCOMPARE(loader.directory(), QCoreApplication::applicationDirPath() + "/plugins/dataengines");
    }
};

QTEST_MAIN(Tst_DataEngineLoader)
#include "tst_dataengineloader.moc"

#include <QtTest>

#include <QDir>
#include <QStandardPaths>

#include "localinfo.h"
#include "myapplication.h"

class Tst_LocalInfo : public QObject
{
    Q_OBJECT

private slots:
    void namesDirectoriesWithoutCreatingThem()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir(config).removeRecursively();
        LocalInfo info;
        QCOMPARE(info.config_dir_path(), config + "/context");
        QCOMPARE(info.data_dir_path(), config + "/datas");
        QCOMPARE(info.config_dir_path(), MyApplication(static_cast<QGuiApplication *>(nullptr)).context_dir_path());
        QVERIFY(!QFileInfo::exists(info.config_dir_path()));
        QVERIFY(!QFileInfo::exists(info.data_dir_path()));
    }
};

QTEST_MAIN(Tst_LocalInfo)
#include "tst_localinfo.moc"

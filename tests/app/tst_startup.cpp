#include <QtTest>
class Tst_startup : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_startup)
#include "tst_startup.moc"

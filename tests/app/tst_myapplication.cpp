#include <QtTest>
class Tst_myapplication : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_myapplication)
#include "tst_myapplication.moc"

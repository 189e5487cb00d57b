#include <QtTest>
class Tst_datahub : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_datahub)
#include "tst_datahub.moc"

#include <QtTest>
class Tst_datahubthreads : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_datahubthreads)
#include "tst_datahubthreads.moc"

#include <QtTest>
class Tst_datahubpacing : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_datahubpacing)
#include "tst_datahubpacing.moc"

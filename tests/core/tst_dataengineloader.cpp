#include <QtTest>
class Tst_dataengineloader : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(Tst_dataengineloader)
#include "tst_dataengineloader.moc"

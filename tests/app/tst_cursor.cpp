#include <QtTest>

#include <QCursor>
#include <QQmlComponent>
#include <QQmlEngine>

#include "cursor.h"
#include "typeregistry.h"

class Tst_Cursor : public QObject
{
    Q_OBJECT

private slots:
    void positionIsTheGlobalPointer()
    {
        Cursor cursor;
        QCursor::setPos(12, 34);
        QCOMPARE(cursor.position(), QPointF(12, 34));
        QCursor::setPos(99, 1);
        QCOMPARE(cursor.position(), QPointF(99, 1));
    }

    void reachableFromQml()
    {
        TypeRegistry::registerAll();
        QCursor::setPos(21, 43);
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport mine.qt.Cursor 1.0\n"
                          "Cursor { property real px: position().x; property real py: position().y }",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(object->property("px").toReal(), 21.0);
        QCOMPARE(object->property("py").toReal(), 43.0);
    }
};

QTEST_MAIN(Tst_Cursor)
#include "tst_cursor.moc"

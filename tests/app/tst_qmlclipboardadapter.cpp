#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>

#include "qmlclipboardadapter.h"
#include "typeregistry.h"

class Tst_QmlClipboardAdapter : public QObject
{
    Q_OBJECT

private slots:
    void textGoesToClipboardAndSelection()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        QmlClipboardAdapter adapter;
        const QString text = QStringLiteral("41 42 0D 0A\n第二行 ✓");
        adapter.setText(text);
        QCOMPARE(clipboard->text(QClipboard::Clipboard), text);
        if (clipboard->supportsSelection())
            QCOMPARE(clipboard->text(QClipboard::Selection), text);
        adapter.setText(QString());
        QCOMPARE(clipboard->text(QClipboard::Clipboard), QString());
    }

    void reachableFromQmlAsClipboard()
    {
        TypeRegistry::registerAll();
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport mine.qt.Clipboard 1.0\n"
                          "Clipboard { Component.onCompleted: setText(\"from qml\") }",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QVERIFY(qobject_cast<QmlClipboardAdapter *>(object.data()));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("from qml"));
    }
};

QTEST_MAIN(Tst_QmlClipboardAdapter)
#include "tst_qmlclipboardadapter.moc"

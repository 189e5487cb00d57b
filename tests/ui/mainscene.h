#ifndef MAINSCENE_H
#define MAINSCENE_H

#include <QtTest>

#include <QDir>
#include <QJSValue>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickTextDocument>
#include <QQuickWindow>
#include <QTextDocument>

#include "datahub.h"
#include "dyntranslator.h"
#include "markerpainter.h"
#include "myapplication.h"
#include "qmlfiledialog.h"
#include "ringbufferwave.h"
#include "runpath.h"
#include "startup.h"
#include "typeregistry.h"

// The program's main scene in the test process: the process-wide objects
// as start-up makes them and the real main.qml from the resources, with
// helpers that find its items by object name and drive them with the mouse
// and keys. A test class derives from it and may load the scene several
// times (a restart within the process).
class MainScene
{
protected:
    DataHub *hub_ = nullptr;
    MyApplication *myapp_ = nullptr;
    DynTranslator *translator_ = nullptr;
    QQmlApplicationEngine *engine_ = nullptr;
    QQuickWindow *window_ = nullptr;
    // What the next file dialog answers, as if the user had chosen it.
    QString next_path_;

    // Gives the test process a profile of its own under `home`, with the
    // configuration directory the program uses, and the program's types.
    static void use_home(const QString &home)
    {
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home + "/data").toLocal8Bit());
        QCoreApplication::setApplicationName("qelo");
        // Closing the window (as the tests do) must not end the test.
        qApp->setQuitOnLastWindowClosed(false);
        RunPath::set(qEnvironmentVariable("QELO_BUILD_DIR"));
        TypeRegistry::registerAll();
    }
    void answer_file_dialogs()
    {
        QMLFileDialog::set_chooser([this](QMLFileDialog::Kind, const QString &, const QString &, const QString &) {
            return next_path_;
        });
    }

    // Creates the hub, application object and translator (unless given a
    // hub made beforehand) and loads main.qml; true once the window, its
    // saved state restored, is on screen.
    bool load_scene(DataHub *hub = nullptr)
    {
        hub_ = hub ? hub : new DataHub();
        myapp_ = new MyApplication(qApp);
        translator_ = new DynTranslator();
        engine_ = new QQmlApplicationEngine();
        translator_->set_application(qApp);
        translator_->set_engine(engine_);
        Startup::publish(engine_, hub_, translator_, myapp_);
        engine_->load(QUrl(QStringLiteral("qrc:///content/main.qml")));
        if (engine_->rootObjects().size() != 1)
            return false;
        window_ = qobject_cast<QQuickWindow *>(engine_->rootObjects().first());
        return window_ && QTest::qWaitFor([this]() { return myapp_->initialized(); }, 10000)
               && QTest::qWaitForWindowExposed(window_);
    }

    void unload_scene()
    {
        if (window_ && pal())
            QMetaObject::invokeMethod(pal(), "close_link");
        delete engine_;
        delete translator_;
        delete myapp_;
        delete hub_;
        engine_ = nullptr;
        translator_ = nullptr;
        myapp_ = nullptr;
        hub_ = nullptr;
        window_ = nullptr;
    }

    static void collect(QQuickItem *item, const QString &name, QList<QQuickItem *> &out)
    {
        if (item->objectName() == name)
            out.append(item);
        for (QQuickItem *child : item->childItems())
            collect(child, name, out);
    }

    // The first visible item of that name (Repeater and popup items included).
    QQuickItem *item(const QString &name, bool visible_only = true)
    {
        QList<QQuickItem *> found;
        collect(window_->contentItem(), name, found);
        for (QQuickItem *i : found)
            if (!visible_only || i->isVisible())
                return i;
        for (QQuickItem *i : window_->findChildren<QQuickItem *>(name))
            if (!visible_only || i->isVisible())
                return i;
        return nullptr;
    }

    // A visible menu entry of that text under root.
    static QQuickItem *with_text(QQuickItem *root, const QString &text)
    {
        if (root->isVisible() && root->inherits("QQuickMenuItem") && root->property("text").toString() == text)
            return root;
        for (QQuickItem *child : root->childItems())
            if (QQuickItem *found = with_text(child, text))
                return found;
        return nullptr;
    }

    QObject *object(const QString &name)
    {
        if (QQuickItem *i = item(name, false))
            return i;
        return window_->findChild<QObject *>(name);
    }

    // The number field of a settings row.
    QQuickItem *spin_of(const QString &pair) { return item(pair)->property("spin").value<QQuickItem *>(); }

    QPoint centre(QQuickItem *i) { return i->mapToScene(QPointF(i->width() / 2, i->height() / 2)).toPoint(); }

    bool click(const QString &name)
    {
        QQuickItem *i = item(name);
        if (!i)
            return false;
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(i));
        return true;
    }

    QVariant call(QObject *target, const char *method, const QVariant &a = QVariant(),
                  const QVariant &b = QVariant())
    {
        QVariant result;
        if (!b.isNull())
            QMetaObject::invokeMethod(target, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a),
                                      Q_ARG(QVariant, b));
        else if (!a.isNull())
            QMetaObject::invokeMethod(target, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a));
        else
            QMetaObject::invokeMethod(target, method, Q_RETURN_ARG(QVariant, result));
        return result;
    }

    QString terminal_text()
    {
        QQuickItem *rx = item("rxText", false);
        auto *doc = rx ? rx->property("textDocument").value<QQuickTextDocument *>() : nullptr;
        return doc ? doc->textDocument()->toPlainText() : QString();
    }

    QString alert_text()
    {
        QQuickItem *text = item("alertText");
        return text ? text->property("text").toString() : QString();
    }

    void shot(const QString &name)
    {
        const QString dir = qEnvironmentVariable("QELO_BUILD_DIR") + "/screenshots";
        QDir().mkpath(dir);
        QTest::qWait(150);
        window_->grabWindow().save(dir + "/ui-" + name + ".png");
    }

    // Files the tests write and read back.
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }
    static QJsonObject json(const QString &path) { return QJsonDocument::fromJson(read(path)).object(); }
    static QByteArray envelope(const QString &type, int vnumber, const QByteArray &ctx)
    {
        return "{\"type\": \"" + type.toUtf8() + "\", \"vnumber\": " + QByteArray::number(vnumber) + ", \"ctx\": " + ctx
               + "}";
    }
    static QJsonValue plain(const QVariant &v)
    {
        return QJsonValue::fromVariant(v.userType() == qMetaTypeId<QJSValue>() ? v.value<QJSValue>().toVariant() : v);
    }
    // Closes the window with its title bar's close button, as a user does.
    void close_window()
    {
        QVERIFY(click("closeButton"));
        QTRY_VERIFY(!window_->isVisible());
    }

    QObject *pal() { return object("protocalAndLink"); }
    RingBufferWave *chart() { return qobject_cast<RingBufferWave *>(object("ringBufferWave")); }
    MarkerPainter *marker() { return qobject_cast<MarkerPainter *>(object("markerPainter")); }
    QObject *wave_chart() { return object("waveChart"); }

    bool link_open() { return pal()->property("link_open").toBool(); }

    void open_link()
    {
        if (!link_open())
            QVERIFY(click("openLinkButton"));
        QTRY_VERIFY(pal()->property("connected").toBool());
    }

    void close_link()
    {
        if (link_open())
            QVERIFY(click("openLinkButton"));
        QTRY_VERIFY(!link_open());
    }

    void type_and_send(const QString &text)
    {
        QQuickItem *input = item("sendInput");
        QVERIFY(input);
        input->setProperty("text", text);
        QVERIFY(click("sendButton"));
    }

    void dismiss_alert()
    {
        if (item("alertOk"))
            QVERIFY(click("alertOk"));
        QTRY_VERIFY(!item("alertOk"));
    }

    // Picks entry `index` of a combo box the way a keyboard user does:
    // a click gives it the focus, Escape closes its list, arrows step.
    bool choose(const QString &name, int index)
    {
        QObject *combo = object(name);
        if (!combo || !click(name))
            return false;
        QTest::keyClick(window_, Qt::Key_Escape);
        for (int guard = 0; guard < 64; ++guard) {
            const int now = combo->property("currentIndex").toInt();
            if (now == index)
                return true;
            QTest::keyClick(window_, now < index ? Qt::Key_Down : Qt::Key_Up);
        }
        return false;
    }

    // Replaces what a text or number field holds by typing, then Enter.
    bool type_into(const QString &name, const QString &text) { return type_into(item(name), text); }
    bool type_into(QQuickItem *field, const QString &text)
    {
        if (!field)
            return false;
        // Let a field that just appeared get its place first.
        QTest::qWait(100);
        QTest::mouseDClick(window_, Qt::LeftButton, Qt::NoModifier, centre(field));
        if (!QTest::qWaitFor([field]() { return field->hasActiveFocus(); }, 2000)) {
            QQuickItem *focus = window_->activeFocusItem();
            qWarning("type_into: %s did not get the focus (it is on %s %s)", qPrintable(field->objectName()),
                     focus ? focus->metaObject()->className() : "nothing",
                     focus ? qPrintable(focus->objectName()) : "");
            return false;
        }
        QTest::keyClick(window_, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text)
            QTest::keyClick(window_, c.toLatin1());
        QTest::keyClick(window_, Qt::Key_Return);
        return true;
    }

    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(window_, from + (to - from) * i / 10, 10);
        QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, to, 10);
    }
};

#endif

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QtTest>

#include "dottedline.h"
#include "typeregistry.h"

class Tst_dottedline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void paints_between_its_points();
    void only_some_writes_repaint();

private:
    QImage grab();
    int frames_after(const std::function<void()> &action);

    QQuickView *view_ = nullptr;
    DottedLine *line_ = nullptr;
};

void Tst_dottedline::initTestCase()
{
    TypeRegistry::registerAll();
    view_ = new QQuickView();
    view_->setColor(Qt::black);
    QQmlComponent component(view_->engine());
    component.setData("import QtQuick 2.15\nimport mine.qt.DottedLine 1.0\n"
                      "DottedLine { width: 200; height: 100; color: 'lime'; line_width: 3;"
                      " start_x: 10; start_y: 50; end_x: 190; end_y: 50 }",
                      QUrl());
    line_ = qobject_cast<DottedLine *>(component.create());
    QVERIFY2(line_, qPrintable(component.errorString()));
    line_->setParentItem(view_->contentItem());
    view_->resize(200, 100);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
    QVERIFY(line_);
}

void Tst_dottedline::cleanupTestCase()
{
    delete line_;
    delete view_;
}

QImage Tst_dottedline::grab()
{
    return view_->grabWindow();
}

int Tst_dottedline::frames_after(const std::function<void()> &action)
{
    QTest::qWait(100);
    int frames = 0;
    auto c = connect(view_, &QQuickWindow::frameSwapped, this, [&frames]() { ++frames; });
    action();
    QTest::qWait(200);
    disconnect(c);
    return frames;
}

void Tst_dottedline::paints_between_its_points()
{
    QImage img = grab();
    QCOMPARE(QColor(img.pixel(100, 50)).green(), 255);
    QCOMPARE(QColor(img.pixel(100, 40)).green(), 0);
    QCOMPARE(QColor(img.pixel(195, 50)).green(), 0);
    line_->set_dash_on(true);
    line_->set_color(QColor(0, 255, 0));
    img = grab();
    int gaps = 0;
    for (int x = 12; x < 188; ++x)
        if (QColor(img.pixel(x, 50)).green() < 100)
            ++gaps;
    QVERIFY2(gaps > 10, qPrintable(QString::number(gaps)));
}

void Tst_dottedline::only_some_writes_repaint()
{
    QSignalSpy end(line_, SIGNAL(end_x_changed()));
    QCOMPARE(frames_after([this] { line_->set_end_x(100); }), 0);
    QCOMPARE(end.count(), 1);
    QCOMPARE(frames_after([this] { line_->set_end_y(20); line_->set_start_y(20); line_->set_dash_on(false); }), 0);
    QVERIFY(frames_after([this] { line_->set_start_x(10); }) >= 1);
    QVERIFY(frames_after([this] { line_->set_line_width(1); }) >= 1);
    const QImage img = grab();
    // A 1 px line on y = 20 straddles rows 19 and 20.
    QVERIFY(QColor(img.pixel(50, 20)).green() > 100);
    QCOMPARE(QColor(img.pixel(150, 20)).green(), 0);
}

QTEST_MAIN(Tst_dottedline)
#include "tst_dottedline.moc"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QThread>
#include <QtTest>

#include "axispainter.h"
#include "datahub.h"
#include "gridpainter.h"
#include "markerpainter.h"
#include "ringbufferwave.h"
#include "typeregistry.h"

class Tst_chartscene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void draws_top_value_at_the_top();
    void frame_results_arrive_on_the_ui_thread();
    void repaint_pacing();
    void painters_and_marker_follow_the_chart();

private:
    int frames_after(const std::function<void()> &action, int ms);

    DataHub *hub_ = nullptr;
    QQuickView *view_ = nullptr;
    RingBufferWave *chart_ = nullptr;
};

void Tst_chartscene::initTestCase()
{
    TypeRegistry::registerAll();
    hub_ = new DataHub();
    hub_->set_size(100);
    std::vector<float> row{8.0f};
    hub_->lockDatas();
    for (int i = 0; i < 100; ++i)
        hub_->append_row(row);
    hub_->unlockDatas();
    hub_->set_color(0, QColor(255, 0, 0));

    view_ = new QQuickView();
    view_->rootContext()->setContextProperty(QStringLiteral("datahub_global"), hub_);
    view_->setResizeMode(QQuickView::SizeRootObjectToView);
    view_->setColor(Qt::black);
    view_->setSource(QUrl(QStringLiteral("qrc:/chart/qml/ChartScene.qml")));
    QCOMPARE(view_->status(), QQuickView::Ready);
    view_->resize(400, 300);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
    chart_ = view_->rootObject()->findChild<RingBufferWave *>();
    QVERIFY(chart_);
    QCOMPARE(chart_->datahub(), hub_);
}

void Tst_chartscene::cleanupTestCase()
{
    delete view_;
    delete hub_;
}

void Tst_chartscene::draws_top_value_at_the_top()
{
    chart_->set_top_value(10);
    chart_->set_bottom_value(-10);
    chart_->set_draw_index_begin(0);
    chart_->set_draw_index_end(99);
    chart_->set_line_width(1);
    QSignalSpy updated(chart_, SIGNAL(updated()));
    chart_->add_line(0);
    chart_->repaint();
    QTRY_VERIFY_WITH_TIMEOUT(updated.count() > 0, 5000);
    const QImage img = view_->grabWindow();
    QCOMPARE(img.height(), 300);
    // 8 in a -10..10 window is 30 px from the top of a 300 px chart.
    // The grid is grey; the channel is pure red.
    auto red = [&img](int x, int y) {
        const QColor c(img.pixel(x, y));
        return c.red() > 150 && c.green() < 60;
    };
    int top_rows = 0;
    for (int y = 25; y <= 35; ++y)
        if (red(210, y))
            ++top_rows;
    QVERIFY(top_rows >= 1);
    for (int y = 60; y < 300; ++y)
        QVERIFY2(!red(210, y), qPrintable(QString::number(y)));
}

void Tst_chartscene::frame_results_arrive_on_the_ui_thread()
{
    QThread *seen = nullptr;
    auto c = connect(chart_, &RingBufferWave::num_points_changed, this,
                     [&seen]() { seen = QThread::currentThread(); }, Qt::DirectConnection);
    QSignalSpy maxes(chart_, SIGNAL(max_value_changed()));
    chart_->repaint();
    QTRY_VERIFY_WITH_TIMEOUT(maxes.count() > 0, 5000);
    disconnect(c);
    QCOMPARE(seen, QThread::currentThread());
    QCOMPARE(chart_->num_points(), 100);
    QCOMPARE(chart_->max_value(), 8.0);
    QCOMPARE(chart_->visible_count(), 1);
}

int Tst_chartscene::frames_after(const std::function<void()> &action, int ms)
{
    QTest::qWait(100);
    int frames = 0;
    auto c = connect(view_, &QQuickWindow::frameSwapped, this, [&frames]() { ++frames; });
    action();
    QTest::qWait(ms);
    disconnect(c);
    return frames;
}

void Tst_chartscene::repaint_pacing()
{
    // While the hub's paint timer runs (here once a second, so it does not
    // tick during the check), it alone drives frames.
    hub_->set_fps(1);
    QCOMPARE(frames_after([this] { hub_->start_paint(); chart_->repaint(); }, 200), 0);
    hub_->stop_paint();
    hub_->set_fps(30);
    QVERIFY(frames_after([this] { chart_->repaint(); }, 300) >= 1);

    // With no line, every second hub tick asks for a frame.
    chart_->remove_all_line();
    QTest::qWait(200);
    QCOMPARE(frames_after([this] { chart_->update_(); }, 200), 0);
    QCOMPARE(frames_after([this] { chart_->update_(); }, 200), 1);
    // repaint() of an emptied chart clears it once.
    QCOMPARE(frames_after([this] { chart_->repaint(); }, 200), 1);
    QCOMPARE(frames_after([this] { chart_->repaint(); }, 200), 0);
}

void Tst_chartscene::painters_and_marker_follow_the_chart()
{
    auto *marker = view_->rootObject()->findChild<MarkerPainter *>();
    auto *grid = view_->rootObject()->findChild<GridPainter *>();
    QVERIFY(marker && grid);
    QVERIFY(view_->rootObject()->findChild<AxisPainter *>());
    QCOMPARE(marker->rbw_ptr(), chart_);
    chart_->set_x_offset_pixel(40);
    QCOMPARE(marker->width(), 360.0);
    QCOMPARE(grid->hoffset(), 40.0);
    chart_->set_x_offset_pixel(0);
    chart_->add_line(0);
    // Hovering the line at x 200 marks sample 49.5 -> 49 on row 30.
    QTest::mouseMove(view_, QPoint(10, 10));
    QTest::mouseMove(view_, QPoint(200, 31));
    QTRY_COMPARE(chart_->mouse_y_pixel(), 31.0);
    QCOMPARE(marker->mouse_index(), 49.5);
    bool circle = false;
    for (const MarkerShape &s : marker->shapes())
        if (s.kind == MarkerShape::Circle && s.center.y() == 30.0)
            circle = true;
    QVERIFY(circle);
    QCOMPARE(marker->select_point(), 0);
    QCOMPARE(marker->point_selection()[0].point, 49);
}

QTEST_MAIN(Tst_chartscene)
#include "tst_chartscene.moc"

#include <QPainter>
#include <QtTest>
#include <memory>

#include "chartstate.h"
#include "datahub.h"
#include "markerpainter.h"
#include "ringbufferwave.h"

namespace {

QVector<MarkerShape> of_kind(const QVector<MarkerShape> &all, MarkerShape::Kind kind)
{
    QVector<MarkerShape> out;
    for (const MarkerShape &s : all)
        if (s.kind == kind)
            out.append(s);
    return out;
}

const MarkerShape *text(const QVector<MarkerShape> &all, const QString &t)
{
    for (const MarkerShape &s : all)
        if (s.kind == MarkerShape::Text && s.text == t)
            return &s;
    return nullptr;
}

}

class Tst_markerpainter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void start_values();
    void selection_keeps_index_order();
    void select_at_the_mouse();
    void cursor_ids_are_reused();
    void cursors_feed_their_selection_slots();
    void hover_marker_and_label_flips();
    void duty_and_time_labels();
    void whole_index_selection();
    void two_d_selection();
    void two_d_markers_and_measurement();
    void nothing_without_data();
    void paints();

private:
    std::unique_ptr<DataHub> hub_;
    std::unique_ptr<RingBufferWave> chart_;
    std::unique_ptr<MarkerPainter> marker_;
};

void Tst_markerpainter::init()
{
    hub_ = std::make_unique<DataHub>();
    hub_->set_size(101);
    hub_->lockDatas();
    // Channel 0 is 2 everywhere, channel 1 rises from -5 by 0.1 per sample.
    for (int i = 0; i < 101; ++i)
        hub_->append_row(std::vector<float>{2.0f, -5.0f + 0.1f * i});
    hub_->unlockDatas();
    hub_->set_color(0, QColor(255, 0, 0));
    hub_->set_color(1, QColor(0, 0, 255));
    hub_->set_decimal(0, 3);
    chart_ = std::make_unique<RingBufferWave>();
    chart_->set_datahub(hub_.get());
    chart_->set_top_value(10);
    chart_->set_bottom_value(-10);
    chart_->set_draw_index_begin(0);
    chart_->set_draw_index_end(100);
    chart_->add_all_line();
    chart_->set_unit_a(0.5);
    chart_->set_unit_text(QStringLiteral("ms"));
    marker_ = std::make_unique<MarkerPainter>();
    marker_->setSize(QSizeF(200, 200));
    marker_->set_rbw_ptr(chart_.get());
}

void Tst_markerpainter::cleanup()
{
    marker_.reset();
    chart_.reset();
    hub_.reset();
}

void Tst_markerpainter::start_values()
{
    MarkerPainter m;
    QCOMPARE(m.circle_radius(), 6);
    QCOMPARE(m.font_pixel_size(), 16);
    QCOMPARE(m.text_offset(), 5);
    QCOMPARE(m.measure_color(), QColor(0, 255, 0, 255));
    QCOMPARE(m.rbw_ptr(), nullptr);
    QCOMPARE(m.get_selected_cursor_id(), (QList<int>{-1, -1, -1}));
    QCOMPARE(m.get_selected_cursor2d_id(), (QList<int>{-1, -1}));
    QCOMPARE(m.add_cursor(3), -1);
    QVERIFY(!m.select_cursor(0));
    QVERIFY(m.shapes().isEmpty());
}

void Tst_markerpainter::selection_keeps_index_order()
{
    QCOMPARE(marker_->select_point(50, 0), 0);
    QCOMPARE(marker_->select_point(10, 0), 0);
    QCOMPARE(marker_->select_point(30, 1), 1);
    auto sel = marker_->point_selection();
    QCOMPARE(sel[0].point, 10);
    QCOMPARE(sel[1].point, 30);
    QCOMPARE(sel[2].point, 50);
    QCOMPARE(sel[1].line, 1);
    // Full: a point between the outer two replaces the middle one.
    QCOMPARE(marker_->select_point(40, 0), 1);
    QCOMPARE(marker_->point_selection()[1].point, 40);
    QCOMPARE(marker_->select_point(5, 0), 0);
    QCOMPARE(marker_->select_point(90, 0), 2);
    QCOMPARE(marker_->point_selection_count(), 3);
    // Outside the ring clears everything.
    QCOMPARE(marker_->select_point(101, 0), -1);
    QCOMPARE(marker_->point_selection_count(), 0);
    QCOMPARE(marker_->point_selection()[0].point, -1);
}

void Tst_markerpainter::select_at_the_mouse()
{
    // Channel 0 (value 2) is 80 px from the top of the 200 px item.
    chart_->set_mouse_y_pixel(85);
    marker_->set_mouse_index(20.7);
    QCOMPARE(marker_->select_point(), 0);
    QCOMPARE(marker_->point_selection()[0].point, 20);
    QCOMPARE(marker_->point_selection()[0].line, 0);
    chart_->set_mouse_y_pixel(87);
    QCOMPARE(marker_->select_point(), -1);
    QCOMPARE(marker_->point_selection_count(), 0);
    QCOMPARE(marker_->select_point(40, 1), 0);
    // A mouse index past the ring leaves the selection alone.
    marker_->set_mouse_index(500);
    QCOMPARE(marker_->select_point(), -1);
    QCOMPARE(marker_->point_selection_count(), 1);
    marker_->set_mouse_index(-1);
    QCOMPARE(marker_->select_point(), -1);
    QCOMPARE(marker_->point_selection_count(), 1);
}

void Tst_markerpainter::cursor_ids_are_reused()
{
    ChartState &s = *chart_->state();
    QCOMPARE(marker_->add_cursor(10), 0);
    QCOMPARE(marker_->add_cursor(20, 1), 1);
    QCOMPARE(marker_->add_cursor(30), 2);
    marker_->set_cursor_hide_text(1, true);
    marker_->remove_cursor(1);
    QCOMPARE(s.point_cursors.size(), size_t(3));
    QCOMPARE(s.point_cursors[1].id, -1);
    QCOMPARE(marker_->add_cursor(25), 1);
    QCOMPARE(s.point_cursors[1].point_index, 25);
    QCOMPARE(s.point_cursors[1].line, -1);
    // A reused record keeps its flags.
    QVERIFY(s.point_cursors[1].hide_text);
    marker_->remove_cursor(2);
    QCOMPARE(s.point_cursors.size(), size_t(2));
    marker_->remove_cursor(7);
    marker_->remove_cursor(-1);
    QCOMPARE(s.point_cursors.size(), size_t(2));
    QCOMPARE(marker_->add_cursor(40), 2);

    QCOMPARE(marker_->add_cursor_f(1.5), 0);
    QCOMPARE(marker_->add_cursor_f(2.5, 1), 1);
    marker_->remove_cursor_f(0);
    QCOMPARE(marker_->add_cursor_f(3.5), 0);
    QCOMPARE(s.x_cursors[0].x, 3.5);
}

void Tst_markerpainter::cursors_feed_their_selection_slots()
{
    const int a = marker_->add_cursor(60, 0);
    const int b = marker_->add_cursor(20, 1);
    QVERIFY(marker_->select_cursor(a));
    QVERIFY(marker_->select_cursor(b));
    QVERIFY(!marker_->select_cursor(9));
    QCOMPARE(marker_->get_selected_cursor_id(), (QList<int>{b, a, -1}));
    QVERIFY(marker_->point_selection()[0].from_cursor);
    // Moving a cursor moves its slot without re-sorting.
    marker_->set_cursor_point_index(b, 80);
    QCOMPARE(marker_->point_selection()[0].point, 80);
    marker_->set_cursor_line_index(a, 1);
    QCOMPARE(marker_->point_selection()[1].line, 1);
    QCOMPARE(chart_->state()->point_cursors[size_t(a)].line, 1);
    // Removing a cursor that supplied a slot clears the selection.
    marker_->remove_cursor(a);
    QCOMPARE(marker_->point_selection_count(), 0);
    QCOMPARE(marker_->get_selected_cursor_id(), (QList<int>{-1, -1, -1}));
}

void Tst_markerpainter::hover_marker_and_label_flips()
{
    const QFontMetricsF fm([] { QFont f(QStringLiteral("Arial")); f.setPixelSize(16); return f; }());
    chart_->set_mouse_y_pixel(80);
    marker_->set_mouse_index(50);
    QVector<MarkerShape> shapes = marker_->shapes();
    QVector<MarkerShape> circles = of_kind(shapes, MarkerShape::Circle);
    QCOMPARE(circles.size(), 1);
    QCOMPARE(circles[0].center, QPointF(100, 80));
    QCOMPARE(circles[0].radius, 6.0);
    QCOMPARE(circles[0].color, QColor(255, 0, 0));
    // Decimals: the channel's 3 minus one.
    const MarkerShape *label = text(shapes, QStringLiteral("2.00"));
    QVERIFY(label);
    QCOMPARE(label->rect.left(), 100.0 + 13);
    QCOMPARE(label->rect.bottom(), 80.0 - 13);
    QCOMPARE(of_kind(shapes, MarkerShape::Line)[0].line, QLineF(100, 80, 112, 68));

    // Near the right edge the label goes to the left of the point.
    marker_->set_mouse_index(95);
    shapes = marker_->shapes();
    label = text(shapes, QStringLiteral("2.00"));
    QVERIFY(label);
    QCOMPARE(label->rect.right(), 190.0 - 13);
    QCOMPARE(of_kind(shapes, MarkerShape::Line)[0].line, QLineF(190, 80, 178, 68));

    // Near the top it goes below.
    hub_->set_offset(0, 7.5);
    chart_->set_mouse_y_pixel(5);
    marker_->set_mouse_index(50);
    shapes = marker_->shapes();
    label = text(shapes, QStringLiteral("9.50"));
    QVERIFY(label);
    QCOMPARE(label->rect.top(), 5.0 + 13);
    QCOMPARE(of_kind(shapes, MarkerShape::Line)[0].line, QLineF(100, 5, 112, 17));
    QCOMPARE(label->rect.height(), fm.height());

    // Far from every line: no hover marker.
    chart_->set_mouse_y_pixel(150);
    QVERIFY(of_kind(marker_->shapes(), MarkerShape::Circle).isEmpty());
}

void Tst_markerpainter::duty_and_time_labels()
{
    marker_->set_mouse_index(-10);
    marker_->select_point(0, 1);
    marker_->select_point(25, 1);
    marker_->select_point(100, 1);
    const QVector<MarkerShape> shapes = marker_->shapes();
    QVERIFY(text(shapes, QStringLiteral("duty=25.0000%")));
    QVERIFY(text(shapes, QStringLiteral("12.5ms")));
    QVERIFY(text(shapes, QStringLiteral("50ms")));
    // Value differences use the hub's global decimals.
    QVERIFY(text(shapes, QStringLiteral("2.500000")));
    QVERIFY(text(shapes, QStringLiteral("10.000000")));
    // Three markers with labels (not from cursors), dimension lines dashed.
    QCOMPARE(of_kind(shapes, MarkerShape::Circle).size(), 3);
    int dashed = 0;
    for (const MarkerShape &s : of_kind(shapes, MarkerShape::Line))
        if (s.measure) {
            ++dashed;
            QVERIFY(s.line.dx() == 0 || s.line.dy() == 0 || std::abs(std::abs(s.line.dx()) - std::abs(s.line.dy())) < 1e-9);
            QCOMPARE(s.color, QColor(0, 255, 0));
        }
    QCOMPARE(dashed, 4 * 3);
    // The duty label sits one text height beyond the first time label.
    const MarkerShape *time = text(shapes, QStringLiteral("12.5ms"));
    const MarkerShape *duty = text(shapes, QStringLiteral("duty=25.0000%"));
    QCOMPARE(std::abs(duty->rect.top() - time->rect.top()), time->rect.height());
}

void Tst_markerpainter::whole_index_selection()
{
    marker_->set_mouse_index(-10);
    marker_->select_point(10, -1);
    marker_->select_point(10, -1);
    marker_->select_point(10, -1);
    const QVector<MarkerShape> shapes = marker_->shapes();
    // No markers and no value labels; equal indices leave out the duty label.
    QVERIFY(of_kind(shapes, MarkerShape::Circle).isEmpty());
    QVERIFY(text(shapes, QStringLiteral("0ms")));
    for (const MarkerShape &s : shapes)
        QVERIFY(!s.text.startsWith(QStringLiteral("duty")));
}

void Tst_markerpainter::two_d_selection()
{
    ChartState &s = *chart_->state();
    chart_->set_two_d_mode(true);
    QCOMPARE(marker_->select_point2d(), -1);
    s.hover = ChartHover{true, 50, 60, 1.0, 2.0, 1};
    QCOMPARE(marker_->select_point2d(), 0);
    QCOMPARE(marker_->selection_2d()[0].x, 1.0);
    QCOMPARE(marker_->selection_2d()[0].line, 1);
    QVERIFY(!marker_->selection_2d()[1].active);
    s.hover.x = -3.0;
    // The smaller x goes first.
    QCOMPARE(marker_->select_point2d(), 0);
    QCOMPARE(marker_->selection_2d()[1].x, 1.0);
    QCOMPARE(marker_->selection_2d_count(), 2);
    // Full: the slot nearer to the new x is replaced.
    s.hover.x = 0.5;
    QCOMPARE(marker_->select_point2d(), 1);
    QCOMPARE(marker_->selection_2d()[0].x, -3.0);

    const int c = marker_->add_cursor_f(-4.0, 0);
    QVERIFY(marker_->select_cursor2d(c));
    QCOMPARE(marker_->get_selected_cursor2d_id(), (QList<int>{c, -1}));
    QVERIFY(marker_->selection_2d()[0].from_cursor);
    marker_->set_cursor_cursor_x(c, -4.5);
    QCOMPARE(marker_->selection_2d()[0].x, -4.5);
    marker_->remove_cursor_f(c);
    QCOMPARE(marker_->selection_2d_count(), 0);
    QVERIFY(!marker_->select_cursor2d(5));
    // Without a hover point a plain selection clears.
    s.hover.found = false;
    QCOMPARE(marker_->select_point2d(1, 1.0, 1.0), -1);
}

void Tst_markerpainter::two_d_markers_and_measurement()
{
    ChartState &s = *chart_->state();
    chart_->set_two_d_mode(true);
    chart_->set_axis_x_begin(-5);
    chart_->set_axis_x_end(5);
    const int c = marker_->add_cursor_f(0.0);
    {
        QMutexLocker locker(&s.lock);
        ChartCursor &x = s.x_cursors[size_t(c)];
        x.pixel_ys = {40};
        x.pixel_xs = {100};
        x.y_values = {2.0};
        x.x_values = {0.0};
        x.channels = {1};
    }
    s.hover = ChartHover{true, 50, 60, -2.5, 4.0, 1};
    marker_->select_point2d();
    s.hover = ChartHover{true, 150, 140, 2.5, -4.0, 1};
    marker_->select_point2d();
    const QVector<MarkerShape> shapes = marker_->shapes();
    QVERIFY(text(shapes, QStringLiteral("(0.000000,2.000000)")));
    QVERIFY(text(shapes, QStringLiteral("5")));
    QVERIFY(text(shapes, QStringLiteral("-8")));
    QVERIFY(text(shapes, QStringLiteral("9.43398")));
    bool diagonal = false;
    for (const MarkerShape &m : of_kind(shapes, MarkerShape::Line))
        if (m.measure && m.line == QLineF(50, 60, 150, 140))
            diagonal = true;
    QVERIFY(diagonal);
    // A hidden cursor marks nothing.
    marker_->set_cursor_hide_point(c, true, 1);
    QVERIFY(!text(marker_->shapes(), QStringLiteral("(0.000000,2.000000)")));
}

void Tst_markerpainter::nothing_without_data()
{
    marker_->set_mouse_index(50);
    chart_->set_mouse_y_pixel(80);
    QVERIFY(!marker_->shapes().isEmpty());
    chart_->set_if_draw_wave(false);
    QVERIFY(marker_->shapes().isEmpty());
    chart_->set_if_draw_wave(true);
    // A collapsed window maps nothing but does not fail.
    chart_->set_top_value(3);
    chart_->set_bottom_value(3);
    marker_->select_point(10, 0);
    marker_->select_point(20, 0);
    QVERIFY(marker_->shapes().isEmpty());
    hub_->set_size(0);
    QVERIFY(marker_->shapes().isEmpty());
    QCOMPARE(marker_->select_point(0, 0), -1);
}

void Tst_markerpainter::paints()
{
    chart_->set_mouse_y_pixel(80);
    marker_->set_mouse_index(50);
    QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    marker_->paint(&p);
    p.end();
    // The circle's rim left of the point.
    QVERIFY(qRed(img.pixel(94, 80)) > 100);
    QCOMPARE(qAlpha(img.pixel(100, 80)), 0);
}

QTEST_MAIN(Tst_markerpainter)
#include "tst_markerpainter.moc"

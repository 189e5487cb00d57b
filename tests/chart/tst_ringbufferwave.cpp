#include <QtTest>

#include "datahub.h"
#include "ringbufferwave.h"

namespace {

void fill(DataHub &hub, int channels, int rows)
{
    std::vector<float> row(size_t(channels), 1.0f);
    hub.lockDatas();
    for (int i = 0; i < rows; ++i)
        hub.append_row(row);
    hub.unlockDatas();
}

}

class Tst_ringbufferwave : public QObject
{
    Q_OBJECT

private slots:
    void start_values();
    void line_list_operations();
    void line_queries_out_of_range();
    void visible_count_follows_the_hub();
    void value_window_emits_beyond_tolerance();
    void auto_center();
    void auto_fill();
    void plain_writes();
    void two_d_mode_sizes_the_x_buffer();
    void bar_records_without_a_frame();
};

void Tst_ringbufferwave::start_values()
{
    RingBufferWave w;
    QCOMPARE(w.head(), 0.0);
    QCOMPARE(w.y_grid_num(), 10);
    QCOMPARE(w.y_axis_num(), 2);
    QCOMPARE(w.num_lines(), 0);
    QVERIFY(w.if_draw_wave());
    QVERIFY(!w.if_draw_bar() && !w.if_draw_histog() && !w.if_draw_freq());
    QCOMPARE(w.histog_gap_num(), 10);
    QCOMPARE(w.freq_gap_num(), 257);
    QVERIFY(!w.theme_color().isValid());
    QCOMPARE(w.axis_x_begin(), -5.0);
    QCOMPARE(w.axis_x_end(), 5.0);
    QCOMPARE(w.visible_count(), 0);
    QCOMPARE(w.auto_mode(), 0);
    QCOMPARE(w.axis_x_index(), -1);
    QVERIFY(!w.two_d_mode());
    QVERIFY(!w.simplify_destruction());
    QCOMPARE(w.line_width(), 2);
    QVERIFY(w.unit_text().isEmpty());
    QVERIFY(w.line_index_list().isEmpty());
    QVERIFY(!w.antialiasing());
    QCOMPARE(w.datahub(), nullptr);
    QVERIFY(w.freq_list(0).isEmpty());
}

void Tst_ringbufferwave::line_list_operations()
{
    DataHub hub;
    hub.set_size(10);
    fill(hub, 4, 1);
    RingBufferWave w;
    w.set_datahub(&hub);
    QSignalSpy lines(&w, SIGNAL(num_lines_changed()));
    QSignalSpy list(&w, SIGNAL(line_index_list_changed()));

    w.add_line(3);
    w.add_line(1);
    QCOMPARE(w.line_index_list(), (QList<int>{1, 3}));
    QCOMPARE(w.num_lines(), 2);
    QCOMPARE(lines.count(), 2);
    QCOMPARE(list.count(), 2);
    QCOMPARE(w.visible_count(), 2);
    QCOMPARE(w.state()->x_channel_map.value(3), -1);

    w.add_line(3);
    w.remove_line(7);
    QCOMPARE(lines.count(), 2);
    QCOMPARE(list.count(), 2);

    w.set_line_xindex(3, 0);
    w.remove_line(3);
    QCOMPARE(w.line_index_list(), QList<int>{1});
    QCOMPARE(lines.count(), 3);
    // The x-channel map keeps its entries; a re-added line keeps its x channel.
    w.add_line(3);
    QCOMPARE(w.state()->x_channel_map.value(3), 0);

    w.add_all_line();
    QCOMPARE(w.line_index_list(), (QList<int>{0, 1, 2, 3}));
    QCOMPARE(w.state()->x_channel_map.value(0), -1);
    QCOMPARE(w.visible_count(), 4);
    QCOMPARE(w.index(2), 2);
    QCOMPARE(w.index_local(3), 3);

    w.remove_all_line();
    QVERIFY(w.line_index_list().isEmpty());
    QCOMPARE(w.visible_count(), 0);
    QCOMPARE(lines.count(), 6);
    QCOMPARE(list.count(), 6);
}

void Tst_ringbufferwave::line_queries_out_of_range()
{
    DataHub hub;
    hub.set_size(10);
    fill(hub, 2, 1);
    hub.set_scale(1, 3.0);
    hub.set_offset(1, -2.0);
    hub.set_color(1, QColor(1, 2, 3));
    RingBufferWave w;
    w.set_theme_color(QColor(9, 9, 9));
    QCOMPARE(w.color(0), QColor(9, 9, 9));
    w.set_datahub(&hub);
    w.add_line(1);
    w.add_line(5);
    QCOMPARE(w.index(-1), -1);
    QCOMPARE(w.index(w.num_lines()), -1);
    QCOMPARE(w.index_local(4), -1);
    QCOMPARE(w.scale(0), 3.0);
    QCOMPARE(w.offset(0), -2.0);
    QCOMPARE(w.color(0), QColor(1, 2, 3));
    QVERIFY(w.visible(0));
    QCOMPARE(w.scale(7), 1.0);
    QCOMPARE(w.offset(-1), 0.0);
    QCOMPARE(w.color(2), QColor(9, 9, 9));
    QVERIFY(!w.visible(2));
    // Channel 5 is listed but not in the hub.
    QVERIFY(!w.visible(1));
}

void Tst_ringbufferwave::visible_count_follows_the_hub()
{
    DataHub hub;
    hub.set_size(10);
    fill(hub, 3, 1);
    RingBufferWave w;
    w.set_datahub(&hub);
    w.add_all_line();
    QCOMPARE(w.visible_count(), 3);
    QSignalSpy spy(&w, SIGNAL(visible_count_changed()));
    hub.set_if_draws(1, false);
    QCOMPARE(w.visible_count(), 2);
    QCOMPARE(spy.count(), 1);
    hub.set_if_draws(1, false);
    QCOMPARE(spy.count(), 1);

    QSignalSpy points(&w, SIGNAL(num_points_changed()));
    QSignalSpy updated(&w, SIGNAL(updated()));
    hub.set_if_draws(2, false);
    w.set_num_points(7);
    QCOMPARE(w.num_points(), 7);
    QCOMPARE(w.visible_count(), 1);
    QCOMPARE(points.count(), 1);
    QCOMPARE(updated.count(), 1);
}

void Tst_ringbufferwave::value_window_emits_beyond_tolerance()
{
    RingBufferWave w;
    QSignalSpy top(&w, SIGNAL(top_value_changed()));
    QSignalSpy xb(&w, SIGNAL(axis_x_begin_changed()));
    w.set_top_value(1.0);
    QCOMPARE(top.count(), 1);
    w.set_top_value(1.0 + 5e-7);
    w.set_top_value(1.0 - 5e-7);
    QCOMPARE(top.count(), 1);
    QCOMPARE(w.top_value(), 1.0);
    w.set_top_value(1.0 + 2e-6);
    w.set_top_value(1.0);
    QCOMPARE(top.count(), 3);
    w.set_top_value(qQNaN());
    QCOMPARE(top.count(), 3);
    QCOMPARE(w.top_value(), 1.0);

    w.set_axis_x_begin(-5.0 + 1e-7);
    QCOMPARE(xb.count(), 0);
    w.set_axis_x_begin(-4.0);
    QCOMPARE(xb.count(), 1);

    QSignalSpy mode(&w, SIGNAL(auto_mode_changed()));
    w.set_auto_mode(0);
    QCOMPARE(mode.count(), 0);
    w.set_auto_mode(2);
    w.set_auto_mode(2);
    QCOMPARE(mode.count(), 1);
}

void Tst_ringbufferwave::auto_center()
{
    RingBufferWave w;
    // No visible line: the standard window.
    w.set_max_value(30);
    w.set_min_value(10);
    w.autoCenter();
    QCOMPARE(w.top_value(), 5.0);
    QCOMPARE(w.bottom_value(), -5.0);

    w.set_visible_count(1);
    w.autoCenter();
    QCOMPARE(w.top_value(), 20.0 + 50.0);
    QCOMPARE(w.bottom_value(), 20.0 - 50.0);
    // Bars below the lines shift the window by two half-ranges.
    w.set_if_draw_histog(true);
    w.autoCenter();
    QCOMPARE(w.top_value(), 70.0 - 20.0);
    QCOMPARE(w.bottom_value(), -30.0 - 20.0);
    w.set_if_draw_histog(false);

    w.set_max_value(3);
    w.set_min_value(3);
    w.autoCenter();
    QCOMPARE(w.top_value(), 4.0);
    QCOMPARE(w.bottom_value(), 2.0);

    w.set_axis_x_max_value(4);
    w.set_axis_x_min_value(2);
    QSignalSpy end(&w, SIGNAL(axis_x_end_changed()));
    w.autoCenter();
    QCOMPARE(w.axis_x_end(), 8.0);
    QCOMPARE(w.axis_x_begin(), -2.0);
    QCOMPARE(end.count(), 1);
    w.autoCenter();
    QCOMPARE(end.count(), 1);
}

void Tst_ringbufferwave::auto_fill()
{
    RingBufferWave w;
    w.set_visible_count(2);
    w.set_max_value(8);
    w.set_min_value(2);
    w.set_axis_x_max_value(3);
    w.set_axis_x_min_value(-1);
    w.autoFill();
    QCOMPARE(w.top_value(), 8.0);
    QCOMPARE(w.bottom_value(), 2.0);
    QCOMPARE(w.axis_x_end(), 3.0);
    QCOMPARE(w.axis_x_begin(), -1.0);
    w.set_if_draw_freq(true);
    w.autoFill();
    QCOMPARE(w.bottom_value(), -4.0);
    w.set_visible_count(0);
    w.autoFill();
    QCOMPARE(w.top_value(), 5.0);
    QCOMPARE(w.bottom_value(), -5.0);
}

void Tst_ringbufferwave::plain_writes()
{
    RingBufferWave w;
    QSignalSpy base(&w, SIGNAL(barchart_base_index_changed()));
    w.set_barchart_base_index(3.7);
    QCOMPARE(w.barchart_base_index(), 3.0);
    w.set_barchart_base_index(-2.5);
    QCOMPARE(w.barchart_base_index(), -2.0);
    w.set_barchart_base_index(1e30);
    QCOMPARE(base.count(), 3);

    QSignalSpy range(&w, SIGNAL(histog_range_max_changed()));
    w.set_histog_range_max(12.5);
    QCOMPARE(w.histog_range_max(), 12.5);
    QCOMPARE(range.count(), 0);

    QSignalSpy begin(&w, SIGNAL(draw_index_begin_changed()));
    w.set_draw_index_begin(4);
    w.set_draw_index_begin(4);
    QCOMPARE(begin.count(), 2);
    QSignalSpy grid(&w, SIGNAL(y_grid_num_changed()));
    w.set_y_grid_num(10);
    QCOMPARE(grid.count(), 1);
    QSignalSpy max(&w, SIGNAL(max_value_changed()));
    w.set_max_value(1);
    w.set_max_value(1);
    QCOMPARE(max.count(), 2);
}

void Tst_ringbufferwave::two_d_mode_sizes_the_x_buffer()
{
    DataHub hub;
    hub.set_size(123);
    RingBufferWave w;
    w.set_two_d_mode(true);
    QCOMPARE(w.state()->xvalues.size(), size_t(0));
    w.set_datahub(&hub);
    w.set_two_d_mode(true);
    QCOMPARE(w.state()->xvalues.size(), size_t(123));
    w.set_two_d_mode(false);
    QVERIFY(!w.two_d_mode());
}

void Tst_ringbufferwave::bar_records_without_a_frame()
{
    RingBufferWave w;
    QVERIFY(w.bar_datas(0).isEmpty());
    DataHub hub;
    hub.set_size(10);
    fill(hub, 1, 3);
    w.set_datahub(&hub);
    w.add_line(0);
    w.set_if_draw_bar(true);
    QVERIFY(w.bar_datas(0).isEmpty());
    QVERIFY(w.bar_y_pixels(-1).isEmpty());
    QVERIFY(w.trylockDatas());
    w.unlockDatas();
}

QTEST_MAIN(Tst_ringbufferwave)
#include "tst_ringbufferwave.moc"

#include <QtTest>
#include <atomic>
#include <cmath>
#include <thread>

#include "offscreenchart.h"

namespace {

constexpr int W = 200;
constexpr int H = 100;
constexpr double T = 10.0;
constexpr double B = -10.0;

// The value whose line runs through the middle of pixel row `row`.
float value_at_row(int row)
{
    return float(T - (row + 0.5) * (T - B) / H);
}

void feed(DataHub &hub, const std::vector<std::vector<float>> &rows)
{
    hub.lockDatas();
    for (const auto &r : rows)
        hub.append_row(r);
    hub.unlockDatas();
}

void setup(ChartState &s, DataHub &hub, QList<int> lines)
{
    s.top_value = T;
    s.bottom_value = B;
    s.draw_index_begin = 0;
    s.draw_index_end = hub.size() - 1;
    s.fake_continuous = true;
    s.line_width = 1;
    for (int ch : lines)
        s.add_line(ch);
}

QVector<int> lit_rows(const QImage &img, int x)
{
    QVector<int> out;
    for (int y = 0; y < img.height(); ++y)
        if (qAlpha(img.pixel(x, y)) > 0)
            out.append(y);
    return out;
}

QColor at(const QImage &img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return QColor(qRed(p), qGreen(p), qBlue(p), qAlpha(p));
}

bool blank(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0)
                return false;
    return true;
}

}

class Tst_chartframepass : public QObject
{
    Q_OBJECT

private slots:
    void known_signal_at_computed_rows();
    void width_one_is_a_thin_strip();
    void width_three_draws_instanced_quads();
    void points_mode_draws_squares();
    void wrapping_window_is_continuous();
    void highlighted_line_in_front();
    void two_d_hover_and_cursor_intersections_data();
    void two_d_hover_and_cursor_intersections();
    void extremes_and_auto_center();
    void bad_windows_draw_nothing();
    void non_finite_samples();
    void hub_size_zero_draws_nothing();
    void channel_count_changes_while_drawing();
    void two_d_all_negative_x_range();
};

void Tst_chartframepass::known_signal_at_computed_rows()
{
    OffscreenChart gl(W, H, 2);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(100);
    // Channel 0 ramps from row 80 up to row 20; channel 1 stays on row 50.
    std::vector<std::vector<float>> rows;
    for (int i = 0; i < 100; ++i) {
        const float a = value_at_row(80) + (value_at_row(20) - value_at_row(80)) * float(i) / 99.0f;
        rows.push_back({a, value_at_row(50)});
    }
    feed(hub, rows);
    hub.set_color(0, QColor(255, 0, 0));
    hub.set_color(1, QColor(0, 255, 0));
    ChartState s;
    setup(s, hub, {0, 1});
    const QImage img = gl.draw(s, &hub);

    for (int x = 10; x < W - 10; x += 7) {
        const double expected = 80.0 + (20.0 - 80.0) * x / double(W);
        const QVector<int> rows_lit = lit_rows(img, x);
        bool red_near = false;
        for (int y : rows_lit)
            if (std::abs(y - expected) <= 1.5 && at(img, x, y).red() > 0)
                red_near = true;
        QVERIFY2(red_near, qPrintable(QString("column %1 expected red near row %2").arg(x).arg(expected)));
        QCOMPARE(at(img, x, 50).green(), 255);
        QCOMPARE(at(img, x, 50).alpha(), 255);
        for (int y : rows_lit)
            QVERIFY2(std::abs(y - expected) <= 1.5 || y == 50,
                     qPrintable(QString("stray pixel at %1,%2").arg(x).arg(y)));
    }
}

void Tst_chartframepass::width_one_is_a_thin_strip()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_use_instance(true);
    hub.set_size(50);
    feed(hub, std::vector<std::vector<float>>(50, {value_at_row(40)}));
    ChartState s;
    setup(s, hub, {0});
    const QImage img = gl.draw(s, &hub);
    QCOMPARE(gl.pass().line_program().use_instance, 0.0f);
    for (int x = 5; x < W - 5; x += 9)
        QCOMPARE(lit_rows(img, x), QVector<int>{40});
}

void Tst_chartframepass::width_three_draws_instanced_quads()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_use_instance(true);
    hub.set_size(100);
    // Flat at row 30 for the first half, a jump, flat at row 70 after it.
    std::vector<std::vector<float>> rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back({i < 50 ? value_at_row(30) : value_at_row(70)});
    feed(hub, rows);
    ChartState s;
    setup(s, hub, {0});
    s.line_width = 3;
    // Centred on a pixel row, a 3 px quad covers exactly three rows.
    const QImage img = gl.draw(s, &hub);
    QCOMPARE(gl.pass().line_program().use_instance, 1.0f);
    QCOMPARE(gl.pass().line_program().capacity(), 100);
    for (int x = 10; x < 80; x += 7)
        QCOMPARE(lit_rows(img, x).size(), 3);
    for (int x = 120; x < 190; x += 7)
        QCOMPARE(lit_rows(img, x).size(), 3);
    // The jump between samples 49 and 50 is a steep quad 3 px across: on
    // row 45 its centre line is at x = 99.75, so it covers columns 98..100.
    QVector<int> across;
    for (int x = 90; x <= 110; ++x)
        if (qAlpha(img.pixel(x, 45)) > 0)
            across.append(x);
    QCOMPARE(across, (QVector<int>{98, 99, 100}));

    // Without the hub's permission the same width is one GL wide line.
    hub.set_use_instance(false);
    gl.draw(s, &hub);
    QCOMPARE(gl.pass().line_program().use_instance, 0.0f);
}

void Tst_chartframepass::points_mode_draws_squares()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(5);
    feed(hub, std::vector<std::vector<float>>(5, {value_at_row(50) + 0.25f}));
    ChartState s;
    setup(s, hub, {0});
    s.fake_continuous = false;
    s.line_width = 4;
    s.draw_index_begin = -1;
    s.draw_index_end = 5;
    const QImage img = gl.draw(s, &hub);
    // Samples 0..4 land at x = 200 * (i + 1) / 6.
    for (int i = 0; i < 5; ++i) {
        const int cx = int(W * (i + 1) / 6.0);
        QVERIFY2(qAlpha(img.pixel(cx, 50)) > 0, qPrintable(QString("no point %1").arg(i)));
        QCOMPARE(lit_rows(img, cx).size(), 4);
    }
    // Nothing between the points.
    for (int i = 0; i < 4; ++i) {
        const int mid = int(W * (i + 1.5) / 6.0);
        QVERIFY(lit_rows(img, mid).isEmpty());
    }
}

void Tst_chartframepass::wrapping_window_is_continuous()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(100);
    // 160 rows into a ring of 100: the window starts at ring position 60
    // and wraps after 40 samples.
    std::vector<std::vector<float>> rows;
    for (int k = 0; k < 160; ++k)
        rows.push_back({float(k)});
    feed(hub, rows);
    QCOMPARE(hub.head_index(), 60);
    ChartState s;
    setup(s, hub, {0});
    s.top_value = 160.0;
    s.bottom_value = 50.0;
    const QImage img = gl.draw(s, &hub);
    QCOMPARE(s.nodes[0]->first_pos, 60);
    QCOMPARE(s.nodes[0]->last_pos, 59);
    QCOMPARE(s.max_value, 159.0);
    QCOMPARE(s.min_value, 60.0);
    for (int x = 2; x < W - 2; ++x) {
        const double sample = 60.0 + x * 99.0 / W;
        const double expected = (160.0 - sample) * H / 110.0;
        const QVector<int> r = lit_rows(img, x);
        QVERIFY2(!r.isEmpty(), qPrintable(QString("gap at column %1").arg(x)));
        for (int y : r)
            QVERIFY2(std::abs(y + 0.5 - expected) <= 2.0,
                     qPrintable(QString("column %1 row %2, expected %3").arg(x).arg(y).arg(expected)));
    }
}

void Tst_chartframepass::highlighted_line_in_front()
{
    OffscreenChart gl(W, H, 2);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(100);
    std::vector<std::vector<float>> rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back({i < 50 ? value_at_row(40) : value_at_row(60), value_at_row(40)});
    feed(hub, rows);
    hub.set_color(0, QColor(255, 0, 0));
    hub.set_color(1, QColor(0, 0, 255));
    hub.set_highlighted_line(1);
    ChartState s;
    setup(s, hub, {0, 1});
    const QImage img = gl.draw(s, &hub);
    // Channel 1 is drawn first but wins the shared row through depth.
    QCOMPARE(at(img, 40, 40), QColor(0, 0, 255, 255));
    QCOMPARE(at(img, 150, 40), QColor(0, 0, 255, 255));
    const QColor dim = at(img, 150, 60);
    QCOMPARE(dim.red(), 255);
    QCOMPARE(dim.alpha(), 50);

    // The highlighted channel drawn last still stays in front.
    hub.set_highlighted_line(0);
    const QImage again = gl.draw(s, &hub);
    QCOMPARE(at(again, 40, 40), QColor(255, 0, 0, 255));
    QCOMPARE(at(again, 150, 40).alpha(), 50);
}

void Tst_chartframepass::two_d_hover_and_cursor_intersections_data()
{
    QTest::addColumn<int>("apart");
    QTest::addColumn<int>("found");
    QTest::newRow("5 px") << 5 << 1;
    QTest::newRow("6 px") << 6 << 2;
}

void Tst_chartframepass::two_d_hover_and_cursor_intersections()
{
    QFETCH(int, apart);
    QFETCH(int, found);
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(4);
    // Channel 0 gives x, channel 1 y. x 0 is pixel column 100 of a 200 px
    // plot spanning -5..5; rows are 20 and 20 + apart (y per row 0.2).
    const float y0 = float(T - 20.5 * 0.2);
    const float y1 = float(T - (20.5 + apart) * 0.2);
    feed(hub, {{0.0f, y0}, {0.0f, y1}, {2.5f, 0.0f}, {-2.5f, 0.0f}});
    ChartState s;
    setup(s, hub, {1});
    s.two_d_mode = true;
    s.x_channel_map.insert(1, 0);
    s.axis_x_begin = -5.0;
    s.axis_x_end = 5.0;
    ChartCursor c;
    c.id = 0;
    c.x = 0.0;
    c.line = -1;
    s.x_cursors.push_back(c);
    s.mouse_x_pixel = 150.0;
    s.mouse_y_pixel = 51.0;
    const quint32 bits = gl.frame(s, &hub);

    QCOMPARE(s.x_cursors[0].pixel_x, 100.0);
    QCOMPARE(s.x_cursors[0].pixel_ys.size(), found);
    QCOMPARE(s.x_cursors[0].pixel_ys[0], 20);
    QCOMPARE(s.x_cursors[0].channels[0], 1);
    QCOMPARE(s.x_cursors[0].y_values[0], double(y0));
    if (found == 2)
        QCOMPARE(s.x_cursors[0].pixel_ys[1], 20 + apart);
    QVERIFY(s.hover.found);
    QCOMPARE(s.hover.channel, 1);
    QCOMPARE(s.hover.pixel_x, 150);
    QCOMPARE(s.hover.pixel_y, 50);
    QCOMPARE(s.hover.x, 2.5);
    QCOMPARE(s.axis_x_max_value, 2.5);
    QCOMPARE(s.axis_x_min_value, -2.5);
    QVERIFY(bits & ChartState::AxisXMaxValue);

    // Far from every sample nothing is hovered.
    s.mouse_y_pixel = 80.0;
    gl.frame(s, &hub);
    QVERIFY(!s.hover.found);

    // The 2D line itself is drawn from (x, y) pairs: sample 2 sits at
    // column 150, row 50.
    s.mouse_y_pixel = 51.0;
    const QImage img = gl.draw(s, &hub);
    QVERIFY(qAlpha(img.pixel(150, 50)) > 0 || qAlpha(img.pixel(149, 50)) > 0);
}

void Tst_chartframepass::extremes_and_auto_center()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(10);
    std::vector<std::vector<float>> rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back({float(i), float(-i)});
    feed(hub, rows);
    hub.set_scale(1, -2.0);
    hub.set_offset(1, 1.0);
    ChartState s;
    setup(s, hub, {0, 1});
    s.auto_mode = 1;
    const quint32 bits = gl.frame(s, &hub);
    // A negative scale swaps nothing: channel 1's maximum is scale * raw max.
    QCOMPARE(s.nodes[1]->maximum, 1.0f);
    QCOMPARE(s.nodes[1]->minimum, 19.0f);
    QCOMPARE(s.max_value, 9.0);
    QCOMPARE(s.min_value, 0.0);
    QCOMPARE(s.nodes[0]->last_value, 9.0f);
    QCOMPARE(s.visible_count, 2);
    QCOMPARE(s.top_value, 4.5 + 22.5);
    QCOMPARE(s.bottom_value, 4.5 - 22.5);
    QVERIFY(bits & ChartState::TopValue);
    QVERIFY(bits & ChartState::Updated);

    s.auto_mode = 2;
    gl.frame(s, &hub);
    QCOMPARE(s.top_value, 9.0);
    QCOMPARE(s.bottom_value, 0.0);
}

void Tst_chartframepass::bad_windows_draw_nothing()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(20);
    feed(hub, std::vector<std::vector<float>>(20, {1.0f, 2.0f}));
    ChartState s;
    setup(s, hub, {0, 1});

    s.draw_index_begin = 10;
    s.draw_index_end = 10;
    quint32 bits = gl.frame(s, &hub);
    QCOMPARE(s.num_points, 0);
    QVERIFY(bits & ChartState::NumPoints);
    QVERIFY(blank(gl.read()));
    s.draw_index_begin = 15;
    s.draw_index_end = 3;
    gl.frame(s, &hub);
    QCOMPARE(s.num_points, 0);
    // Beyond the ring after clamping.
    s.draw_index_begin = 30;
    s.draw_index_end = 60;
    gl.frame(s, &hub);
    QCOMPARE(s.num_points, 0);

    s.draw_index_begin = 0;
    s.draw_index_end = 19;
    s.top_value = 3.0;
    s.bottom_value = 3.0;
    QVERIFY(blank(gl.draw(s, &hub)));
    QCOMPARE(s.max_value, 2.0);

    s.top_value = T;
    s.bottom_value = B;
    s.two_d_mode = true;
    s.axis_x_begin = 1.0;
    s.axis_x_end = 1.0;
    ChartCursor c;
    c.id = 0;
    c.x = 1.0;
    s.x_cursors.push_back(c);
    s.mouse_x_pixel = 0;
    s.mouse_y_pixel = 0;
    QVERIFY(blank(gl.draw(s, &hub)));
    QVERIFY(!s.hover.found);
    QVERIFY(s.x_cursors[0].pixel_ys.isEmpty());
    QCOMPARE(s.axis_x_max_value, 2.0);
    QCOMPARE(s.axis_x_min_value, 1.0);
    // Automatic scaling widens the degenerate x window instead of keeping it.
    s.axis_x_max_value = 1.0;
    s.axis_x_min_value = 1.0;
    s.auto_center();
    QCOMPARE(s.axis_x_end, 2.0);
    QCOMPARE(s.axis_x_begin, 0.0);

    // An x channel outside the hub stops the frame before anything is drawn.
    s.two_d_mode = false;
    s.axis_x_index = 2;
    QVERIFY(blank(gl.draw(s, &hub)));
}

void Tst_chartframepass::non_finite_samples()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(40);
    std::vector<std::vector<float>> rows;
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int i = 0; i < 40; ++i)
        rows.push_back({i % 3 == 0 ? nan : (i % 3 == 1 ? inf : float(i % 5)), nan});
    feed(hub, rows);
    ChartState s;
    setup(s, hub, {0, 1});
    s.auto_mode = 1;
    for (int width : {1, 3}) {
        hub.set_use_instance(width > 1);
        s.line_width = width;
        gl.frame(s, &hub);
        QCOMPARE(s.max_value, 4.0);
        QCOMPARE(s.min_value, 0.0);
        QVERIFY(std::isfinite(s.top_value) && std::isfinite(s.bottom_value));
    }
    // Only NaN in view: the window is left where it was.
    s.line_index_list = {1};
    const double top = s.top_value;
    gl.frame(s, &hub);
    QCOMPARE(s.top_value, top);
    s.two_d_mode = true;
    s.axis_x_begin = -5;
    s.axis_x_end = 5;
    gl.frame(s, &hub);
    QVERIFY(std::isfinite(s.axis_x_begin) && std::isfinite(s.axis_x_end));
}

void Tst_chartframepass::hub_size_zero_draws_nothing()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(10);
    feed(hub, std::vector<std::vector<float>>(10, {1.0f}));
    ChartState s;
    setup(s, hub, {0});
    gl.frame(s, &hub);
    QCOMPARE(s.nodes.size(), size_t(1));
    hub.set_size(0);
    QVERIFY(blank(gl.draw(s, &hub)));
    QCOMPARE(s.num_points, 0);
    // The window still asks for samples; an empty hub answers none.
    s.draw_index_begin = -5;
    s.draw_index_end = 50;
    QVERIFY(blank(gl.draw(s, &hub)));
    QCOMPARE(gl.frame(s, nullptr), 0u);
}

void Tst_chartframepass::channel_count_changes_while_drawing()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(500);
    feed(hub, std::vector<std::vector<float>>(500, {1, 2, 3, 4}));
    ChartState s;
    setup(s, hub, {0, 1, 2, 3});
    s.if_draw_histog = true;
    s.histog_range_max = 5;
    s.histog_top_value = 100;
    s.histog_right_index = 9;
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        std::vector<float> four{1, 2, 3, 4};
        std::vector<float> two{5, 6};
        int k = 0;
        while (!stop.load()) {
            hub.lockDatas();
            for (int i = 0; i < 25; ++i)
                hub.append_row((k & 1) ? two : four);
            hub.unlockDatas();
            if (k % 7 == 3)
                hub.set_size(k % 2 ? 300 : 500);
            ++k;
        }
    });
    bool matched = true;
    for (int i = 0; i < 60; ++i) {
        s.draw_index_end = 499;
        gl.frame(s, &hub);
        matched = matched && s.nodes.size() == size_t(s.line_index_list.size());
    }
    stop = true;
    writer.join();
    QVERIFY(matched);
    QVERIFY(s.line_index_list.size() <= 4);
}

void Tst_chartframepass::two_d_all_negative_x_range()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(6);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Channel 0 gives x for channel 1, channel 3 for channel 2; channel 3
    // holds nothing usable.
    feed(hub, {{-6.0f, 1.0f, 1.0f, nan},
               {-2.5f, 2.0f, 2.0f, nan},
               {-4.0f, 3.0f, 3.0f, nan},
               {-3.0f, 4.0f, 4.0f, nan},
               {-5.0f, 5.0f, 5.0f, nan},
               {-2.0f, 6.0f, 6.0f, nan}});
    ChartState s;
    setup(s, hub, {1});
    s.two_d_mode = true;
    s.x_channel_map.insert(1, 0);
    s.axis_x_begin = -10.0;
    s.axis_x_end = 10.0;
    const quint32 bits = gl.frame(s, &hub);
    QCOMPARE(s.axis_x_max_value, -2.0);
    QCOMPARE(s.axis_x_min_value, -6.0);
    QVERIFY(bits & ChartState::AxisXMaxValue);

    // The automatic x window spans the true range.
    s.auto_mode = 2;
    gl.frame(s, &hub);
    QCOMPARE(s.axis_x_end, -2.0);
    QCOMPARE(s.axis_x_begin, -6.0);

    // A line drawn first whose x holds no number leaves the range to the
    // lines that have one.
    s.add_line(2);
    s.x_channel_map.insert(2, 3);
    s.auto_mode = 0;
    s.axis_x_max_value = 0.0;
    s.axis_x_min_value = 0.0;
    gl.frame(s, &hub);
    QCOMPARE(s.axis_x_max_value, -2.0);
    QCOMPARE(s.axis_x_min_value, -6.0);

    // Nothing to measure at all: the start values stay, and automatic
    // scaling leaves the window alone.
    s.line_index_list = {2};
    s.auto_mode = 2;
    gl.frame(s, &hub);
    QVERIFY(s.axis_x_max_value < s.axis_x_min_value);
    QCOMPARE(s.axis_x_end, -2.0);
    QCOMPARE(s.axis_x_begin, -6.0);
}

QTEST_MAIN(Tst_chartframepass)
#include "tst_chartframepass.moc"

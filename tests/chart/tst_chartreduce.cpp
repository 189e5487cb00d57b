#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "linereducer.h"
#include "offscreenchart.h"

// The reduced draw against the full draw of the same window: the images
// must not differ where a user could tell, and no sample that reaches a
// pixel of its own may be lost.
namespace {

constexpr int W = 1280;
constexpr int H = 720;
constexpr int N = 50000;

using Signal = std::function<float(int)>;

void fill(DataHub &hub, int size, int rows, const Signal &signal)
{
    hub.set_size(size);
    hub.lockDatas();
    std::vector<float> row(1);
    for (int i = 0; i < rows; ++i) {
        row[0] = signal(i);
        hub.append_row(row);
    }
    hub.unlockDatas();
}

void setup(ChartState &s, const DataHub &hub, bool reduced, bool joined = true)
{
    s.top_value = 10;
    s.bottom_value = -10;
    s.draw_index_begin = 0;
    s.draw_index_end = hub.size() - 1;
    s.fake_continuous = joined;
    s.line_width = 1;
    s.optimization_on = reduced;
    s.add_line(0);
}

struct Difference {
    int pixels = 0;        // pixels whose RGBA differ
    int lit_only_one = 0;  // pixels lit in one image and blank in the other
    int largest = 0;       // largest difference of one channel
    int over_half = 0;     // pixels that differ by more than half of full
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (p == q)
                continue;
            ++d.pixels;
            if ((qAlpha(p) == 0) != (qAlpha(q) == 0))
                ++d.lit_only_one;
            const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            d.largest = std::max(d.largest, most);
            d.over_half += most > 128;
        }
    }
    return d;
}

int lit(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) != 0;
    return n;
}

Signal random_walk(unsigned seed)
{
    auto values = std::make_shared<std::vector<float>>();
    std::mt19937 gen(seed);
    std::normal_distribution<float> step(0.0f, 0.3f);
    float v = 0.0f;
    for (int i = 0; i < 2 * N; ++i) {
        v = std::max(-9.5f, std::min(9.5f, v + step(gen)));
        values->push_back(v);
    }
    return [values](int i) { return (*values)[size_t(i)]; };
}

Signal sine_with_spikes()
{
    return [](int i) {
        float v = float(4.0 * std::sin(i * 0.0031));
        if (i % 4999 == 17)
            v += 5.0f;
        if (i % 7001 == 3)
            v -= 5.5f;
        return v;
    };
}

Signal square()
{
    return [](int i) { return (i / 37) % 2 ? 6.0f : -6.0f; };
}

Signal lone_spike(int at)
{
    return [at](int i) { return i == at ? 9.0f : 0.0f; };
}

Signal nan_runs()
{
    return [](int i) {
        if ((i / 500) % 7 == 3)
            return std::numeric_limits<float>::quiet_NaN();
        if (i % 3001 == 0)
            return std::numeric_limits<float>::quiet_NaN();
        return float(5.0 * std::sin(i * 0.01));
    };
}

}

Q_DECLARE_METATYPE(Signal)

class TestChartReduce : public QObject
{
    Q_OBJECT

private slots:
    void same_pixels_as_the_full_draw_data();
    void same_pixels_as_the_full_draw();
    void multisampled_difference_is_bounded();
    void lone_spike_is_never_lost();
    void applies_only_above_the_threshold();
    void column_extremes_are_kept();
};

void TestChartReduce::same_pixels_as_the_full_draw_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("joined");
    QTest::addColumn<Signal>("signal");
    QTest::addColumn<bool>("smooth");
    // 1.5 rings puts the head in the middle, so the window wraps.
    QTest::newRow("random walk") << N << N << true << random_walk(1) << false;
    QTest::newRow("random walk, wrapping") << N << N * 3 / 2 << true << random_walk(2) << false;
    QTest::newRow("sine with spikes") << N << N * 3 / 2 << true << sine_with_spikes() << false;
    QTest::newRow("square") << N << N << true << square() << false;
    QTest::newRow("lone spike") << N << N << true << lone_spike(31234) << false;
    QTest::newRow("NaN runs") << N << N * 3 / 2 << true << nan_runs() << false;
    QTest::newRow("random walk, 3000 samples") << 3000 << 3000 << true << random_walk(3) << false;
    QTest::newRow("points, random walk") << N << N * 3 / 2 << false << random_walk(4) << false;
    QTest::newRow("points, NaN runs") << N << N << false << nan_runs() << false;
    // As the frame pass draws them without multisampling: smoothed lines.
    QTest::newRow("smoothed, random walk") << N << N * 3 / 2 << true << random_walk(2) << true;
    QTest::newRow("smoothed, square") << N << N << true << square() << true;
}

void TestChartReduce::same_pixels_as_the_full_draw()
{
    QFETCH(int, size);
    QFETCH(int, rows);
    QFETCH(bool, joined);
    QFETCH(Signal, signal);
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    QFETCH(bool, smooth);
    if (!smooth)
        QOpenGLContext::currentContext()->functions()->glDisable(GL_LINE_SMOOTH);
    DataHub hub;
    fill(hub, size, rows, signal);
    ChartState full;
    setup(full, hub, false, joined);
    const QImage a = gl.draw(full, &hub);
    const long long all = gl.pass().drawn_vertices();
    ChartState cut;
    setup(cut, hub, true, joined);
    const QImage b = gl.draw(cut, &hub);
    const long long kept = gl.pass().drawn_vertices();
    QCOMPARE(all, (long long)size);
    QVERIFY2(kept < all, qPrintable(QString("%1 of %2 vertices").arg(kept).arg(all)));
    if (joined)
        QVERIFY(kept <= 6LL * W + 2LL * 200);
    QVERIFY(lit(a) > 0);
    const Difference d = compare(a, b);
    qInfo("%d pixels differ (%.4f %%), %d lit in only one, by up to %d", d.pixels, 100.0 * d.pixels / (W * H),
          d.lit_only_one, d.largest);
    if (smooth) {
        // Smoothing gives each segment its own coverage at its edges, and
        // the first segment to reach a pixel keeps it: the alpha of the
        // edges differs, faintly.
        QVERIFY(d.lit_only_one <= W * H / 50);
        return;
    }
    // Aliased lines light the same pixels, except where a run of samples
    // lies exactly on a pixel edge: there the rasteriser's rule lights
    // pixels by where each short segment starts.
    QVERIFY2(d.pixels <= W * H / 2000, qPrintable(QString::number(d.pixels)));
    QCOMPARE(d.lit_only_one, d.pixels);
}

void TestChartReduce::multisampled_difference_is_bounded()
{
    OffscreenChart gl(W, H, 2);
    QVERIFY(gl.ok());
    const Signal shapes[] = {random_walk(5), sine_with_spikes(), square(), nan_runs()};
    for (const Signal &shape : shapes) {
        DataHub hub;
        fill(hub, N, N * 3 / 2, shape);
        ChartState full;
        setup(full, hub, false);
        const QImage a = gl.draw(full, &hub);
        ChartState cut;
        setup(cut, hub, true);
        const QImage b = gl.draw(cut, &hub);
        const Difference d = compare(a, b);
        qInfo("2 samples: %d pixels differ (%.4f %% of the image), %d lit in only one, %d by more than half, "
              "by up to %d", d.pixels, 100.0 * d.pixels / (W * H), d.lit_only_one, d.over_half, d.largest);
        // Multisampled lines are rectangles one pixel wide, so the many
        // short segments of a column cover more samples than the few left
        // of them: the coverage differs by up to two of the four samples
        // the rasteriser takes per pixel; more only on runs that lie exactly
        // on a pixel edge.
        QVERIFY(d.pixels <= W * H * 6 / 100);
        QVERIFY(d.over_half <= W * H * 4 / 1000);
    }
}

void TestChartReduce::lone_spike_is_never_lost()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    // The spike at every phase against the pixel columns.
    for (int at = 20000; at < 20000 + 80; at += 3) {
        DataHub hub;
        fill(hub, N, N, lone_spike(at));
        ChartState s;
        setup(s, hub, true);
        const QImage img = gl.draw(s, &hub);
        // 9.0 on a -10..10 scale lies 36 rows from the bottom of 720 (the
        // image is read bottom up); find a lit pixel there near its column.
        const int column = int(double(at) * W / (N - 1));
        bool found = false;
        for (int x = std::max(0, column - 2); x <= std::min(W - 1, column + 2) && !found; ++x)
            for (int y = 32; y <= 40 && !found; ++y)
                found = qAlpha(img.pixel(x, y)) != 0;
        QVERIFY2(found, qPrintable(QString("spike at %1 lost").arg(at)));
    }
}

void TestChartReduce::applies_only_above_the_threshold()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    fill(hub, N, N, random_walk(6));
    ChartState s;
    setup(s, hub, true);
    // The window as wide as the plot: every sample has its own column.
    s.draw_index_begin = 1000;
    s.draw_index_end = 1000 + W - 1;
    gl.frame(s, &hub);
    QCOMPARE(gl.pass().drawn_vertices(), (long long)W);
    s.draw_index_end = 1000 + 4 * W;
    gl.frame(s, &hub);
    QVERIFY(gl.pass().drawn_vertices() < 4LL * W);
    // A threshold above the window keeps the full draw.
    s.optimization_max_count = 10 * W;
    gl.frame(s, &hub);
    QCOMPARE(gl.pass().drawn_vertices(), (long long)(4 * W + 1));
    s.optimization_max_count = 0;
    s.optimization_on = false;
    gl.frame(s, &hub);
    QCOMPARE(gl.pass().drawn_vertices(), (long long)(4 * W + 1));
    // 2D mode reads x from another channel: never reduced.
    s.optimization_on = true;
    s.two_d_mode = true;
    s.axis_x_begin = -10;
    s.axis_x_end = 10;
    gl.frame(s, &hub);
    QCOMPARE(gl.pass().drawn_vertices(), (long long)(4 * W + 1));
}

void TestChartReduce::column_extremes_are_kept()
{
    // Without OpenGL: per column the first, lowest, highest and last
    // samples survive, in time order, and nothing else.
    std::vector<float> ring(1000);
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> any(-5.0f, 5.0f);
    for (float &v : ring)
        v = any(gen);
    ring[500] = std::numeric_limits<float>::infinity();
    ring[501] = std::numeric_limits<float>::quiet_NaN();
    ring[502] = std::numeric_limits<float>::quiet_NaN();
    LineReducer::Mapping m;
    m.left_index = 0.0f;
    m.width = 50.0f;
    m.height = 40.0f;
    m.xratio = 2.0f / 999.0f;
    m.top_value = 5.0f;
    m.yratio = 0.2f;
    LineReducer r;
    float hi = -1e30f, lo = 1e30f;
    // The window starts at ring position 700 and wraps.
    const int count = r.reduce_joined(ring.data(), 1000, 700, 1000, 0, m, hi, lo);
    QVERIFY(count <= 6 * 51 + 4);
    for (int k = 1; k < count; ++k)
        QVERIFY(r.xs()[k] > r.xs()[k - 1]);
    float ring_hi = -1e30f, ring_lo = 1e30f;
    for (float v : ring)
        if (std::isfinite(v)) {
            ring_hi = std::max(ring_hi, v);
            ring_lo = std::min(ring_lo, v);
        }
    QCOMPARE(hi, ring_hi);
    QCOMPARE(lo, ring_lo);
    // The break keeps its two ends: x 800 (ring 500) and 802 (ring 502).
    bool inf_kept = false, nan_end_kept = false;
    for (int k = 0; k < count; ++k) {
        inf_kept = inf_kept || (r.xs()[k] == 800.0f && std::isinf(r.values()[k]));
        nan_end_kept = nan_end_kept || (r.xs()[k] == 802.0f && std::isnan(r.values()[k]));
        QVERIFY(r.xs()[k] != 801.0f);
    }
    QVERIFY(inf_kept && nan_end_kept);
    // Every column's lowest and highest finite sample is among the kept.
    for (int col = 0; col < 50; ++col) {
        float cmin = 1e30f, cmax = -1e30f;
        for (int x = 0; x < 1000; ++x) {
            const float v = ring[size_t((700 + x) % 1000)];
            if (LineReducer::column(m, float(x)) != col || !std::isfinite(v))
                continue;
            cmin = std::min(cmin, v);
            cmax = std::max(cmax, v);
        }
        bool has_min = false, has_max = false;
        for (int k = 0; k < count; ++k) {
            if (LineReducer::column(m, r.xs()[k]) != col)
                continue;
            has_min = has_min || r.values()[k] == cmin;
            has_max = has_max || r.values()[k] == cmax;
        }
        QVERIFY2(has_min && has_max, qPrintable(QString("column %1").arg(col)));
    }
}

QTEST_MAIN(TestChartReduce)
#include "tst_chartreduce.moc"

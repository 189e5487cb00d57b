#include <QtTest>
#include <cfloat>
#include <cmath>
#include <complex>

#include "offscreenchart.h"
#include "ringbufferwave.h"

namespace {

constexpr int W = 300;
constexpr int H = 100;

void feed_columns(DataHub &hub, const std::vector<std::vector<float>> &columns)
{
    hub.lockDatas();
    for (size_t i = 0; i < columns[0].size(); ++i) {
        std::vector<float> row;
        for (const auto &c : columns)
            row.push_back(c[i]);
        hub.append_row(row);
    }
    hub.unlockDatas();
}

void window(RingBufferWave &w, DataHub &hub)
{
    w.set_datahub(&hub);
    w.set_top_value(10);
    w.set_bottom_value(-10);
    w.set_draw_index_begin(0);
    w.set_draw_index_end(hub.size() - 1);
    w.set_fake_continuous(true);
    w.set_line_width(1);
}

// Plain DFT with the exact turn, over the samples the spectrum pass takes.
std::vector<double> reference_spectrum(const std::vector<float> &x, int length, int step)
{
    std::vector<double> out(size_t(length / 2 + 1));
    for (int k = 0; k <= length / 2; ++k) {
        std::complex<double> sum;
        for (int j = 0; j < length; ++j)
            sum += double(x[size_t(j * step)]) * std::polar(1.0, -2.0 * M_PI * k * j / length);
        out[size_t(k)] = std::abs(sum) / (k == 0 ? length : length / 2);
    }
    return out;
}

}

class Tst_barseries : public QObject
{
    Q_OBJECT

private slots:
    void bar_chart_takes_the_last_value_in_its_slot();
    void histogram_bin_edges();
    void histogram_bad_settings();
    void constant_spectrum();
    void short_window_spectrum();
    void sine_peak_matches_a_dft_data();
    void sine_peak_matches_a_dft();
    void spectrum_needs_two_bins();
    void records_are_hidden_while_closed();
    void all_negative_bars();
    void histogram_and_spectrum_maxima_from_below_zero();
    void nothing_drawn_keeps_the_start_values();
};

void Tst_barseries::bar_chart_takes_the_last_value_in_its_slot()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(10);
    std::vector<float> a(10, 1.0f), b(10, 2.0f), c(10, 3.0f);
    b[9] = 5.0f;
    feed_columns(hub, {a, b, c});
    hub.set_color(1, QColor(0, 255, 0));
    RingBufferWave w;
    window(w, hub);
    w.add_all_line();
    w.set_if_draw_wave(false);
    w.set_if_draw_bar(true);
    w.set_barchart_base_index(5);
    const QImage img = gl.draw(*w.state(), &hub);

    QCOMPARE(w.bar_datas(1), QList<qreal>{5.0});
    // 5 in -10..10 is a quarter of the height below the top.
    QCOMPARE(w.bar_y_pixels(1), QList<qreal>{25.0});
    QCOMPARE(w.bar_datas(0), QList<qreal>{1.0});
    // The middle third holds the second line's bar, from row 25 down to the
    // base line at half height.
    for (int x : {105, 150, 195}) {
        QCOMPARE(QColor(img.pixel(x, 30)).green(), 255);
        QCOMPARE(qAlpha(img.pixel(x, 20)), 0);
        QCOMPARE(qAlpha(img.pixel(x, 55)), 0);
    }
    QVERIFY(QColor(img.pixel(95, 30)).green() != 255);
    QVERIFY(QColor(img.pixel(205, 30)).green() != 255);
    QVERIFY(w.bar_datas(3).isEmpty());
    QVERIFY(w.bar_datas(-1).isEmpty());
}

void Tst_barseries::histogram_bin_edges()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(8);
    feed_columns(hub, {{10.0f, 9.99f, -0.5f, -1.5f, 5.0f, 5.5f, 0.0f, 10.5f}});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_histog(true);
    w.set_histog_range_min(0);
    w.set_histog_range_max(10);
    w.set_histog_gap_num(10);
    w.set_histog_top_value(4);
    w.set_histog_left_index(0);
    w.set_histog_right_index(9);
    gl.frame(*w.state(), &hub);
    // 10 and 10.5 fall past the range, -1.5 below bin 0's truncation;
    // -0.5 truncates into bin 0 with 0.
    QCOMPARE(w.bar_datas(0), (QList<qreal>{2, 0, 0, 0, 0, 2, 0, 0, 0, 1}));
    QCOMPARE(w.histog_max_value(), 2.0);
    QCOMPARE(w.histog_min_value(), 0.0);
    QCOMPARE(w.bar_y_pixels(0).at(5), 50.0);

    w.autoBar();
    QCOMPARE(w.histog_top_value(), 1);
    w.set_if_draw_wave(false);
    w.autoBar();
    QCOMPARE(w.histog_top_value(), 2);
}

void Tst_barseries::histogram_bad_settings()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(5);
    feed_columns(hub, {{1, 2, 3, float(qQNaN()), float(qInf())}});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_histog(true);
    w.set_histog_range_min(0);
    w.set_histog_range_max(4);
    w.set_histog_top_value(0);
    w.set_histog_right_index(3);
    w.set_histog_gap_num(0);
    gl.frame(*w.state(), &hub);
    QVERIFY(w.bar_datas(0).isEmpty());
    w.set_histog_gap_num(-4);
    gl.frame(*w.state(), &hub);
    QVERIFY(w.bar_datas(0).isEmpty());
    // An empty range counts nothing; NaN and inf are never counted.
    w.set_histog_gap_num(4);
    w.set_histog_range_max(0);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0), (QList<qreal>{0, 0, 0, 0}));
    w.set_histog_range_max(4);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0), (QList<qreal>{0, 1, 1, 1}));
    // A zero top leaves no level to draw at; the maximum still counts so
    // that autoBar can find a scale.
    QCOMPARE(w.histog_max_value(), 1.0);
    // A reversed bin range draws nothing.
    w.set_histog_top_value(2);
    w.set_histog_left_index(3);
    w.set_histog_right_index(1);
    QVERIFY(gl.frame(*w.state(), &hub) & ChartState::Updated);
}

void Tst_barseries::constant_spectrum()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(600);
    feed_columns(hub, {std::vector<float>(600, 1.0f)});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_freq(true);
    w.set_freq_top_value(1);
    w.set_freq_right_index(256);
    QSignalSpy effective(&w, SIGNAL(freq_num_effective_points_changed()));
    const quint32 bits = gl.frame(*w.state(), &hub);
    w.apply_changes(bits);
    const QList<qreal> bars = w.bar_datas(0);
    QCOMPARE(bars.size(), 257);
    QCOMPARE(bars[0], 1.0);
    for (int i = 1; i < bars.size(); ++i)
        QVERIFY2(bars[i] == 0.0, qPrintable(QString("bar %1 is %2").arg(i).arg(bars[i])));
    QCOMPARE(w.freq_num_effective_points(), 512);
    QCOMPARE(effective.count(), 1);
    QCOMPARE(w.freq_max_value(), 1.0);
    QCOMPARE(w.freq_min_value(), 0.0);
    w.autoBar();
    QCOMPARE(w.freq_top_value(), 0.5);
}

void Tst_barseries::short_window_spectrum()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(100);
    std::vector<float> x(100);
    for (int i = 0; i < 100; ++i)
        x[size_t(i)] = float(i % 7) + 2.0f;
    feed_columns(hub, {x});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_freq(true);
    gl.frame(*w.state(), &hub);
    // Fewer samples than the transform length: step 0 repeats the first one.
    const QList<qreal> bars = w.bar_datas(0);
    QCOMPARE(bars[0], 2.0);
    for (int i = 1; i < bars.size(); ++i)
        QCOMPARE(bars[i], 0.0);
    QCOMPARE(w.freq_num_effective_points(), 0);
}

void Tst_barseries::sine_peak_matches_a_dft_data()
{
    QTest::addColumn<int>("gaps");
    QTest::addColumn<int>("period");
    QTest::newRow("257 bins") << 257 << 32;
    QTest::newRow("65 bins") << 65 << 16;
    // 100 bins give a length of 198, which is no power of two.
    QTest::newRow("100 bins") << 100 << 22;
}

void Tst_barseries::sine_peak_matches_a_dft()
{
    QFETCH(int, gaps);
    QFETCH(int, period);
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    const int n = 2000;
    hub.set_size(n);
    std::vector<float> x(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        x[size_t(i)] = float(0.5 + 3.0 * std::sin(2.0 * M_PI * i / period));
    feed_columns(hub, {x});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_freq(true);
    w.set_freq_right_index(gaps - 1);
    w.set_freq_gap_num(gaps);
    gl.frame(*w.state(), &hub);
    const int length = 2 * gaps - 2;
    const int step = n / length;
    const std::vector<double> ref = reference_spectrum(x, length, step);
    const QList<qreal> bars = w.bar_datas(0);
    QCOMPARE(bars.size(), gaps);
    const int peak = int(std::max_element(bars.begin(), bars.end()) - bars.begin());
    const int ref_peak = int(std::max_element(ref.begin(), ref.end()) - ref.begin());
    QCOMPARE(peak, ref_peak);
    QVERIFY(peak > 0);
    for (int i = 0; i < gaps; ++i)
        QVERIFY2(std::fabs(bars[i] - ref[size_t(i)]) < 1e-3,
                 qPrintable(QString("bin %1: %2 vs %3").arg(i).arg(bars[i]).arg(ref[size_t(i)])));
    QCOMPARE(w.freq_num_effective_points(), step * length);
}

void Tst_barseries::spectrum_needs_two_bins()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(50);
    feed_columns(hub, {std::vector<float>(50, 1.0f)});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_freq(true);
    w.set_freq_top_value(1);
    w.set_freq_right_index(3);
    for (int gaps : {1, 0, -3}) {
        w.set_freq_gap_num(gaps);
        gl.frame(*w.state(), &hub);
        const QList<qreal> bars = w.bar_datas(0);
        QCOMPARE(bars.size(), std::max(gaps, 0));
        for (qreal v : bars)
            QCOMPARE(v, 0.0);
    }
    w.set_freq_gap_num(2);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0), (QList<qreal>{1.0, 0.0}));
}

void Tst_barseries::records_are_hidden_while_closed()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(10);
    feed_columns(hub, {std::vector<float>(10, 1.0f)});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_bar(true);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0).size(), 1);
    // Switching the series to one never drawn has no record yet.
    w.set_if_draw_bar(false);
    w.set_if_draw_histog(true);
    QVERIFY(w.bar_datas(0).isEmpty());
    w.set_if_draw_histog(false);
    w.set_if_draw_bar(true);
    hub.close();
    QVERIFY(w.bar_datas(0).isEmpty());
    QVERIFY(!(gl.frame(*w.state(), &hub) & ChartState::Updated));
}

void Tst_barseries::all_negative_bars()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(5);
    feed_columns(hub, {{-5, -4, -1, -2, -3}, {-9, -8, -8, -8, -7.5f}});
    RingBufferWave w;
    window(w, hub);
    w.add_all_line();
    w.set_if_draw_wave(false);
    w.set_if_draw_bar(true);
    w.set_auto_mode(2);
    gl.frame(*w.state(), &hub);
    const ChartState &s = *w.state();
    // Each bar is its line's last value, below zero.
    QVERIFY(s.nodes[0]->bar && s.nodes[1]->bar);
    QCOMPARE(s.nodes[0]->bar->maximum, -3.0);
    QCOMPARE(s.nodes[0]->bar->minimum, -3.0);
    QCOMPARE(s.nodes[1]->bar->maximum, -7.5);
    QCOMPARE(w.max_value(), -1.0);
    QCOMPARE(w.min_value(), -9.0);
    // The automatic range reaches the largest value, not zero.
    QCOMPARE(w.top_value(), -1.0);
}

void Tst_barseries::histogram_and_spectrum_maxima_from_below_zero()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(600);
    std::vector<float> negative(600);
    for (int i = 0; i < 600; ++i)
        negative[size_t(i)] = -1.0f - float(i % 4);
    feed_columns(hub, {negative, std::vector<float>(600, 0.0f)});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_histog(true);
    w.set_histog_gap_num(10);
    w.set_histog_top_value(200);
    w.set_histog_left_index(0);
    w.set_histog_right_index(9);

    // No value falls into 0..10: every bin is 0, and so is the largest.
    w.set_histog_range_min(0);
    w.set_histog_range_max(10);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0), QVector<qreal>(10, 0.0).toList());
    QVERIFY2(w.histog_max_value() == 0.0, qPrintable(QString::number(w.histog_max_value())));
    QVERIFY(w.histog_min_value() == 0.0);

    // -10..0 in bins of 1: -4 .. -1 land in bins 6 .. 9, 150 each.
    w.set_histog_range_min(-10);
    w.set_histog_range_max(0);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0), (QList<qreal>{0, 0, 0, 0, 0, 0, 150, 150, 150, 150}));
    QCOMPARE(w.histog_max_value(), 150.0);
    QVERIFY(w.histog_min_value() == 0.0);

    // A silent line has a spectrum of zeros.
    w.set_if_draw_histog(false);
    w.set_if_draw_freq(true);
    w.set_freq_right_index(256);
    w.remove_line(0);
    w.add_line(1);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.bar_datas(0).size(), 257);
    QVERIFY2(w.freq_max_value() == 0.0, qPrintable(QString::number(w.freq_max_value())));
    QVERIFY(w.freq_min_value() == 0.0);
}

void Tst_barseries::nothing_drawn_keeps_the_start_values()
{
    OffscreenChart gl(W, H);
    QVERIFY(gl.ok());
    DataHub hub;
    hub.set_size(10);
    feed_columns(hub, {std::vector<float>(10, -2.0f)});
    RingBufferWave w;
    window(w, hub);
    w.add_line(0);
    w.set_if_draw_histog(true);
    w.set_histog_range_min(-10);
    w.set_histog_range_max(0);
    w.set_histog_gap_num(10);
    w.set_histog_top_value(20);
    w.set_histog_left_index(0);
    w.set_histog_right_index(9);
    gl.frame(*w.state(), &hub);
    QCOMPARE(w.histog_max_value(), 10.0);
    // A bin range wholly below the first bin draws no bar: the record and
    // the chart hold the start values again, not the last frame's.
    w.set_histog_left_index(-3);
    w.set_histog_right_index(-1);
    gl.frame(*w.state(), &hub);
    const BarNode &rec = *w.state()->nodes[0]->histog;
    QVERIFY(rec.maximum == DBL_MIN);
    QVERIFY(rec.minimum == DBL_MAX);
    QVERIFY(w.histog_max_value() == DBL_MIN);
    QVERIFY(w.histog_min_value() == DBL_MAX);
}

QTEST_MAIN(Tst_barseries)
#include "tst_barseries.moc"

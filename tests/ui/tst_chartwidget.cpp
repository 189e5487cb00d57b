#include <QtTest>

#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>

#include "mainscene.h"

// The chart widget in the real scene, driven by the mouse and keys: every
// kind of menu entry drives its member and comes back after a restart; the
// time axis and the cursor read-outs at a known row rate; channel names on
// the bar chart renamed and taken off; XY mode drawing a circle.
class Tst_ChartWidget : public QObject, public MainScene
{
    Q_OBJECT

    QTemporaryDir home_;
    QTimer feeder_;
    int fed_ = 0;

    QQuickItem *plot() { return item("plotArea"); }
    QPoint in_plot(double fx, double fy)
    {
        QQuickItem *p = plot();
        return p->mapToScene(QPointF(p->width() * fx, p->height() * fy)).toPoint();
    }
    QVariant view(const char *name) { return wave_chart()->property(name); }

    void open_chart_menu()
    {
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, in_plot(0.5, 0.5));
        QTRY_VERIFY(window_->findChild<QObject *>("chartMenu")->property("opened").toBool());
        QTest::qWait(100);
    }
    void close_menus()
    {
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(window_, Qt::Key_Escape);
        QTest::qWait(100);
    }
    // Clicks the visible menu entry with that text (a submenu opens).
    bool entry(const QString &text)
    {
        QQuickItem *found = nullptr;
        if (!QTest::qWaitFor([&]() { return (found = with_text(window_->contentItem(), text)) != nullptr; }, 2000))
            return false;
        QTest::mouseMove(window_, centre(found));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(found));
        QTest::qWait(150);
        return true;
    }
    bool field(const QString &member, const QString &text)
    {
        QQuickItem *row = nullptr;
        if (!QTest::qWaitFor([&]() { return (row = item("chartField_" + member)) != nullptr; }, 2000))
            return false;
        return type_into(row->property("field").value<QQuickItem *>(), text);
    }

    // Rows of channels at a steady rate: ch0 = cos, ch1 = sin, ch2 a ramp.
    void feed(int rows)
    {
        std::vector<float> row(3);
        hub_->lockDatas();
        for (int i = 0; i < rows; ++i, ++fed_) {
            const double a = fed_ * 2 * M_PI / 500.0;
            row[0] = float(3 * std::cos(a));
            row[1] = float(3 * std::sin(a));
            row[2] = float(fed_ % 100) / 10.0f;
            hub_->append_row(row);
        }
        hub_->unlockDatas();
    }

    void restart()
    {
        feeder_.stop();
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        window_->requestActivate();
        feed(1000);
    }

    QStringList labels(const QString &name)
    {
        QList<QQuickItem *> found;
        collect(window_->contentItem(), name, found);
        QStringList out;
        for (QQuickItem *i : found)
            if (i->isVisible())
                out << i->property("text").toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        QVERIFY(load_scene());
        window_->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        feed(2000);
        connect(&feeder_, &QTimer::timeout, this, [this]() { feed(10); });
    }
    void cleanupTestCase() { unload_scene(); }

    void menus_drive_members_and_survive_a_restart()
    {
        open_chart_menu();
        shot("chart-menu");
        QVERIFY(entry(QStringLiteral("简化辅助线")));
        QVERIFY(view("simplify").toBool());
        open_chart_menu();
        QVERIFY(entry(QStringLiteral("隐藏外框")));
        open_chart_menu();
        QVERIFY(entry(QStringLiteral("显示柱形图上方所有文字")));
        open_chart_menu();
        QVERIFY(entry(QStringLiteral("连接数据点")));
        QVERIFY(!chart()->fake_continuous());
        open_chart_menu();
        // Out of range: refused, the member keeps its value.
        QVERIFY(field("line_width", "99"));
        QTest::qWait(100);
        QCOMPARE(chart()->line_width(), 1);
        QVERIFY(field("line_width", "3"));
        QTRY_COMPARE(chart()->line_width(), 3);
        QVERIFY(field("font_size", "16"));
        QTRY_COMPARE(view("font_size").toInt(), 16);
        QVERIFY(field("histog_gap_num", "33"));
        QTRY_COMPARE(chart()->histog_gap_num(), 33);
        close_menus();

        open_chart_menu();
        QVERIFY(entry(QStringLiteral("Y轴")));
        shot("chart-menu-y");
        QVERIFY(field("y_decimals", "3"));
        QTRY_COMPARE(view("y_decimals").toInt(), 3);
        QVERIFY(entry(QStringLiteral("隐藏Y轴")));
        QVERIFY(view("hide_axis_y").toBool());
        close_menus();

        open_chart_menu();
        QVERIFY(entry(QStringLiteral("X轴")));
        shot("chart-menu-x");
        QVERIFY(field("x_decimals", "1"));
        QTRY_COMPARE(view("x_decimals").toInt(), 1);
        QVERIFY(field("freq_decimals", "2"));
        QVERIFY(field("sample_period_ms", "2.5"));
        QTRY_COMPARE(view("sample_period_ms").toDouble(), 2.5);
        QVERIFY(entry(QStringLiteral("使用时间轴")));
        QVERIFY(view("time_axis").toBool());
        close_menus();

        open_chart_menu();
        QVERIFY(entry(QStringLiteral("轴线颜色1")));
        QVERIFY(entry(QStringLiteral("跟随主题分割线颜色")));
        QCOMPARE(view("axis_color1_mode").toInt(), 1);
        open_chart_menu();
        QVERIFY(entry(QStringLiteral("轴线颜色2")));
        QVERIFY(entry(QStringLiteral("自定义颜色...")));
        QCOMPARE(view("axis_color2_mode").toInt(), 2);
        close_menus();

        open_chart_menu();
        QVERIFY(entry(QStringLiteral("指定通道")));
        QTRY_VERIFY(item("lineItem1"));
        QVERIFY(click("lineItem1"));
        QVERIFY(!view("all_lines").toBool());
        QCOMPARE(chart()->num_lines(), 2);
        close_menus();
        // The time unit switched by a click on it: ms -> s.
        QVERIFY(click("axisUnitSwitch"));
        QTRY_COMPARE(view("time_unit").toInt(), 2);
        shot("chart-set");

        restart();
        QTRY_VERIFY(view("simplify").toBool());
        QVERIFY(view("hide_border").toBool());
        QVERIFY(view("all_bar_text").toBool());
        QVERIFY(!chart()->fake_continuous());
        QCOMPARE(chart()->line_width(), 3);
        QCOMPARE(view("font_size").toInt(), 16);
        QCOMPARE(chart()->histog_gap_num(), 33);
        QCOMPARE(view("y_decimals").toInt(), 3);
        QVERIFY(view("hide_axis_y").toBool());
        QCOMPARE(view("x_decimals").toInt(), 1);
        QCOMPARE(view("freq_decimals").toInt(), 2);
        QCOMPARE(view("sample_period_ms").toDouble(), 2.5);
        QVERIFY(view("time_axis").toBool());
        QCOMPARE(view("time_unit").toInt(), 2);
        QCOMPARE(view("axis_color1_mode").toInt(), 1);
        QCOMPARE(view("axis_color2_mode").toInt(), 2);
        QVERIFY(!view("all_lines").toBool());
        QCOMPARE(chart()->num_lines(), 2);
        shot("chart-restored");

        // Back to the defaults for the next cases.
        QMetaObject::invokeMethod(wave_chart(), "show_all_lines");
        for (const char *flag : {"simplify", "hide_border", "all_bar_text", "hide_axis_y", "time_axis"})
            wave_chart()->setProperty(flag, false);
        for (const char *d : {"y_decimals", "x_decimals", "freq_decimals"})
            wave_chart()->setProperty(d, -1);
        wave_chart()->setProperty("time_unit", 1);
        wave_chart()->setProperty("sample_period_ms", 0);
        chart()->set_fake_continuous(true);
        chart()->set_line_width(1);
    }

    void time_axis_and_cursor_read_outs_at_a_known_row_rate()
    {
        // About 500 rows per second; the rate the window measures is
        // compared with the rows this test fed over the same seconds.
        feeder_.start(20);
        wave_chart()->setProperty("time_axis", true);
        QTest::qWait(1500);
        const int fed0 = fed_;
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(3000);
        const double fed_period = clock.elapsed() / double(fed_ - fed0);
        const double period = view("measured_period_ms").toDouble();
        QVERIFY2(std::fabs(period - fed_period) < 0.2 * fed_period,
                 qPrintable(QString("%1 against %2").arg(period).arg(fed_period)));
        // The window of 1000 samples spans about 2000 ms back from now.
        QMetaObject::invokeMethod(wave_chart(), "show_newest");
        QTRY_VERIFY(!labels("axisXLabel").isEmpty());
        double first = labels("axisXLabel").first().toDouble();
        const double span = (chart()->draw_index_begin() - (hub_->size() - 1)) * period;
        QVERIFY2(std::fabs(first - span) < 0.05 * std::fabs(span), qPrintable(labels("axisXLabel").join(' ')));
        QCOMPARE(labels("axisXLabel").last().toDouble(), 0.0);
        // A set period wins over the measured one; seconds after a click.
        wave_chart()->setProperty("sample_period_ms", 4.0);
        QVERIFY(click("axisUnitSwitch"));
        QTRY_COMPARE(view("time_unit").toInt(), 2);
        first = labels("axisXLabel").first().toDouble();
        QVERIFY2(std::fabs(first - (chart()->draw_index_begin() - (hub_->size() - 1)) * 0.004) < 0.01,
                 qPrintable(labels("axisXLabel").join(' ')));
        QCOMPARE(chart()->unit_text(), QStringLiteral("s"));
        QCOMPARE(chart()->unit_a(), 0.004);
        shot("chart-time-axis");

        // A cursor reads the same time as the axis under it.
        feeder_.stop();
        QTest::mouseDClick(window_, Qt::LeftButton, Qt::NoModifier, in_plot(0.5, 0.5));
        QTRY_COMPARE(view("cursors").toList().size(), 1);
        const QVariantMap c = view("cursors").toList()[0].toMap();
        QQuickItem *coord = nullptr;
        QTRY_VERIFY((coord = item("cursorCoordinate")));
        const QString text = coord->property("text").toString();
        QVERIFY2(text.endsWith("s"), qPrintable(text));
        const double expected = (c.value("at").toInt() - (hub_->size() - 1)) * 0.004;
        QVERIFY2(std::fabs(text.chopped(1).toDouble() - expected) < 0.01, qPrintable(text));
        shot("chart-cursor-time");

        // The cursor's menu: its flags, then its removal.
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre(item("cursorHandle")));
        QTRY_VERIFY(item("cursorMenu_hide_coord"));
        shot("chart-cursor-menu");
        QVERIFY(click("cursorMenu_hide_coord"));
        QTRY_VERIFY(!item("cursorCoordinate"));
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre(item("cursorHandle")));
        QTRY_VERIFY(item("cursorMenu_hide_line"));
        QVERIFY(click("cursorMenu_hide_line"));
        QTRY_VERIFY(!item("cursorLine"));
        // The cursor and its flags come back after a restart.
        restart();
        QTRY_COMPARE(view("cursors").toList().size(), 1);
        const QVariantMap back = view("cursors").toList()[0].toMap();
        QCOMPARE(back.value("at").toInt(), c.value("at").toInt());
        QVERIFY(back.value("hide_coord").toBool());
        QVERIFY(back.value("hide_line").toBool());
        QVERIFY(!back.value("hide_point").toBool());
        QTRY_VERIFY(item("cursorHandle"));
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre(item("cursorHandle")));
        QTRY_VERIFY(item("cursorMenu_remove"));
        QVERIFY(click("cursorMenu_remove"));
        QTRY_COMPARE(view("cursors").toList().size(), 0);
        wave_chart()->setProperty("time_axis", false);
        wave_chart()->setProperty("sample_period_ms", 0);
        wave_chart()->setProperty("time_unit", 1);
    }

    // A narrow chart thins its x labels out instead of running them into
    // each other; the newest (0) stays.
    void axis_labels_never_overlap()
    {
        const QRect was = window_->geometry();
        window_->resize(760, 560);
        QTest::qWait(400);
        QList<QQuickItem *> found;
        collect(window_->contentItem(), "axisXLabel", found);
        QList<QQuickItem *> shown;
        for (QQuickItem *i : found)
            if (i->isVisible())
                shown << i;
        QVERIFY(shown.size() >= 2);
        std::sort(shown.begin(), shown.end(), [](QQuickItem *a, QQuickItem *b) { return a->x() < b->x(); });
        for (int k = 1; k < shown.size(); ++k)
            QVERIFY2(shown[k]->x() >= shown[k - 1]->x() + shown[k - 1]->width(),
                     qPrintable(shown[k - 1]->property("text").toString() + " / " + shown[k]->property("text").toString()));
        QCOMPARE(shown.last()->property("text").toString().toDouble(), 0.0);
        shot("chart-narrow");
        window_->setGeometry(was);
        QTest::qWait(300);
    }

    void bar_names_rename_and_take_off()
    {
        QMetaObject::invokeMethod(wave_chart(), "set_kind", Q_ARG(QVariant, 1));
        QTRY_COMPARE(labels("barName").size(), 3);
        QTRY_COMPARE(labels("barValue").size(), 3);
        shot("chart-bars");
        QList<QQuickItem *> names;
        collect(window_->contentItem(), "barName", names);
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(names[0]));
        QQuickItem *input = nullptr;
        QTRY_VERIFY((input = item("barNameInput")));
        QTRY_VERIFY(input->hasActiveFocus());
        QTest::keyClick(window_, Qt::Key_A, Qt::ControlModifier);
        for (const char ch : QByteArray("speed"))
            QTest::keyClick(window_, ch);
        QTest::keyClick(window_, Qt::Key_Return);
        QTRY_COMPARE(hub_->names().value(0), QStringLiteral("speed"));
        QTRY_VERIFY(labels("barName").contains(QStringLiteral("speed")));
        // Right click on the second name: take it off this chart.
        names.clear();
        collect(window_->contentItem(), "barName", names);
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre(names[1]));
        QTRY_VERIFY(item("barNameRemove"));
        QVERIFY(click("barNameRemove"));
        QTRY_COMPARE(labels("barName").size(), 2);
        QCOMPARE(view("lines").toList(), (QVariantList{0, 2}));
        shot("chart-bars-renamed");
        QMetaObject::invokeMethod(wave_chart(), "show_all_lines");
        QMetaObject::invokeMethod(wave_chart(), "set_kind", Q_ARG(QVariant, 0));
    }

    void xy_mode_draws_a_circle()
    {
        open_chart_menu();
        QVERIFY(entry(QStringLiteral("X轴")));
        QVERIFY(entry(QStringLiteral("XY模式")));
        close_menus();
        QVERIFY(view("xy_mode").toBool());
        QVERIFY(chart()->two_d_mode());
        // Channel 0 (cos) gives x; the ramp is taken off, sin stays.
        QMetaObject::invokeMethod(wave_chart(), "set_line_shown", Q_ARG(QVariant, 2), Q_ARG(QVariant, false));
        wave_chart()->setProperty("auto_on", false);
        chart()->set_axis_x_begin(-4);
        chart()->set_axis_x_end(4);
        chart()->set_top_value(4);
        chart()->set_bottom_value(-4);
        QTest::mouseMove(window_, in_plot(0.02, 0.02));
        QTest::qWait(300);
        shot("chart-xy");
        const QImage img = window_->grabWindow();
        QQuickItem *p = plot();
        const QColor bg = img.pixelColor(p->mapToScene(QPointF(p->width() / 2 + 3, p->height() / 2 + 3)).toPoint());
        auto lit_near = [&](double x, double y) {
            const QPointF px(p->width() * (x + 4) / 8, p->height() * (4 - y) / 8);
            const QPoint at = p->mapToScene(px).toPoint();
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const QColor c = img.pixelColor(at + QPoint(dx, dy));
                    if (std::abs(c.red() - bg.red()) + std::abs(c.green() - bg.green()) + std::abs(c.blue() - bg.blue()) > 60)
                        return true;
                }
            return false;
        };
        for (int k = 0; k < 12; ++k) {
            const double a = (k + 0.5) * M_PI / 6;
            QVERIFY2(lit_near(3 * std::cos(a), 3 * std::sin(a)), qPrintable(QString("angle %1").arg(a)));
        }
        // Nothing inside the ring.
        QVERIFY(!lit_near(1.0, 0.7));
        QVERIFY(!lit_near(-1.0, -0.7));
        // The axis shows x values.
        const QStringList xs = labels("axisXLabel");
        QCOMPARE(xs.first().toDouble(), -4.0);
        QCOMPARE(xs.last().toDouble(), 4.0);
        // A cursor at an x value, kept over a restart.
        QTest::mouseDClick(window_, Qt::LeftButton, Qt::NoModifier, in_plot(0.75, 0.5));
        QTRY_COMPARE(view("cursors").toList().size(), 1);
        QCOMPARE(view("cursors").toList()[0].toMap().value("kind").toInt(), 1);
        const double x = view("cursors").toList()[0].toMap().value("at").toDouble();
        QVERIFY(std::fabs(x - 2.0) < 0.1);
        shot("chart-xy-cursor");
        restart();
        QTRY_VERIFY(chart()->two_d_mode());
        QTRY_COMPARE(view("cursors").toList().size(), 1);
        QCOMPARE(view("cursors").toList()[0].toMap().value("at").toDouble(), x);
        QCOMPARE(chart()->axis_x_begin(), -4.0);
        QMetaObject::invokeMethod(wave_chart(), "show_all_lines");
        wave_chart()->setProperty("xy_mode", false);
        QTRY_VERIFY(!chart()->two_d_mode());
        QCOMPARE(chart()->num_lines(), 3);
    }
};

QTEST_MAIN(Tst_ChartWidget)
#include "tst_chartwidget.moc"

#include <QPainter>
#include <QtTest>

#include "gridpainter.h"

class Tst_gridpainter : public QObject
{
    Q_OBJECT

private slots:
    void start_values();
    void line_positions();
    void ratios_shorten_the_lines();
    void no_intervals_no_lines();
    void paints_dashed_lines();
};

void Tst_gridpainter::start_values()
{
    GridPainter g;
    QCOMPARE(g.line_width(), 1.0);
    QVERIFY(!g.color().isValid());
    QCOMPARE(g.vcount(), 10);
    QCOMPARE(g.hcount(), 10);
    QCOMPARE(g.hoffset(), 0.0);
    QCOMPARE(g.hratio(), 1.0);
    QCOMPARE(g.vratio(), 1.0);
    QCOMPARE(g.left_top_margin(), 2.0);
    QSignalSpy spy(&g, SIGNAL(hoffset_changed()));
    g.set_hoffset(0.0);
    QCOMPARE(spy.count(), 1);
}

void Tst_gridpainter::line_positions()
{
    GridPainter g;
    g.setSize(QSizeF(242, 102));
    g.set_hoffset(40);
    const QVector<QLineF> lines = g.lines();
    QCOMPARE(lines.size(), 22);
    // 11 vertical lines from the margin to W - hoffset - 2 + margin.
    QCOMPARE(lines[0], QLineF(2, 0, 2, 100));
    QCOMPARE(lines[1], QLineF(22, 0, 22, 100));
    QCOMPARE(lines[10], QLineF(202, 0, 202, 100));
    QCOMPARE(lines[11], QLineF(0, 2, 200, 2));
    QCOMPARE(lines[21], QLineF(0, 102, 200, 102));
}

void Tst_gridpainter::ratios_shorten_the_lines()
{
    GridPainter g;
    g.setSize(QSizeF(102, 52));
    g.set_vcount(2);
    g.set_hcount(1);
    g.set_vratio(0.5);
    g.set_hratio(0.25);
    g.set_left_top_margin(0);
    const QVector<QLineF> lines = g.lines();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[2], QLineF(100, 0, 100, 25));
    QCOMPARE(lines[4], QLineF(0, 50, 25, 50));
}

void Tst_gridpainter::no_intervals_no_lines()
{
    GridPainter g;
    g.setSize(QSizeF(100, 100));
    g.set_vcount(0);
    g.set_hcount(-1);
    QVERIFY(g.lines().isEmpty());
    g.set_hcount(1);
    QCOMPARE(g.lines().size(), 2);
}

void Tst_gridpainter::paints_dashed_lines()
{
    GridPainter g;
    g.setSize(QSizeF(102, 102));
    g.set_vcount(1);
    g.set_hcount(0);
    g.set_left_top_margin(0);
    g.set_color(QColor(0, 0, 255));
    g.set_line_width(2);
    QImage img(102, 102, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    g.paint(&p);
    p.end();
    // A dashed line at x = 0..1 and x = 100: lit and unlit stretches.
    int lit = 0;
    int gaps = 0;
    for (int y = 0; y < 100; ++y) {
        if (qAlpha(img.pixel(100, y)) > 128)
            ++lit;
        else
            ++gaps;
    }
    QVERIFY(lit > 30);
    QVERIFY(gaps > 10);
    QCOMPARE(QColor(img.pixel(100, 1)).blue(), 255);
    QCOMPARE(qAlpha(img.pixel(50, 50)), 0);
}

QTEST_MAIN(Tst_gridpainter)
#include "tst_gridpainter.moc"

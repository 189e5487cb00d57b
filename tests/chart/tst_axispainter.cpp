#include <QPainter>
#include <QtTest>

#include "axispainter.h"

class Tst_axispainter : public QObject
{
    Q_OBJECT

private slots:
    void start_values();
    void hanging_ticks();
    void rising_ticks_with_marks();
    void guides_need_marks();
    void no_ticks_without_intervals();
    void paints_ticks();
};

void Tst_axispainter::start_values()
{
    AxisPainter a;
    QCOMPARE(a.line_width(), 1.0);
    QVERIFY(!a.color().isValid());
    QCOMPARE(a.vcount(), 10);
    QCOMPARE(a.hcount(), 0);
    QCOMPARE(a.right_offset(), 0.0);
    QCOMPARE(a.left_offset(), 0.0);
    QVERIFY(!a.on_top());
    QVERIFY(!a.mark_on());
    QCOMPARE(a.big_stick_height(), 12.0);
    QCOMPARE(a.big_stick_width(), 2.0);
    QCOMPARE(a.big_stick_bottom_width(), 2.0);
    QCOMPARE(a.small_stick_height(), 8.0);
    QCOMPARE(a.small_stick_width(), 1.0);
}

void Tst_axispainter::hanging_ticks()
{
    AxisPainter a;
    a.setSize(QSizeF(120, 30));
    a.set_vcount(4);
    a.set_left_offset(10);
    a.set_right_offset(30);
    a.set_big_stick_bottom_width(6);
    const QVector<AxisPainter::Stroke> s = a.strokes();
    QCOMPARE(s.size(), 10);
    QCOMPARE(s[0].line, QLineF(10, 0, 10, 12));
    QCOMPARE(s[1].line, QLineF(7, 12, 13, 12));
    QCOMPARE(s[8].line, QLineF(90, 0, 90, 12));
    QCOMPARE(s[0].width, 2.0);
}

void Tst_axispainter::rising_ticks_with_marks()
{
    AxisPainter a;
    a.setSize(QSizeF(100, 30));
    a.set_vcount(2);
    a.set_on_top(true);
    a.set_mark_on(true);
    a.set_small_stick_width(1.7);
    const QVector<AxisPainter::Stroke> s = a.strokes();
    QCOMPARE(s.size(), 6 + 20);
    QCOMPARE(s[0].line, QLineF(0, 30, 0, 18));
    QCOMPARE(s[1].line, QLineF(-1, 18, 1, 18));
    // Minor ticks every tenth of an interval, k = 0 on the major tick.
    QCOMPARE(s[6].line, QLineF(0, 30, 0, 22));
    QCOMPARE(s[7].line, QLineF(5, 30, 5, 22));
    QCOMPARE(s[25].line, QLineF(95, 30, 95, 22));
    QCOMPARE(s[7].width, 1.0);
}

void Tst_axispainter::guides_need_marks()
{
    AxisPainter a;
    a.setSize(QSizeF(100, 42));
    a.set_vcount(0);
    a.set_hcount(4);
    QVERIFY(a.strokes().isEmpty());
    a.set_mark_on(true);
    a.set_line_width(3);
    const QVector<AxisPainter::Stroke> s = a.strokes();
    QCOMPARE(s.size(), 5);
    QCOMPARE(s[0].line, QLineF(0, 2, 100, 2));
    QCOMPARE(s[4].line, QLineF(0, 42, 100, 42));
    QCOMPARE(s[4].width, 3.0);
}

void Tst_axispainter::no_ticks_without_intervals()
{
    AxisPainter a;
    a.setSize(QSizeF(100, 20));
    a.set_vcount(0);
    a.set_mark_on(true);
    QVERIFY(a.strokes().isEmpty());
    a.set_vcount(-3);
    QVERIFY(a.strokes().isEmpty());
}

void Tst_axispainter::paints_ticks()
{
    AxisPainter a;
    a.setSize(QSizeF(100, 20));
    a.set_vcount(2);
    a.set_left_offset(10);
    a.set_right_offset(10);
    a.set_color(QColor(255, 0, 0));
    QImage img(100, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    a.paint(&p);
    p.end();
    QCOMPARE(QColor(img.pixel(50, 5)).red(), 255);
    QCOMPARE(qAlpha(img.pixel(50, 16)), 0);
    QCOMPARE(qAlpha(img.pixel(30, 5)), 0);
}

QTEST_MAIN(Tst_axispainter)
#include "tst_axispainter.moc"

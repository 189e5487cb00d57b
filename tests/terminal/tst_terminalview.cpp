#include <QtTest>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickTextDocument>
#include <QQuickWindow>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>

#include "textbuffer.h"

// The text buffer driving a text area in a shown window; colours are read
// back from the rendered pixels.
class Tst_TerminalView : public QObject
{
    Q_OBJECT

    QQmlEngine engine_;
    std::unique_ptr<QQuickWindow> window_;
    QQuickTextDocument *doc_ = nullptr;

    // Pixels of exactly this colour in the rows [top, bottom) of the window.
    static int count(const QImage &image, QRgb colour, int top, int bottom)
    {
        int n = 0;
        for (int y = qMax(0, top); y < qMin(bottom, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }

private slots:
    void initTestCase()
    {
        QQmlComponent component(&engine_);
        component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\n"
                          "Window { width: 480; height: 120; visible: true; color: 'white'\n"
                          "  TextEdit { objectName: 'edit'; anchors.fill: parent; font.pixelSize: 40; readOnly: true } }",
                          QUrl());
        window_.reset(qobject_cast<QQuickWindow *>(component.create()));
        QVERIFY2(window_, qPrintable(component.errorString()));
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QObject *edit = window_->findChild<QObject *>(QStringLiteral("edit"));
        QVERIFY(edit);
        doc_ = edit->property("textDocument").value<QQuickTextDocument *>();
        QVERIFY(doc_);
    }

    void colours_reach_the_screen()
    {
        TextBuffer buffer;
        buffer.set_if_show_time(false);
        buffer.set_doc(doc_);
        const QByteArray text = "\x1B[41m            \x1B[0m\n\x1B[1;34;42m            ";
        buffer.append_received(text.constData(), text.size(), QDateTime::currentDateTime(), false);
        buffer.text();
        QImage image = window_->grabWindow();
        QTextDocument *d = doc_->textDocument();
        QCOMPARE(d->blockCount(), 2);
        const QRectF first = d->documentLayout()->blockBoundingRect(d->firstBlock());
        const QRectF second = d->documentLayout()->blockBoundingRect(d->lastBlock());
        const int split = int((first.bottom() + second.top()) / 2);
        const int red_top = count(image, qRgb(255, 0, 0), 0, split);
        const int green_bottom = count(image, qRgb(0, 255, 0), split, image.height());
        QVERIFY2(red_top > 2000, qPrintable(QString::number(red_top)));
        QVERIFY2(green_bottom > 2000, qPrintable(QString::number(green_bottom)));
        QCOMPARE(count(image, qRgb(255, 0, 0), split, image.height()), 0);
        QCOMPARE(count(image, qRgb(0, 255, 0), 0, split), 0);

        // A refresh replaces the document: the old colours are gone.
        buffer.clear();
        buffer.set_if_show_time(true);
        buffer.append_received("x", 1, QDateTime::currentDateTime(), false);
        buffer.text();
        image = window_->grabWindow();
        QCOMPARE(count(image, qRgb(255, 0, 0), 0, image.height()), 0);
        QVERIFY(count(image, qRgb(255, 255, 0), 0, image.height()) > 500);
    }

    void history_in_a_live_view()
    {
        TextBuffer buffer;
        buffer.set_if_show_time(false);
        buffer.set_max_size(0);
        buffer.set_list_size(4);
        buffer.set_doc(doc_);
        for (int i = 0; i < 6; ++i) {
            const QByteArray block = QByteArray::number(i) + QByteArray(600, 'y') + '\n';
            buffer.append_received(block.constData(), block.size(), QDateTime::currentDateTime(), false);
        }
        buffer.text();
        QVERIFY(buffer.all_text());
        QVERIFY(buffer.all_text());
        QVERIFY(!buffer.all_text());
        QVERIFY(!window_->grabWindow().isNull());
        QVERIFY(doc_->textDocument()->toPlainText().startsWith(QStringLiteral("2yyy")));
    }
};

QTEST_MAIN(Tst_TerminalView)
#include "tst_terminalview.moc"

#include <QtTest>
#include <atomic>
#include <thread>

#include "terminaldocument.h"
#include "textbuffer.h"

// Appends from two I/O threads while the UI thread refreshes and pages.
class Tst_TextBufferThreads : public QObject
{
    Q_OBJECT

    // Received text goes on in the line of the sent text before it, so
    // the records are found as tokens rather than lines.
    static QList<int> numbers(const QString &text, QChar tag)
    {
        QList<int> out;
        QRegularExpressionMatchIterator it = QRegularExpression(QString(tag) + "(\\d{5})").globalMatch(text);
        while (it.hasNext())
            out << it.next().captured(1).toInt();
        return out;
    }

    static QList<int> range(int n)
    {
        QList<int> out;
        for (int i = 0; i < n; ++i)
            out << i;
        return out;
    }

private slots:
    void nothing_lost_or_torn()
    {
        TerminalDocument view;
        TextBuffer buffer;
        buffer.set_if_show_time(false);
        buffer.set_max_size(60000);
        buffer.set_list_size(40);
        buffer.set_doc(view.doc());

        const int rx_lines = 6000;
        const int tx_lines = 3000;
        std::atomic<int> running{2};
        std::thread rx([&] {
            for (int i = 0; i < rx_lines; ++i) {
                const QByteArray line = QStringLiteral("A%1\n").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
                buffer.append_received(line.constData(), line.size(), QDateTime::currentDateTime(), false);
            }
            --running;
        });
        std::thread tx([&] {
            for (int i = 0; i < tx_lines; ++i) {
                buffer.append_sent(QStringLiteral("B%1").arg(i, 5, 10, QLatin1Char('0')).toLatin1(), false);
                if (i % 3 == 0)
                    buffer.AppendErrorText(QStringLiteral("E%1").arg(i / 3, 5, 10, QLatin1Char('0')).toLatin1());
            }
            --running;
        });
        int refreshes = 0;
        while (running > 0) {
            if (buffer.updated()) {
                buffer.text();
                ++refreshes;
            }
            if (refreshes % 5 == 0)
                buffer.all_text();
            buffer.set_if_show_hex(refreshes % 2);
            buffer.set_ansi_rx(refreshes % 2 ? QStringLiteral("32") : QStringLiteral("0"));
            QCoreApplication::processEvents();
        }
        rx.join();
        tx.join();
        QVERIFY(refreshes > 0);

        buffer.set_if_show_hex(false);
        buffer.text();
        while (buffer.all_text()) {
        }
        const QString lines = view.text_document()->toPlainText();
        QCOMPARE(numbers(lines, 'A'), range(rx_lines));
        QCOMPARE(numbers(lines, 'B'), range(tx_lines));
        QCOMPARE(numbers(lines, 'E'), range(tx_lines / 3));
    }

    void reshaping_while_appending()
    {
        TerminalDocument view;
        TextBuffer buffer;
        buffer.set_doc(view.doc());
        std::atomic<bool> stop{false};
        auto writer = [&](int seed) {
            QByteArray block(300, 'x');
            for (int i = 0; !stop; ++i) {
                block[i % block.size()] = char(0x80 + (i + seed) % 0x7F);
                buffer.append_received(block.constData(), (i * 37 + seed) % block.size() + 1,
                                       QDateTime::currentDateTime(), i % 4 == 0);
                if (i % 7 == 0)
                    buffer.append_sent(block.left(i % 50), i % 2);
            }
        };
        std::thread a(writer, 1);
        std::thread b(writer, 2);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; clock.elapsed() < 1500; ++i) {
            buffer.set_list_size(2 + i % 9);
            buffer.set_max_size((i * 131) % 3000);
            buffer.set_encoder(i % 3 ? QStringLiteral("UTF-8") : QStringLiteral("GBK"));
            buffer.set_if_show_time(i % 2);
            buffer.text();
            while (buffer.all_text()) {
            }
            buffer.aysnc_scrollbar_size(i % 2 ? 1.0f : 0.3f);
            if (i % 10 == 0)
                buffer.clear();
        }
        stop = true;
        a.join();
        b.join();
        buffer.set_max_size(0);
        buffer.set_encoder(QStringLiteral("UTF-8"));
        buffer.append_received("end", 3, QDateTime::currentDateTime(), false);
        buffer.text();
        QVERIFY(view.text_document()->toPlainText().endsWith(QStringLiteral("end")));
        QVERIFY(view.text_document()->characterCount() <= 513);
    }
};

QTEST_MAIN(Tst_TextBufferThreads)
#include "tst_textbufferthreads.moc"

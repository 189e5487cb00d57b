#ifndef RECORDER_H
#define RECORDER_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "recordoptions.h"

class CsvRowWriter;
class RawCaptureWriter;
class DataHub;

// qelo-record: one link, one engine and the hub, without a window. Records
// until its limits, Ctrl+C or the link closing.
class Recorder : public QObject
{
    Q_OBJECT
public:
    explicit Recorder(const RecordOptions &options, QObject *parent = nullptr);
    ~Recorder() override;

    // Sets everything up and opens the link; false with the exit code set
    // when that failed.
    bool start();
    int exit_code() const { return exit_code_; }

    // Runs the whole program: options, listing, recording, summary.
    static int main(int argc, char *argv[]);

signals:
    void finished();

private slots:
    void on_status_tick();
    void on_connected_changed();
    void on_link_error(QByteArray text);

private:
    void stop(int code);
    // Makes and opens the link (again, after a drop, with --reconnect).
    bool make_link(QString *error);
    void reopen();
    void queue_sending();
    void print_status(bool final_line);
    qint64 stored_rows() const;

    RecordOptions options_;
    DataHub *hub_ = nullptr;
    QObject *link_ = nullptr;
    std::unique_ptr<CsvRowWriter> csv_;
    std::unique_ptr<RawCaptureWriter> raw_;
    QTimer status_timer_;
    QTimer open_timer_;
    QElapsedTimer clock_;
    bool was_connected_ = false;
    // With --reconnect, after a drop: attempts so far and the next wait.
    bool reconnecting_ = false;
    int attempts_ = 0;
    int backoff_ms_ = 500;
    bool stopping_ = false;
    bool status_on_tty_ = false;
    QByteArray last_error_;
    int exit_code_ = RecordOptions::Done;
    qint64 bytes_ = 0;
    qint64 rows_ = 0;
    qint64 rows_at_start_ = 0;
    int channels_ = 0;
};

#endif

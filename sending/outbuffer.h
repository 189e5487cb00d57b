#ifndef OUTBUFFER_H
#define OUTBUFFER_H

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QVector>
#include <atomic>
#include <mutex>

#include "cmd.h"

// The bytes waiting to be sent over the open link: typed text, hex, filled
// templates and file chunks, plus the command tree of a running
// repetition. Every append goes out whole and in order; one that would
// take the waiting bytes over limit() is refused as a whole and said so
// (refused()), never cut.
//
// lock_ is not recursive: the buffer never emits its own signals while holding
// it. The command nodes stepped under it do emit theirs; their receivers on
// the stepping thread must not call back into the buffer.
class OutBuffer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QByteArray datas READ datas)
    Q_PROPERTY(bool repeating READ repeating WRITE set_repeating NOTIFY repeating_changed)
    Q_PROPERTY(QString file_path READ file_path WRITE set_file_path NOTIFY file_path_changed)
    Q_PROPERTY(bool is_sending_file READ is_sending_file WRITE set_is_sending_file NOTIFY is_sending_file_changed)
    Q_PROPERTY(int sending_progress READ sending_progress WRITE set_sending_progress NOTIFY sending_progress_changed)
    Q_PROPERTY(int repeating_command_index READ repeating_command_index NOTIFY repeating_command_index_changed)
    Q_PROPERTY(int file_size READ file_size WRITE set_file_size NOTIFY file_size_changed)
    Q_PROPERTY(int file_sent_size READ file_sent_size WRITE set_file_sent_size NOTIFY file_sent_size_changed)
    Q_PROPERTY(QList<int> current_cmd_position READ current_cmd_position WRITE set_current_cmd_position NOTIFY current_cmd_position_changed)
    Q_PROPERTY(QList<int> repeat_cmd_position READ repeat_cmd_position WRITE set_repeat_cmd_position NOTIFY repeat_cmd_position_changed)
    Q_PROPERTY(Cmd *repeatCmd READ getRepeatCmd NOTIFY repeatCmdChanged)

public:
    explicit OutBuffer(QObject *parent = nullptr);

    Q_INVOKABLE void appendData(QByteArray datas);
    Q_INVOKABLE void appendString(QByteArray datas, QString encoder);
    Q_INVOKABLE void appendString(QByteArray datas, QString encoder, float arg);
    Q_INVOKABLE void appendHex(QByteArray datas);
    Q_INVOKABLE void appendHex(QByteArray datas, QByteArray arg);
    Q_INVOKABLE QByteArray applyStrArg(QByteArray datas, QString encoder, float arg);
    Q_INVOKABLE QByteArray applyStrArgs(QByteArray datas, QString encoder, QVector<float> args);
    Q_INVOKABLE QByteArray applyHexArg(QByteArray datas, QByteArray arg);
    Q_INVOKABLE QByteArray applyHexArgs(QByteArray datas, QVector<QByteArray> args);
    Q_INVOKABLE bool appendFile(QString path);
    Q_INVOKABLE void appendRepeatCmd(QJsonObject json, QList<int> position);
    Q_INVOKABLE Cmd *getRepeatCmd() const { return repeat_cmd_; }
    Q_INVOKABLE QString hex_string2string(QByteArray hex_string, QString encoder);
    Q_INVOKABLE QString string2hex_string(QByteArray string, QString encoder);

    // The sender's side.
    QByteArray takeDatas();
    // The next due step of the running sequence, or null when it is done.
    // The result is a copy owned by the buffer (bytes, loop_ms, position),
    // valid until the next call, so replacing the tree meanwhile is harmless.
    Cmd *nextRepeatCmd();
    qint64 limit() const { return limit_; }
    // What a file transfer puts into the buffer per step.
    static constexpr int kFileChunk = 4096;

    QByteArray datas() const;
    bool repeating() const { return repeating_; }
    void set_repeating(bool v);
    QString file_path() const;
    void set_file_path(QString v);
    bool is_sending_file() const { return is_sending_file_; }
    void set_is_sending_file(bool v);
    int sending_progress() const { return sending_progress_; }
    void set_sending_progress(int v);
    int repeating_command_index() const { return repeating_command_index_; }
    int file_size() const { return file_size_; }
    void set_file_size(int v);
    int file_sent_size() const { return file_sent_size_; }
    void set_file_sent_size(int v);
    QList<int> current_cmd_position() const;
    void set_current_cmd_position(QList<int> v);
    QList<int> repeat_cmd_position() const;
    void set_repeat_cmd_position(QList<int> v);

signals:
    void repeating_changed();
    void repeating_index_changed();
    void file_path_changed();
    void is_sending_file_changed();
    void sending_progress_changed();
    void repeating_command_index_changed();
    void current_cmd_position_changed();
    void repeat_cmd_position_changed();
    void file_size_changed();
    void file_sent_size_changed();
    void repeatCmdChanged();
    // An append that did not fit: nothing of it was taken.
    void refused(const QString &message);

private:
    // Appends under the lock when the bytes fit; false when they do not.
    bool boundedAppend(const QByteArray &bytes);
    void append_or_refuse(const QByteArray &bytes, bool typed);
    QByteArray encoded(QByteArray datas, const QString &encoder) const;

    // A std::mutex, not a QMutex: the sender's thread and the UI thread meet
    // here, and ThreadSanitizer sees only locks outside the Qt library.
    mutable std::mutex lock_;
    QByteArray pending_;
    const qint64 limit_ = 16 * 1024 * 1024;
    Cmd *repeat_cmd_;
    Cmd step_;
    // Scalars are read lock-free by the UI and the sender's threads.
    std::atomic<bool> repeating_{false};
    std::atomic<int> repeating_command_index_{-1};
    std::atomic<bool> is_sending_file_{false};
    std::atomic<int> sending_progress_{0};
    std::atomic<int> file_size_{0};
    std::atomic<int> file_sent_size_{0};
    QString file_path_;
    QList<int> current_cmd_position_;
    QList<int> repeat_cmd_position_;
};

#endif

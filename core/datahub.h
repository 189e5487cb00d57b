#ifndef DATAHUB_H
#define DATAHUB_H

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <vector>

#include "datalock.h"
#include "dataengineloader.h"
#include "intakecounters.h"
#include "outbuffer.h"
#include "textbuffer.h"
#include "commonthread.h"

class ImageProvider;

// The centre of the system: owns every channel's ring of samples and its
// display attributes, the engine loader, the text buffer and the send buffer.
class DataHub : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int size READ size WRITE set_size NOTIFY size_changed)
    Q_PROPERTY(int effective_size READ effective_size NOTIFY effective_size_changed)
    Q_PROPERTY(int max_size READ max_size WRITE set_max_size NOTIFY max_size_changed)
    Q_PROPERTY(DataEngineLoader *data_engine_loader READ data_engine_loader CONSTANT)
    Q_PROPERTY(bool is_hide_wave_text WRITE set_is_hide_wave_text)
    Q_PROPERTY(bool is_hide_image_text WRITE set_is_hide_image_text)
    Q_PROPERTY(TextBuffer *text_buffer READ text_buffer NOTIFY text_buffer_changed)
    Q_PROPERTY(OutBuffer *out_buffer READ out_buffer CONSTANT)
    Q_PROPERTY(QColor theme_color READ theme_color WRITE set_theme_color NOTIFY theme_color_changed)
    Q_PROPERTY(double head READ head)
    Q_PROPERTY(int num_lines READ num_lines NOTIFY num_lines_changed)
    Q_PROPERTY(int highlighted_line READ highlighted_line WRITE set_highlighted_line NOTIFY highlighted_line_changed)
    Q_PROPERTY(int image_count READ image_count NOTIFY image_count_changed)
    Q_PROPERTY(int image_tick READ image_tick NOTIFY image_tick_changed)
    Q_PROPERTY(QList<QString> names READ names)
    Q_PROPERTY(bool heart_beat READ heart_beat WRITE set_heart_beat NOTIFY heart_beat_changed)
    Q_PROPERTY(int fps READ fps WRITE set_fps NOTIFY fps_changed)
    Q_PROPERTY(int real_fps READ real_fps NOTIFY fps_changed)
    Q_PROPERTY(int global_decimal READ global_decimal WRITE set_global_decimal NOTIFY global_decimal_changed)
    Q_PROPERTY(int timeout_ms READ timeout_ms WRITE set_timeout_ms NOTIFY timeout_ms_changed)
    Q_PROPERTY(bool use_instance READ use_instance WRITE set_use_instance NOTIFY use_instance_changed)
    // Saving leads each row with its arrival time: 0 no, 1 date and time,
    // 2 seconds since the first saved row (RowTimeFormat's modes).
    Q_PROPERTY(int save_time_column READ save_time_column WRITE set_save_time_column NOTIFY save_time_column_changed)

public:
    static constexpr int kMaxChannels = 1024;

    explicit DataHub(QObject *parent = nullptr);
    ~DataHub() override;

    Q_INVOKABLE void lockDatas() { data_lock_.lock(); }
    Q_INVOKABLE bool trylockDatas() { return data_lock_.tryLock(); }
    // Also sends the channel-count signals that changes under the lock held back.
    Q_INVOKABLE void unlockDatas();

    // Per-channel attributes. A pos that is not a channel is ignored by the
    // setters and answered with a fixed default by the getters.
    Q_INVOKABLE void set_scale(int pos, double value);
    Q_INVOKABLE void set_offset(int pos, double value);
    Q_INVOKABLE void set_xoffset(int pos, int value);
    Q_INVOKABLE void set_decimal(int pos, int value);
    Q_INVOKABLE void set_if_draws(int pos, bool value);
    Q_INVOKABLE void set_color(int pos, QColor value);
    Q_INVOKABLE void set_name(int pos, QString name);
    Q_INVOKABLE double scale(int pos) const;
    Q_INVOKABLE double offset(int pos) const;
    Q_INVOKABLE int xoffset(int pos) const;
    Q_INVOKABLE int decimal(int pos) const;
    Q_INVOKABLE bool if_draws(int pos) const;
    Q_INVOKABLE QColor color(int pos) const;
    Q_INVOKABLE QList<qreal> rt_values();

    Q_INVOKABLE void clear();
    Q_INVOKABLE void close() { closed_ = true; }
    Q_INVOKABLE bool closed() const { return closed_; }

    Q_INVOKABLE void reset_decimals();
    Q_INVOKABLE void fps_up();
    Q_INVOKABLE void fps_down();
    Q_INVOKABLE void start_paint();
    Q_INVOKABLE void stop_paint();

    // Recordings to and from CSV files, on the worker thread. A request while
    // a job runs is refused with an alert.
    Q_INVOKABLE bool saveTo(QString filename, QList<QString> names, bool alert_result);
    Q_INVOKABLE bool saveTo(QString filename, QList<QString> names) { return saveTo(filename, names, true); }
    Q_INVOKABLE bool loadFrom(QString filename, bool alert_result);
    Q_INVOKABLE bool loadFrom(QString filename) { return loadFrom(filename, true); }
    // Waits for a running save or load: tools, tests, and the window, which
    // saves and restores its buffered data while it closes and starts.
    // A negative time waits as long as it takes.
    Q_INVOKABLE bool wait_job(int ms = -1) { return worker_thread_.join(ms < 0 ? ULONG_MAX : static_cast<unsigned long>(ms)); }

    // The decoded picture at index, or the placeholder picture.
    Q_INVOKABLE QImage image(int index);

    // Called by the links on their I/O thread.
    void PutReceivedData(const char *data, int length, QDateTime time);
    Q_INVOKABLE void PutSentData(QByteArray data);
    // The link session's counters (see IntakeCounters), by name.
    Q_INVOKABLE QVariantMap counter_values() const { return counters_.snapshot(); }
    // Starts the counting over: a link was opened, or the user asked.
    Q_INVOKABLE void reset_counters();
    const IntakeCounters &counters() const { return counters_; }
    Q_INVOKABLE void PutErrorData(QByteArray data);
    // A line about the link in the terminal that is no link error (the
    // window reopening a dropped link, say).
    Q_INVOKABLE void put_link_note(const QString &text);
    // Links read device bytes into this scratch (and may enlarge it).
    QByteArray &read_scratch() { return read_scratch_; }
    // Handed to the main engine as the "data" image provider, which then
    // owns it; a hub whose provider was never taken deletes it.
    ImageProvider *take_image_provider()
    {
        provider_taken_ = true;
        return image_provider_;
    }

    // Sample read for charts and markers; the caller holds the data lock.
    float value(int channel, int i) const;
    // Row append; the caller holds the data lock. Emits nothing.
    void append_row(const float *values, int n);
    void append_row(const std::vector<float> &values) { append_row(values.data(), int(values.size())); }
    // Sees every stored row (after channel count adaptation), with the data
    // lock held, on the decoding thread. Used by recorders that keep more
    // than the ring holds.
    using RowTap = std::function<void(const float *values, int count)>;
    void set_row_tap(RowTap tap);
    // Called on the receiving thread before each received chunk is taken,
    // without the data lock: a recorder whose file falls behind holds the
    // link back here. It must return once the recorder stops.
    using IntakeGate = std::function<void()>;
    void set_intake_gate(IntakeGate gate);
    // Sees every received chunk as it arrives, before decoding, on the
    // receiving thread (a raw capture).
    using RawTap = std::function<void(const char *data, int length)>;
    void set_raw_tap(RawTap tap);
    // Totals since construction, readable from any thread.
    qint64 received_bytes() const { return received_bytes_.load(std::memory_order_relaxed); }
    qint64 stored_rows() const { return stored_rows_.load(std::memory_order_relaxed); }
    // Direct ring access for readers that hold the data lock.
    const float *ring(int channel) const;
    const std::vector<float> &index_ramp() const { return index_ramp_; }
    int head_index() const { return head_; }
    DataLock *data_mutex() { return &data_lock_; }

    int size() const { return size_; }
    void set_size(int n);
    int effective_size() const { return effective_size_; }
    int max_size() const { return max_size_; }
    void set_max_size(int n);
    DataEngineLoader *data_engine_loader() { return &engine_loader_; }
    void set_is_hide_wave_text(bool v) { is_hide_wave_text_ = v; }
    void set_is_hide_image_text(bool v) { is_hide_image_text_ = v; }
    TextBuffer *text_buffer() { return &text_buffer_; }
    OutBuffer *out_buffer() { return &out_buffer_; }
    QColor theme_color() const;
    void set_theme_color(const QColor &c);
    double head() const { return head_; }
    int num_lines() const { return num_lines_.load(std::memory_order_acquire); }
    int highlighted_line() const { return highlighted_line_; }
    void set_highlighted_line(int v);
    int image_tick() const { return image_tick_; }
    int image_count();
    QList<QString> names() const;

    bool heart_beat() const { return heart_beat_.load(std::memory_order_relaxed); }
    void set_heart_beat(bool v);
    int fps() const { return fps_; }
    void set_fps(int f);
    int real_fps() const;
    int global_decimal() const { return global_decimal_; }
    int save_time_column() const { return save_time_column_; }
    void set_save_time_column(int v);
    void set_global_decimal(int v);
    int timeout_ms() const { return timeout_ms_; }
    void set_timeout_ms(int v);
    bool use_instance() const { return use_instance_; }
    void set_use_instance(bool v);

    QTimer *paint_timer() { return &paint_timer_; }
    QTimer *buffer_timer() { return &buffer_timer_; }

signals:
    void out_buffer_changed();
    void text_message_updated();
    void scales_changed();
    void offsets_changed();
    void xoffsets_changed();
    void decimals_changed();
    void if_draws_changed();
    void global_decimal_changed();
    void save_time_column_changed();
    void theme_color_changed();
    void num_lines_changed();
    void size_changed();
    void effective_size_changed();
    void max_size_changed();
    void colors_changed();
    void highlighted_line_changed();
    void rt_value_changed();
    void text_buffer_changed();
    void image_count_changed();
    void image_tick_changed();
    void name_changed(int index, QString name);
    void color_changed(int index, QColor color);
    void heart_beat_changed();
    void alert_single_line(QString msg);
    void alert(QString msg);
    void need_update();
    void datas_loaded(QList<QString> names);
    void need_update_visible_count();
    void fps_changed();
    void timeout_ms_changed();
    void use_instance_changed();
    void start_buffer_timer();
    void stop_buffer_timer();
    // Every error text a link reports (also shown in the terminal).
    void link_error(QByteArray text);

public slots:
    void on_scale_offset_changed() {}
    void on_colors_changed() {}
    void on_size_changed() {}
    void on_start_buffer_timer();
    void on_stop_buffer_timer();
    void timer_update();
    void update_all();
    void buffer_timeout();

private:
    struct Channel {
        std::vector<float> ring;
        double rt_value = 0.0;
        double scale = 1.0;
        double offset = 0.0;
        int xoffset = 0;
        int decimal = -7;
        bool if_draws = true;
        QColor color{QStringLiteral("#FFFFFF")};
        QString name{QStringLiteral("I")};
    };

    // Callers hold the data lock.
    void set_num_lines(int count);
    void relayout(int m);
    bool is_channel(int pos) const { return pos >= 0 && pos < int(channels_.size()); }
    void decode_pass(const QDateTime &receive_time);
    void set_last_receive_time(const QDateTime &time);
    void emit_deferred();
    QDateTime last_receive_time() const;

    template <typename F> void modify_channel(int pos, F &&f);

    enum class Job { Save, Load };
    bool start_job(Job job, const QString &filename, bool alert_result);
    static void job_routine(void *arg);
    void save_job();
    void load_job();

    mutable DataLock data_lock_;
    // Guards the shape and attributes of channels_ against the UI thread:
    // reshapes happen under the data lock on whichever thread decodes, while
    // setters and getters run on the UI thread (and getters also on the
    // render thread, which already holds the data lock).
    mutable std::shared_mutex attr_lock_;
    std::vector<Channel> channels_;
    std::atomic<int> num_lines_{0};
    std::atomic<bool> deferred_lines_{false};
    std::atomic<bool> deferred_effective_{false};

    DataEngineLoader engine_loader_;
    TextBuffer text_buffer_;
    OutBuffer out_buffer_;
    QTimer buffer_timer_;
    QTimer paint_timer_;

    int size_ = 0;
    int effective_size_ = 0;
    int max_size_ = 50000;
    int highlighted_line_ = -5;
    QColor theme_color_;
    int mismatch_count_ = 0;
    int head_ = 0;
    int allocated_ = 0;
    std::atomic<bool> closed_{false};
    std::vector<float> index_ramp_;
    // Each stored row's arrival (ms since the epoch, 0 when unknown), laid
    // out as the channel rings; under the data lock.
    std::vector<qint64> row_times_;
    // When the newest received bytes came, given to the rows appended.
    qint64 row_time_ms_ = 0;

    int fps_ = 30;
    int global_decimal_ = 6;
    std::atomic<int> save_time_column_{0};
    std::atomic<bool> heart_beat_{false};
    int heart_beat_ticks_ = 0;
    int timeout_ms_ = 0;
    bool use_instance_ = false;
    // Written on the I/O thread, read on the hub's thread.
    QDateTime last_receive_time_;
    mutable std::mutex time_lock_;
    // Set by the chunk that starts a collection burst, cleared when the
    // burst is decoded; the timer itself may only be touched on its thread.
    std::atomic<bool> buffer_timer_armed_{false};

    QByteArray received_;
    std::vector<const Frame *> sound_frames_;
    RowTap row_tap_;
    IntakeCounters counters_;
    // Since the last decoded frame, under the data lock: when the bytes
    // began to come without one, the received count then, and whether the
    // terminal was told.
    qint64 no_frame_since_ms_ = -1;
    qint64 no_frame_from_bytes_ = 0;
    bool no_frame_said_ = false;
    std::mutex gate_lock_;
    IntakeGate intake_gate_;
    RawTap raw_tap_;
    std::atomic<qint64> received_bytes_{0};
    std::atomic<qint64> stored_rows_{0}; // written under the data lock only
    std::vector<float> row_scratch_;
    int received_used_ = 0;
    QByteArray read_scratch_;
    ImageProvider *image_provider_ = nullptr;
    bool provider_taken_ = false;
    QImage placeholder_;

    bool is_hide_wave_text_ = false;
    bool is_hide_image_text_ = false;
    int image_tick_ = 0;

    CommonThread worker_thread_;
    Job job_ = Job::Save;
    QString job_file_;
    QList<QString> job_names_;
    bool alert_result_ = true;
};

#endif

#include "datahub.h"
#include "rowtimeformat.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <mutex>

namespace {
// Longest CSV line read; a longer one cannot be a row of at most
// kMaxChannels numbers and is skipped, so a huge file of one line never
// has to fit in memory.
constexpr qint64 kMaxLine = 1 << 20;

// Reads one line into line; false at the end of the file. Over-long lines
// are skipped whole. Reads through a small buffer: readLine(maxSize) would
// allocate maxSize bytes for every line.
bool read_line(QFile &file, QByteArray &line)
{
    char chunk[4096];
    for (;;) {
        line.clear();
        bool too_long = false;
        bool ended = false;
        for (;;) {
            const qint64 n = file.readLine(chunk, sizeof chunk);
            if (n <= 0)
                break;
            if (!too_long && line.size() + n <= kMaxLine)
                line.append(chunk, int(n));
            else
                too_long = true;
            if (chunk[n - 1] == '\n') {
                ended = true;
                break;
            }
        }
        if (!too_long)
            return ended || !line.isEmpty();
        if (!ended)
            return false;
    }
}

// A comma or line break inside a name would shift or split the columns of
// the file.
QString field_safe(QString name)
{
    name.replace(QLatin1Char(','), QLatin1Char(' '));
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}
}

bool DataHub::start_job(Job job, const QString &filename, bool alert_result)
{
    // The running job owns the file name, names and alert flag; a second
    // request must not change them under it.
    if (worker_thread_.running()) {
        emit alert(tr("正在保存或载入数据，请稍后再试！"));
        return false;
    }
    job_ = job;
    job_file_ = filename;
    alert_result_ = alert_result;
    worker_thread_.set_thread_routine(&DataHub::job_routine);
    worker_thread_.set_routine_arg(this);
    return worker_thread_.start_routine();
}

bool DataHub::saveTo(QString filename, QList<QString> names, bool alert_result)
{
    if (worker_thread_.running()) {
        emit alert(tr("正在保存或载入数据，请稍后再试！"));
        return false;
    }
    job_names_ = names;
    {
        std::unique_lock<std::shared_mutex> attrs(attr_lock_);
        for (int i = 0; i < names.size() && i < int(channels_.size()); ++i)
            channels_[size_t(i)].name = names.at(i);
    }
    return start_job(Job::Save, filename, alert_result);
}

bool DataHub::loadFrom(QString filename, bool alert_result)
{
    return start_job(Job::Load, filename, alert_result);
}

void DataHub::job_routine(void *arg)
{
    auto *hub = static_cast<DataHub *>(arg);
    if (hub->job_ == Job::Save)
        hub->save_job();
    else
        hub->load_job();
}

void DataHub::save_job()
{
    if (num_lines() == 0) {
        if (alert_result_)
            emit alert_single_line(tr("无数据，您需要先按照协议格式发送数据！"));
        return;
    }
    // Written beside the target and renamed over it at the end, so a full
    // disk or a crash half-way leaves the previous file whole.
    QSaveFile file(job_file_);
    if (!file.open(QIODevice::WriteOnly)) {
        if (alert_result_)
            emit alert("文件打开失败\n" + job_file_);
        return;
    }
    {
        std::lock_guard<DataLock> locker(data_lock_);
        QTextStream out(&file);
        QStringList header;
        const auto time_mode = RowTimeFormat::Mode(save_time_column_.load());
        if (time_mode != RowTimeFormat::None)
            header.append(QStringLiteral("time"));
        for (const QString &n : qAsConst(job_names_))
            header.append(field_safe(n));
        out << header.join(QLatin1Char(',')) << "\r\n";
        const int lines = int(channels_.size());
        std::vector<int> precision(static_cast<size_t>(lines));
        {
            std::shared_lock<std::shared_mutex> attrs(attr_lock_);
            for (int j = 0; j < lines; ++j) {
                const int d = channels_[size_t(j)].decimal;
                precision[size_t(j)] = d < 0 ? global_decimal_ : d - 1;
            }
        }
        const bool timed = time_mode != RowTimeFormat::None && row_times_.size() == size_t(size_);
        // Relative times count from the first saved row that has one.
        qint64 first_ms = 0;
        for (int i = size_ - effective_size_; timed && i < size_ && first_ms == 0; ++i)
            first_ms = row_times_[size_t((i + head_) % size_)];
        RowTimeFormat time_format(time_mode, first_ms);
        std::string time_text;
        QString row;
        for (int i = size_ - effective_size_; i < size_; ++i) {
            const size_t at = size_t((i + head_) % size_);
            row.clear();
            if (time_mode != RowTimeFormat::None) {
                // A row without a known arrival (loaded from a file) leaves
                // the field empty.
                if (timed && row_times_[at] != 0) {
                    time_text.clear();
                    time_format.append(row_times_[at], time_text);
                    row += QLatin1String(time_text.data(), int(time_text.size()));
                }
                if (lines > 0)
                    row += QLatin1Char(',');
            }
            for (int j = 0; j < lines; ++j) {
                if (j)
                    row += QLatin1Char(',');
                row += QString::number(double(channels_[size_t(j)].ring[at]), 'f', precision[size_t(j)]);
            }
            out << row << "\r\n";
        }
        out.flush();
    }
    const bool written = file.error() == QFileDevice::NoError && file.commit();
    if (!written) {
        if (alert_result_)
            emit alert("文件打开失败\n" + job_file_);
        return;
    }
    if (alert_result_)
        emit alert_single_line(tr("数据保存成功！"));
}

void DataHub::load_job()
{
    QFile file(job_file_);
    if (!file.open(QIODevice::ReadOnly)) {
        if (alert_result_)
            emit alert("文件打开失败\n" + job_file_);
        return;
    }
    bool resized = false;
    {
        std::lock_guard<DataLock> locker(data_lock_);
        effective_size_ = 0;
        head_ = 0;
        if (size_ != max_size_) {
            size_ = max_size_;
            relayout(size_);
            head_ = 0;
            resized = true;
        }
    }
    if (resized) {
        emit size_changed();
        emit effective_size_changed();
    }

    QStringList names;
    {
        std::lock_guard<DataLock> locker(data_lock_);
        set_num_lines(0);
        mismatch_count_ = 0;
        // A file's rows have no arrival time here; bytes still waiting to
        // be decoded keep theirs.
        const qint64 arrival_ms = row_time_ms_;
        row_time_ms_ = 0;
        QByteArray line;
        if (read_line(file, line))
            names = QString::fromLocal8Bit(line).trimmed().split(QLatin1Char(','));
        else
            names = QStringList{QString()};
        // A leading "time" column (the arrival times a recorder can write)
        // is not a channel.
        const bool timed = names.size() > 1 && names.first() == QLatin1String("time");
        if (timed)
            names.removeFirst();
        std::vector<float> values;
        while (read_line(file, line)) {
            const QByteArray trimmed = line.trimmed();
            values.clear();
            int from = timed ? trimmed.indexOf(',') + 1 : 0;
            if (timed && from == 0)
                continue;
            for (;;) {
                const int comma = trimmed.indexOf(',', from);
                const QByteArray field = trimmed.mid(from, comma < 0 ? -1 : comma - from);
                bool ok = false;
                const float v = field.trimmed().toFloat(&ok);
                values.push_back(ok ? v : 0.0f);
                if (comma < 0)
                    break;
                from = comma + 1;
                if (values.size() > size_t(kMaxChannels))
                    break;
            }
            append_row(values);
        }
        row_time_ms_ = arrival_ms;
        std::unique_lock<std::shared_mutex> attrs(attr_lock_);
        for (size_t j = 0; j < channels_.size(); ++j)
            channels_[j].name = int(j) < names.size() ? names.at(int(j)) : QStringLiteral("I");
    }
    file.close();
    emit_deferred();
    emit datas_loaded(this->names());
    if (alert_result_)
        emit alert_single_line(tr("已载入 ") + QString::number(effective_size_) + tr(" 组数据"));
    emit effective_size_changed();
}

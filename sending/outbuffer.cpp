#include "outbuffer.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <QTextCodec>
#include <charconv>
#include <cmath>
#include <mutex>
#include <optional>
#include <string_view>

namespace {

QTextCodec *codecFor(const QString &encoder)
{
    return QTextCodec::codecForName(encoder.toLocal8Bit());
}

constexpr int kMaxField = 4096;

// Reads a run of digits at i into value (-1 when there is none); values above
// kMaxField are refused so a width or precision cannot blow up the result.
bool readField(const QByteArray &tmpl, int &i, int &value)
{
    value = -1;
    while (i < tmpl.size() && tmpl.at(i) >= '0' && tmpl.at(i) <= '9') {
        value = qMax(value, 0) * 10 + (tmpl.at(i++) - '0');
        if (value > kMaxField)
            return false;
    }
    return true;
}

// Hexadecimal floating point as printf's %a writes it; QString::asprintf
// writes %a as if it were %f.
QString hexFloat(double v, const QByteArray &flags, int width, int precision, bool upper)
{
    char buf[kMaxField + 64];
    const std::to_chars_result r = precision < 0
        ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::hex)
        : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::hex, precision);
    QByteArray body(buf, int(r.ptr - buf));
    QByteArray sign;
    if (body.startsWith('-')) {
        sign = "-";
        body.remove(0, 1);
    } else if (flags.contains('+')) {
        sign = "+";
    } else if (flags.contains(' ')) {
        sign = " ";
    }
    const bool finite = std::isfinite(v);
    if (finite) {
        if (flags.contains('#') && !body.contains('.'))
            body.insert(body.indexOf('p'), '.');
        body.prepend("0x");
    }
    const int pad = width - sign.size() - body.size();
    if (pad > 0) {
        if (flags.contains('-'))
            body.append(QByteArray(pad, ' '));
        else if (flags.contains('0') && finite)
            body.insert(2, QByteArray(pad, '0'));
        else
            sign.prepend(QByteArray(pad, ' '));
    }
    const QByteArray text = sign + body;
    return QString::fromLatin1(upper ? text.toUpper() : text);
}

// Fills a template typed by the user with doubles. The template never reaches
// a printf-family function: it is parsed here, and only single conversions
// rebuilt from checked pieces are formatted. Literal text, "%%" and the
// floating conversions with flags, digit width and digit precision are
// accepted; anything else, or more conversions than values, fails.
std::optional<QString> fillTemplate(const QByteArray &tmpl, const QVector<double> &args)
{
    constexpr std::string_view kFlags("-+ #0");
    constexpr std::string_view kConversions("fFeEgGaA");
    QString out;
    int next = 0;
    int run = 0;
    int i = 0;
    while (i < tmpl.size()) {
        if (tmpl.at(i) != '%') {
            ++i;
            continue;
        }
        out += QString::fromUtf8(tmpl.constData() + run, i - run);
        ++i;
        if (i < tmpl.size() && tmpl.at(i) == '%') {
            out += QLatin1Char('%');
            run = ++i;
            continue;
        }
        QByteArray flags;
        while (i < tmpl.size() && kFlags.find(tmpl.at(i)) != std::string_view::npos)
            flags += tmpl.at(i++);
        int width = -1;
        int precision = -1;
        if (!readField(tmpl, i, width))
            return std::nullopt;
        if (i < tmpl.size() && tmpl.at(i) == '.') {
            ++i;
            if (!readField(tmpl, i, precision))
                return std::nullopt;
            // A lone "." means precision 0.
            precision = qMax(precision, 0);
        }
        if (i >= tmpl.size() || kConversions.find(tmpl.at(i)) == std::string_view::npos)
            return std::nullopt;
        if (next >= args.size())
            return std::nullopt;
        const char conversion = tmpl.at(i++);
        const double value = args.at(next++);
        if (conversion == 'a' || conversion == 'A') {
            out += hexFloat(value, flags, width, precision, conversion == 'A');
        } else {
            QByteArray format = '%' + flags;
            if (width >= 0)
                format += QByteArray::number(width);
            if (precision >= 0)
                format += '.' + QByteArray::number(precision);
            format += conversion;
            out += QString::asprintf(format.constData(), value);
        }
        run = i;
    }
    out += QString::fromUtf8(tmpl.constData() + run, tmpl.size() - run);
    return out;
}

QByteArray applyTemplate(const QByteArray &tmpl, const QVector<double> &args)
{
    std::optional<QString> text = fillTemplate(tmpl, args);
    if (!text)
        return QByteArray();
    text->replace(QLatin1String("\\n"), QLatin1String("\n"));
    text->replace(QLatin1String("\\r"), QLatin1String("\r"));
    return text->toUtf8();
}

} // namespace

OutBuffer::OutBuffer(QObject *parent)
    : QObject(parent)
    , repeat_cmd_(new Cmd(this))
{
    repeat_cmd_->clearCmd();
}

bool OutBuffer::boundedAppend(const QByteArray &bytes)
{
    if (qint64(pending_.size()) + bytes.size() > limit_)
        return false;
    pending_.append(bytes);
    return true;
}

// The refusal is said after the lock is released (its receivers may read
// the buffer). Typed text and hex wait while a file goes out (`typed`).
void OutBuffer::append_or_refuse(const QByteArray &bytes, bool typed)
{
    bool taken = true;
    {
        std::lock_guard<std::mutex> locker(lock_);
        // Checked again under the lock: a file may have started meanwhile.
        if (typed && is_sending_file_)
            return;
        taken = boundedAppend(bytes);
    }
    if (!taken)
        emit refused(tr("发送缓冲区已满，%1 字节未发送 (最多等待发送 %2 MiB)")
                         .arg(bytes.size())
                         .arg(limit_ / (1024 * 1024)));
}

void OutBuffer::appendData(QByteArray datas)
{
    if (!datas.isEmpty())
        append_or_refuse(datas, false);
}

QByteArray OutBuffer::encoded(QByteArray datas, const QString &encoder) const
{
    QTextCodec *codec = codecFor(encoder);
    if (!codec)
        return QByteArray();
    datas.replace("\\n", "\n");
    datas.replace("\\r", "\r");
    datas.replace("\\t", "\t");
    return codec->fromUnicode(QString::fromUtf8(datas));
}

void OutBuffer::appendString(QByteArray datas, QString encoder)
{
    if (is_sending_file_)
        return;
    const QByteArray bytes = encoded(datas, encoder);
    if (!bytes.isEmpty())
        append_or_refuse(bytes, true);
}

void OutBuffer::appendString(QByteArray datas, QString encoder, float arg)
{
    const QByteArray text = applyStrArg(datas, encoder, arg);
    if (!text.isEmpty())
        appendString(text, encoder);
}

void OutBuffer::appendHex(QByteArray datas)
{
    if (is_sending_file_)
        return;
    const QByteArray bytes = QByteArray::fromHex(datas);
    if (!bytes.isEmpty())
        append_or_refuse(bytes, true);
}

void OutBuffer::appendHex(QByteArray datas, QByteArray arg)
{
    appendHex(applyHexArg(datas, arg));
}

QByteArray OutBuffer::applyStrArg(QByteArray datas, QString, float arg)
{
    return applyTemplate(datas, {double(arg)});
}

QByteArray OutBuffer::applyStrArgs(QByteArray datas, QString, QVector<float> args)
{
    if (args.isEmpty() || args.size() > 10)
        return QByteArray();
    QVector<double> values;
    values.reserve(args.size());
    for (float arg : qAsConst(args))
        values.append(double(arg));
    return applyTemplate(datas, values);
}

QByteArray OutBuffer::applyHexArg(QByteArray datas, QByteArray arg)
{
    return applyHexArgs(datas, {arg});
}

QByteArray OutBuffer::applyHexArgs(QByteArray datas, QVector<QByteArray> args)
{
    // The search goes on after each inserted argument: an argument's own
    // "%%" is not a slot for the next one.
    int from = 0;
    for (const QByteArray &arg : qAsConst(args)) {
        const int at = datas.indexOf("%%", from);
        if (at < 0)
            break;
        const QByteArray upper = arg.toUpper();
        datas.replace(at, 2, upper);
        from = at + upper.size();
    }
    return datas;
}

bool OutBuffer::appendFile(QString path)
{
    // Directories and devices are no files to send.
    const bool present = QFileInfo(path).isFile();
    {
        std::lock_guard<std::mutex> locker(lock_);
        // Clearing pending now would drop a chunk of the running transfer.
        if (is_sending_file_)
            return false;
        pending_.clear();
        if (!present)
            return false;
        file_path_ = path;
        sending_progress_ = 0;
        is_sending_file_ = true;
    }
    emit sending_progress_changed();
    emit is_sending_file_changed();
    return true;
}

void OutBuffer::appendRepeatCmd(QJsonObject json, QList<int> position)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        if (is_sending_file_)
            return;
        // The root's own signals wait until the lock is released; its
        // receivers live on the caller's thread and may read the buffer.
        const QSignalBlocker blocker(repeat_cmd_);
        repeat_cmd_->clearCmd();
        repeat_cmd_->loadJson(json, position);
        current_cmd_position_ = repeat_cmd_->position();
        repeat_cmd_position_ = repeat_cmd_->position();
        repeat_cmd_->set_is_current(true);
        repeating_ = true;
        repeating_command_index_ = -1;
    }
    emit repeat_cmd_->loop_current_count_changed();
    emit repeat_cmd_->loop_current_index_changed();
    emit repeat_cmd_->loop_count_changed();
    emit current_cmd_position_changed();
    emit repeat_cmd_position_changed();
    emit repeat_cmd_->is_current_changed();
    emit repeating_changed();
    emit repeatCmdChanged();
}

QString OutBuffer::hex_string2string(QByteArray hex_string, QString encoder)
{
    if (hex_string.isEmpty())
        return QString();
    QTextCodec *codec = codecFor(encoder);
    if (!codec)
        return QString();
    return codec->toUnicode(QByteArray::fromHex(hex_string));
}

QString OutBuffer::string2hex_string(QByteArray string, QString encoder)
{
    if (string.isEmpty())
        return QString();
    QTextCodec *codec = codecFor(encoder);
    if (!codec)
        return QString();
    const QByteArray bytes = codec->fromUnicode(QString::fromUtf8(string));
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QByteArray OutBuffer::takeDatas()
{
    std::lock_guard<std::mutex> locker(lock_);
    QByteArray taken;
    taken.swap(pending_);
    return taken;
}

Cmd *OutBuffer::nextRepeatCmd()
{
    std::lock_guard<std::mutex> locker(lock_);
    const Cmd *step = repeat_cmd_->nextCmd();
    if (!step)
        return nullptr;
    step_.copyStepOf(*step);
    return &step_;
}

QByteArray OutBuffer::datas() const
{
    std::lock_guard<std::mutex> locker(lock_);
    return pending_;
}

void OutBuffer::set_repeating(bool v)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        repeating_ = v;
        if (!v)
            current_cmd_position_.clear();
        repeating_command_index_ = -1;
    }
    if (!v)
        emit current_cmd_position_changed();
    emit repeating_changed();
}

QString OutBuffer::file_path() const
{
    std::lock_guard<std::mutex> locker(lock_);
    return file_path_;
}

void OutBuffer::set_file_path(QString v)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        file_path_ = v;
    }
    emit file_path_changed();
}

void OutBuffer::set_is_sending_file(bool v)
{
    if (v) {
        sending_progress_ = 0;
        emit sending_progress_changed();
    }
    {
        std::lock_guard<std::mutex> locker(lock_);
        is_sending_file_ = v;
    }
    emit is_sending_file_changed();
}

void OutBuffer::set_sending_progress(int v)
{
    sending_progress_ = v;
    emit sending_progress_changed();
}

void OutBuffer::set_file_size(int v)
{
    file_size_ = v;
    emit file_size_changed();
}

void OutBuffer::set_file_sent_size(int v)
{
    file_sent_size_ = v;
    emit file_sent_size_changed();
}

QList<int> OutBuffer::current_cmd_position() const
{
    std::lock_guard<std::mutex> locker(lock_);
    return current_cmd_position_;
}

void OutBuffer::set_current_cmd_position(QList<int> v)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        current_cmd_position_ = v;
    }
    emit current_cmd_position_changed();
}

QList<int> OutBuffer::repeat_cmd_position() const
{
    std::lock_guard<std::mutex> locker(lock_);
    return repeat_cmd_position_;
}

void OutBuffer::set_repeat_cmd_position(QList<int> v)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        repeat_cmd_position_ = v;
    }
    emit repeat_cmd_position_changed();
}

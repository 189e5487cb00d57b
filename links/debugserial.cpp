#include "debugserial.h"

#include <QDebug>
#include <QSerialPortInfo>
#include <QTimer>

#include "datahub.h"
#include "debugserialioslotsobj.h"

namespace {

QSerialPort::DataBits data_bits(int value)
{
    switch (value) {
    case 5: return QSerialPort::Data5;
    case 6: return QSerialPort::Data6;
    case 7: return QSerialPort::Data7;
    default: return QSerialPort::Data8;
    }
}

QSerialPort::StopBits stop_bits(float value)
{
    if (value == 1.5f)
        return QSerialPort::OneAndHalfStop;
    if (value == 2.0f)
        return QSerialPort::TwoStop;
    return QSerialPort::OneStop;
}

QSerialPort::Parity parity_of(const QString &text)
{
    if (text == QLatin1String("Even"))
        return QSerialPort::EvenParity;
    if (text == QLatin1String("Odd"))
        return QSerialPort::OddParity;
    if (text == QLatin1String("Space"))
        return QSerialPort::SpaceParity;
    if (text == QLatin1String("Mark"))
        return QSerialPort::MarkParity;
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl flow_of(const QString &text)
{
    if (text == QLatin1String("Hard"))
        return QSerialPort::HardwareControl;
    if (text == QLatin1String("Soft"))
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

const char *const kLineNames[] = {"break:", "dtr:", "rts:"};

}

DebugSerial::DebugSerial(QObject *parent)
    : QObject(parent)
{
}

DebugSerial::~DebugSerial()
{
    shutdown();
}

QList<QString> DebugSerial::available_ports()
{
    QList<QString> names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    return names;
}

QList<QString> DebugSerial::ports_infos()
{
    QList<QString> infos;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        QString text;
        for (const QString &part : {info.description(), info.manufacturer(), info.serialNumber()}) {
            if (part.isEmpty())
                continue;
            if (!text.isEmpty())
                text += QLatin1String(", ");
            text += part;
        }
        infos.append(text);
    }
    return infos;
}

void DebugSerial::open()
{
    DebugWayInterface::open();
}

void DebugSerial::close()
{
    DebugWayInterface::close();
    emit need_close();
}

void DebugSerial::send(QByteArray datas)
{
    send_pattern(datas, nullptr, [this](const QByteArray &bytes) {
        device_->write(bytes);
        return true;
    });
}

void DebugSerial::initialization()
{
    DebugWayInterface::initialization();
    slots_obj_ = new DebugSerialIOSlotsObj(this);
    device_ = new QSerialPort;
    connect(device_, SIGNAL(readyRead()), slots_obj_, SLOT(readyReadSlot()));
    connect(device_, SIGNAL(errorOccurred(QSerialPort::SerialPortError)), slots_obj_,
            SLOT(handleError(QSerialPort::SerialPortError)));
    connect(device_, SIGNAL(breakEnabledChanged(bool)), this, SLOT(onBreakEnabledChanged(bool)));
    connect(device_, SIGNAL(dataTerminalReadyChanged(bool)), this, SLOT(onDTRChanged(bool)));
    connect(device_, SIGNAL(requestToSendChanged(bool)), this, SLOT(onRTSChanged(bool)));
    connect(tick_timer(), SIGNAL(timeout()), slots_obj_, SLOT(onTickTimeoutSlot()));
    configure_and_open();
}

void DebugSerial::configure_and_open()
{
    const QString name = port();
    const QString baud_text = baud();
    const int bits = databits().toInt();
    const float stops = stopbits().toFloat();
    const QString parity_text = parity();
    const QString flow_text = flow_control();
    qDebug() << "databits: " << bits;
    qDebug() << "stopbits: " << stops;
    qDebug() << "parity: " << parity_text;
    qDebug() << "flow_control: " << flow_text;
    qDebug() << "name:" << name;

    if (device_->isOpen())
        device_->close();
    const int rate = baud_text.toInt(nullptr, 10);
    device_->setPortName(name);
    device_->setBaudRate(rate, QSerialPort::AllDirections);
    device_->setDataBits(data_bits(bits));
    device_->setStopBits(stop_bits(stops));
    device_->setParity(parity_of(parity_text));
    device_->setFlowControl(flow_of(flow_text));
    qDebug() << "baud:" << rate;

    if (device_->open(QIODevice::ReadWrite)) {
        qDebug() << "port:" + name + ",baud:" + baud_text;
        qDebug() << "isopen:" << device_->isOpen();
        connected_ = device_->isOpen();
        if (device_->isOpen()) {
            for (Line line : {Break, Dtr, Rts})
                apply_line(line, lines_[line]);
        }
        emit connected_changed();
    } else {
        const QByteArray msg = "DebugSerial - " + device_->errorString().toUtf8();
        qDebug() << msg;
        if (DataHub *hub = datahub())
            hub->PutErrorData(msg);
    }
}

void DebugSerial::deinitialization()
{
    DebugWayInterface::deinitialization();
    if (device_->isOpen())
        device_->close();
    connected_ = false;
    emit connected_changed();
    delete slots_obj_;
    slots_obj_ = nullptr;
    delete device_;
    device_ = nullptr;
}

void DebugSerial::io_loop()
{
    qDebug() << "io_loop";
}

void DebugSerial::on_ready_read()
{
    read_into_hub(device_);
}

void DebugSerial::on_error(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError)
        return;
    const QByteArray text = device_->errorString().toUtf8();
    // A port without modem lines (a pty, some adapters) still carries data:
    // an unsupported line operation is reported but keeps the port open.
    if (error == QSerialPort::UnsupportedOperationError && device_->isOpen()) {
        if (DataHub *hub = datahub())
            hub->PutErrorData(text);
        return;
    }
    report_device_error(text);
}

void DebugSerial::write_line(Line line, bool value)
{
    switch (route_to_io_thread([this, line, value] { apply_line(line, value); })) {
    case Route::Here:
        apply_line(line, value);
        break;
    case Route::Posted:
        break;
    case Route::Closed:
        lines_[line] = value;
        emit_line_changed(line);
        break;
    }
}

void DebugSerial::apply_line(Line line, bool value)
{
    if (device_ && device_->isOpen()) {
        if (value != port_line(line)) {
            set_port_line(line, value);
            emit_line_changed(line);
        }
        qDebug() << kLineNames[line] << port_line(line);
    } else {
        lines_[line] = value;
        emit_line_changed(line);
    }
}

bool DebugSerial::port_line(Line line) const
{
    switch (line) {
    case Break: return device_->isBreakEnabled();
    case Dtr: return device_->isDataTerminalReady();
    default: return device_->isRequestToSend();
    }
}

void DebugSerial::set_port_line(Line line, bool value)
{
    switch (line) {
    case Break: device_->setBreakEnabled(value); break;
    case Dtr: device_->setDataTerminalReady(value); break;
    default: device_->setRequestToSend(value); break;
    }
}

void DebugSerial::emit_line_changed(Line line)
{
    switch (line) {
    case Break: emit break_enabled_changed(); break;
    case Dtr: emit dtr_changed(); break;
    default: emit rts_changed(); break;
    }
}

void DebugSerial::follow_port(Line line, bool set)
{
    lines_[line] = set;
    emit_line_changed(line);
}

void DebugSerial::onBreakEnabledChanged(bool set)
{
    follow_port(Break, set);
}

void DebugSerial::onDTRChanged(bool set)
{
    follow_port(Dtr, set);
}

void DebugSerial::onRTSChanged(bool set)
{
    follow_port(Rts, set);
}

#ifndef DEBUGSERIAL_H
#define DEBUGSERIAL_H

#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <atomic>

#include "debugwayinterface.h"
#include "guardedvalue.h"

class DebugSerialIOSlotsObj;

// The link to a serial port. The port is created, configured and opened on
// the I/O thread; break, DTR and RTS follow the port in both directions.
class DebugSerial : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)
    Q_PROPERTY(QString port READ port WRITE set_port)
    Q_PROPERTY(QString baud READ baud WRITE set_baud)
    Q_PROPERTY(QString databits READ databits WRITE set_databits)
    Q_PROPERTY(QString stopbits READ stopbits WRITE set_stopbits)
    Q_PROPERTY(QString flow_control READ flow_control WRITE set_flow_control)
    Q_PROPERTY(QString parity READ parity WRITE set_parity)
    Q_PROPERTY(bool break_enabled READ break_enabled WRITE set_break_enabled NOTIFY break_enabled_changed)
    Q_PROPERTY(bool dtr READ dtr WRITE set_dtr NOTIFY dtr_changed)
    Q_PROPERTY(bool rts READ rts WRITE set_rts NOTIFY rts_changed)

public:
    explicit DebugSerial(QObject *parent = nullptr);
    ~DebugSerial() override;

    QString port() const { return port_.get(); }
    void set_port(const QString &v) { port_.set(v); }
    QString baud() const { return baud_.get(); }
    void set_baud(const QString &v) { baud_.set(v); }
    QString databits() const { return databits_.get(); }
    void set_databits(const QString &v) { databits_.set(v); }
    QString stopbits() const { return stopbits_.get(); }
    void set_stopbits(const QString &v) { stopbits_.set(v); }
    QString flow_control() const { return flow_control_.get(); }
    void set_flow_control(const QString &v) { flow_control_.set(v); }
    QString parity() const { return parity_.get(); }
    void set_parity(const QString &v) { parity_.set(v); }
    bool break_enabled() const { return lines_[Break]; }
    void set_break_enabled(bool v) { write_line(Break, v); }
    bool dtr() const { return lines_[Dtr]; }
    void set_dtr(bool v) { write_line(Dtr, v); }
    bool rts() const { return lines_[Rts]; }
    void set_rts(bool v) { write_line(Rts, v); }

    Q_INVOKABLE QList<QString> available_ports();
    Q_INVOKABLE QList<QString> ports_infos();
    Q_INVOKABLE void close() override;
    Q_INVOKABLE void open() override;
    Q_INVOKABLE void send(QByteArray datas) override;

    void initialization() override;
    void deinitialization() override;
    void io_loop() override;

signals:
    void connected_changed();
    // Emitted by close() once the I/O thread has ended; when a device error
    // closes the link, on the I/O thread itself, which then ends.
    void need_close();
    void break_enabled_changed();
    void dtr_changed();
    void rts_changed();

public slots:
    void onBreakEnabledChanged(bool set);
    void onDTRChanged(bool set);
    void onRTSChanged(bool set);

private:
    friend class DebugSerialIOSlotsObj;
    enum Line { Break, Dtr, Rts, LineCount };

    void configure_and_open();
    void on_ready_read();
    void on_error(QSerialPort::SerialPortError error);
    // The property write rule; the port is only touched on the I/O thread.
    void write_line(Line line, bool value);
    void apply_line(Line line, bool value);
    bool port_line(Line line) const;
    void set_port_line(Line line, bool value);
    void emit_line_changed(Line line);
    void follow_port(Line line, bool set);

    DebugSerialIOSlotsObj *slots_obj_ = nullptr;
    QSerialPort *device_ = nullptr;
    GuardedValue<QString> port_;
    GuardedValue<QString> baud_;
    GuardedValue<QString> databits_;
    GuardedValue<QString> stopbits_;
    GuardedValue<QString> flow_control_;
    GuardedValue<QString> parity_;
    std::atomic<bool> lines_[LineCount] = {};
};

#endif

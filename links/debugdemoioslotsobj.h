#ifndef DEBUGDEMOIOSLOTSOBJ_H
#define DEBUGDEMOIOSLOTSOBJ_H

#include <QByteArray>
#include <QObject>

class DebugDemo;

// The demo's generators, driven by its timers on the link's I/O thread.
// The counters start again at every opening.
class DebugDemoIOSlotsObj : public QObject
{
    Q_OBJECT
public:
    explicit DebugDemoIOSlotsObj(DebugDemo *owner);

public slots:
    void onTickTimeoutSlot();
    void readyReadZazuZavuvSlot();
    void readyReadZazuZavuvPicSlot();
    void readyReadZezoRovarSlot();
    void readyReadZezoRovarPicSlot();

private:
    enum Format { Zezo, Zazu };

    void data_period(Format format);
    void picture_period(Format format);
    QByteArray next_sample(Format format);
    QByteArray next_csv(Format format);

    DebugDemo *owner_;
    quint64 elapsed_ms = 0;
    quint64 csv_index = 0;
    quint64 picture_index = 0;
};

#endif

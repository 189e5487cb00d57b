#ifndef TERMINATIONSIGNALS_H
#define TERMINATIONSIGNALS_H

#include <QObject>

class QSocketNotifier;

// Turns the requests to end the process that come from outside (SIGTERM
// when the desktop session ends, SIGINT, SIGHUP; on Windows the console's
// close and log-off events) into one signal on the UI thread, so the
// program can save its state as if the user had closed the window.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    // Emitted once per request; further requests while one is being
    // handled arrive as further emissions, which receivers may ignore.
    void requested(int signal_number);

private:
    void read_pipe();
    QSocketNotifier *notifier_ = nullptr;
};

#endif

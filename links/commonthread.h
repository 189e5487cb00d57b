#ifndef COMMONTHREAD_H
#define COMMONTHREAD_H

#include <QThread>

// A thread that runs one plain function with one untyped argument.
class CommonThread : public QThread
{
    Q_OBJECT
public:
    using Routine = void (*)(void *);

    explicit CommonThread(QObject *parent = nullptr);
    CommonThread(Routine routine, void *arg, QObject *parent = nullptr);

    bool set_routine_arg(void *arg);
    bool set_thread_routine(Routine routine);
    bool start_routine();

protected:
    void run() override;

private:
    Routine thread_routine_ = nullptr;
    void *routine_arg_ = nullptr;
};

#endif

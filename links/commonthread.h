#ifndef COMMONTHREAD_H
#define COMMONTHREAD_H

#include <QThread>
#include <atomic>

// A thread that runs one plain function with one untyped argument.
//
// The owner learns that the routine has ended through running() and join()
// rather than QThread's isRunning() and wait(): those synchronise inside the
// Qt library only, so ThreadSanitizer could not see that what the routine
// did is complete when they say so.
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

    // False once the routine has ended; everything it did is then visible
    // to the caller.
    bool running() const;
    // Waits up to ms for the routine to end; true when it has ended.
    bool join(unsigned long ms = ULONG_MAX);

protected:
    void run() override;

private:
    Routine thread_routine_ = nullptr;
    void *routine_arg_ = nullptr;
    // The thread counts its ended runs with release, running() reads them
    // with acquire.
    std::atomic<unsigned> started_runs_{0};
    std::atomic<unsigned> ended_runs_{0};
};

#endif

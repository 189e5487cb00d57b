#include "commonthread.h"

#include <QDebug>

CommonThread::CommonThread(QObject *parent)
    : QThread(parent)
{
}

CommonThread::CommonThread(Routine routine, void *arg, QObject *parent)
    : QThread(parent), thread_routine_(routine), routine_arg_(arg)
{
}

bool CommonThread::set_routine_arg(void *arg)
{
    if (running()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    routine_arg_ = arg;
    return true;
}

bool CommonThread::set_thread_routine(Routine routine)
{
    if (running()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    thread_routine_ = routine;
    return true;
}

bool CommonThread::start_routine()
{
    if (running()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    if (!thread_routine_) {
        qDebug() << tr("thread_routine未设置！");
        return false;
    }
    // The routine has ended, but QThread may still be finishing the run;
    // start() would do nothing until it has.
    wait();
    started_runs_.fetch_add(1, std::memory_order_relaxed);
    start(QThread::InheritPriority);
    return true;
}

bool CommonThread::running() const
{
    return ended_runs_.load(std::memory_order_acquire) != started_runs_.load(std::memory_order_relaxed);
}

bool CommonThread::join(unsigned long ms)
{
    // QThread ends a run only after run() has returned, so once wait()
    // succeeds the count says so.
    return wait(ms) && !running();
}

void CommonThread::run()
{
    if (thread_routine_)
        thread_routine_(routine_arg_);
    else
        qDebug() << "set thread_routine_ fisrt.";
    ended_runs_.fetch_add(1, std::memory_order_release);
}

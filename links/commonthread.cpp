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
    if (isRunning()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    routine_arg_ = arg;
    return true;
}

bool CommonThread::set_thread_routine(Routine routine)
{
    if (isRunning()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    thread_routine_ = routine;
    return true;
}

bool CommonThread::start_routine()
{
    if (isRunning()) {
        qDebug() << tr("线程正忙！");
        return false;
    }
    if (!thread_routine_) {
        qDebug() << tr("thread_routine未设置！");
        return false;
    }
    start(QThread::InheritPriority);
    return true;
}

void CommonThread::run()
{
    if (thread_routine_)
        thread_routine_(routine_arg_);
    else
        qDebug() << "set thread_routine_ fisrt.";
}

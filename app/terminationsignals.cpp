#include "terminationsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <QMetaObject>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
TerminationSignals *g_instance = nullptr;
#ifndef Q_OS_WIN
// The handler may only write to a descriptor; the UI thread reads the
// signal number from the other end.
int g_pipe[2] = {-1, -1};

void on_signal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    const ssize_t unused = ::write(g_pipe[0], &byte, 1);
    (void)unused;
}
#else
BOOL WINAPI on_console_event(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT
        && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT)
        return FALSE;
    if (g_instance)
        QMetaObject::invokeMethod(g_instance, "requested", Qt::QueuedConnection, Q_ARG(int, int(event)));
    return TRUE;
}
#endif
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    g_instance = this;
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(on_console_event, TRUE);
#else
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    ::fcntl(g_pipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    ::fcntl(g_pipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_pipe[1], F_SETFD, FD_CLOEXEC);
    notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::read_pipe);
    struct sigaction action{};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
#endif
}

TerminationSignals::~TerminationSignals()
{
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(on_console_event, FALSE);
#else
    struct sigaction action{};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
    if (g_pipe[0] >= 0) {
        delete notifier_;
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
#endif
    g_instance = nullptr;
}

void TerminationSignals::read_pipe()
{
#ifndef Q_OS_WIN
    unsigned char byte = 0;
    while (::read(g_pipe[1], &byte, 1) == 1)
        emit requested(byte);
#endif
}

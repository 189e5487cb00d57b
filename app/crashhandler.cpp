#include "crashhandler.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <windows.h>
#include <dbghelp.h>

namespace {

LONG WINAPI exception_filter(EXCEPTION_POINTERS *pointers)
{
    QDir().mkpath(QStringLiteral("./dmp/"));
    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss")) + ".dmp";
    const QString path = QStringLiteral("./dmp/") + name;
    const EXCEPTION_RECORD *record = pointers->ExceptionRecord;
    qDebug() << "errCode: " + QString::number(record->ExceptionCode, 16);
    qDebug() << "errAddr: " + QString::number(reinterpret_cast<quintptr>(record->ExceptionAddress), 16);
    qDebug() << "errFlag: " + QString::number(record->ExceptionFlags, 16);
    qDebug() << "errPara: " + QString::number(record->NumberParameters, 16);
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        qDebug() << "hDumpFile == null";
        return EXCEPTION_EXECUTE_HANDLER;
    }
    MINIDUMP_EXCEPTION_INFORMATION info;
    info.ThreadId = GetCurrentThreadId();
    info.ExceptionPointers = pointers;
    info.ClientPointers = TRUE;
    MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &info, nullptr, nullptr);
    CloseHandle(file);
    return EXCEPTION_EXECUTE_HANDLER;
}

}

void CrashHandler::install()
{
    SetUnhandledExceptionFilter(exception_filter);
}

#else

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Everything the handler needs is prepared at install time: it may only use
// async-signal-safe calls.
long g_utc_offset = 0;
const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
char g_alt_stack[64 * 1024];

struct Writer {
    char buf[512];
    size_t len = 0;
    void put(const char *s) { while (*s && len < sizeof buf) buf[len++] = *s++; }
    void num(unsigned long long v, int base, int width)
    {
        char tmp[32];
        int n = 0;
        do {
            tmp[n++] = "0123456789abcdef"[v % unsigned(base)];
            v /= unsigned(base);
        } while (v && n < 32);
        while (n < width && n < 32)
            tmp[n++] = '0';
        while (n && len < sizeof buf)
            buf[len++] = tmp[--n];
    }
    void flush(int fd)
    {
        size_t off = 0;
        while (off < len) {
            const ssize_t w = ::write(fd, buf + off, len - off);
            if (w <= 0 && errno != EINTR)
                break;
            if (w > 0)
                off += size_t(w);
        }
        len = 0;
    }
};

// Civil date from days since 1970-01-01 (proleptic Gregorian).
void civil_from_days(long long z, int &y, unsigned &m, unsigned &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = (long long)yoe + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = int(yy + (m <= 2));
}

const char *signal_name(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

void crash_handler(int sig, siginfo_t *info, void *)
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long local = (long long)now.tv_sec + g_utc_offset;
    long long days = local / 86400;
    long long secs = local % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    int year = 0;
    unsigned month = 0, day = 0;
    civil_from_days(days, year, month, day);

    Writer path;
    path.put("./dmp/");
    path.num((unsigned long long)year, 10, 4);
    path.put("_");
    path.num(month, 10, 2);
    path.put("_");
    path.num(day, 10, 2);
    path.put("_");
    path.num((unsigned long long)(secs / 3600), 10, 2);
    path.put("_");
    path.num((unsigned long long)(secs / 60 % 60), 10, 2);
    path.put("_");
    path.num((unsigned long long)(secs % 60), 10, 2);
    path.put(".dmp");
    path.buf[path.len < sizeof path.buf ? path.len : sizeof path.buf - 1] = '\0';

    ::mkdir("./dmp", 0755);
    const int fd = ::open(path.buf, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        Writer w;
        w.put("signal: ");
        w.put(signal_name(sig));
        w.put(" (");
        w.num((unsigned long long)sig, 10, 1);
        w.put(")\nfault address: 0x");
        w.num((unsigned long long)(uintptr_t)(info ? info->si_addr : nullptr), 16, 1);
        w.put("\nsignal code: ");
        w.num((unsigned long long)(info ? (unsigned)info->si_code : 0u), 10, 1);
        w.put("\nbacktrace:\n");
        w.flush(fd);
        void *frames[64];
        const int n = backtrace(frames, 64);
        backtrace_symbols_fd(frames, n, fd);
        ::close(fd);
    } else {
        static const char msg[] = "hDumpFile == null\n";
        (void)::write(STDERR_FILENO, msg, sizeof msg - 1);
    }
    // SA_RESETHAND restored the default action: die by the same signal.
    raise(sig);
}

}

void CrashHandler::install()
{
    tzset();
    const time_t t = time(nullptr);
    struct tm tmv {};
    localtime_r(&t, &tmv);
    g_utc_offset = tmv.tm_gmtoff;

    // backtrace() loads its unwinder on first use; do that now, not in the
    // handler.
    void *warm[2];
    backtrace(warm, 2);

    stack_t ss {};
    ss.ss_sp = g_alt_stack;
    ss.ss_size = sizeof g_alt_stack;
    sigaltstack(&ss, nullptr);

    struct sigaction sa {};
    sa.sa_sigaction = crash_handler;
    sa.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int sig : kSignals)
        sigaction(sig, &sa, nullptr);
}

#endif

#ifndef CRASHHANDLER_H
#define CRASHHANDLER_H

// Writes a crash report into "./dmp/" named after the local time of the
// fault ("yyyy_MM_dd_hh_mm_ss.dmp"). On Windows a minidump through the
// top-level exception filter; elsewhere a text report (signal, fault
// address, backtrace) from a handler of the fatal signals.
class CrashHandler
{
public:
    static void install();
};

#endif

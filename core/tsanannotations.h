#ifndef TSANANNOTATIONS_H
#define TSANANNOTATIONS_H

// Hand-overs that ThreadSanitizer cannot see, because they go through the
// uninstrumented Qt library (its mutexes, its event queues, QThread::wait):
// the sender marks QELO_HAPPENS_BEFORE(addr) once its writes are done, the
// receiver QELO_HAPPENS_AFTER(addr) before it reads. Both do nothing in
// builds without ThreadSanitizer.

#if defined(__SANITIZE_THREAD__)
#define QELO_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QELO_UNDER_TSAN 1
#endif
#endif

#ifdef QELO_UNDER_TSAN
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#define QELO_HAPPENS_BEFORE(addr) __tsan_release(static_cast<void *>(addr))
#define QELO_HAPPENS_AFTER(addr) __tsan_acquire(static_cast<void *>(addr))
#else
#define QELO_HAPPENS_BEFORE(addr) static_cast<void>(addr)
#define QELO_HAPPENS_AFTER(addr) static_cast<void>(addr)
#endif

#endif

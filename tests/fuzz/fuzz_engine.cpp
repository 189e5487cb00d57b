#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine_interface/dataengineinterface.h"

// Feeds the input to one engine the way the hub does, in chunks whose sizes
// come from the input's first bytes, and checks the contract on every call.
namespace {
DataEngineInterface *engine = nullptr;
QPluginLoader *loader = nullptr; // kept for the whole run

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "contract broken: %s\n", what);
    std::abort();
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    const QString dir = QFileInfo(QString::fromLocal8Bit((*argv)[0])).absolutePath() + "/../plugins/dataengines/";
    loader = new QPluginLoader(dir + QELO_FUZZ_ENGINE);
    engine = qobject_cast<DataEngineInterface *>(loader->instance());
    if (!engine)
        fail(qPrintable(loader->errorString()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int chunk = 1 + data[0] * 37;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const int length = int(size - 1);
    QByteArray buffer;
    for (int at = 0; at < length || !buffer.isEmpty();) {
        const int n = std::min(chunk, length - at);
        if (n <= 0)
            break;
        buffer.append(bytes + at, n);
        at += n;
        engine->process(buffer.constData(), buffer.size());
        int prev = -1;
        for (const Frame *f : engine->frames) {
            if (!f || f->start <= prev || f->start > f->end || f->end >= buffer.size())
                fail("frame outside the buffer or out of order");
            if (f->batch < 0 || f->batch > f->end - f->start + 1)
                fail("batch larger than its frame");
            if (f->values.size() > 4096)
                fail("unbounded row");
            prev = f->end;
        }
        for (const Image *img : engine->images)
            if (!img || img->size > img->data.size())
                fail("image record larger than its bytes");
        if (engine->images.size() > 64)
            fail("unbounded image list");
        if (prev >= 0)
            buffer.remove(0, prev + 1);
    }
    return 0;
}

#include <QCoreApplication>
#include <QFileInfo>
#include <QDateTime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "datahub.h"
#include "runpath.h"

// The hub's whole decoding pass: engine chosen by the first byte, chunk size
// by the second, then text buffer, rows and images as the program runs them.
namespace {
DataHub *hub = nullptr;
QStringList names;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    RunPath::set(QFileInfo(QString::fromLocal8Bit((*argv)[0])).absolutePath() + "/..");
    hub = new DataHub;
    hub->set_size(1000);
    hub->data_engine_loader()->loadEngines();
    names = hub->data_engine_loader()->name_list();
    if (names.isEmpty()) {
        std::fprintf(stderr, "no engines found\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    DataEngineLoader *loader = hub->data_engine_loader();
    loader->selectEngine(data[0] % names.size());
    hub->set_is_hide_wave_text(data[1] & 1);
    hub->set_is_hide_image_text(data[1] & 2);
    const int chunk = 1 + (data[1] >> 2) * 61;
    const char *bytes = reinterpret_cast<const char *>(data + 2);
    const int length = int(size - 2);
    const QDateTime now = QDateTime::currentDateTime();
    for (int at = 0; at < length; at += chunk)
        hub->PutReceivedData(bytes + at, std::min(chunk, length - at), now);
    hub->lockDatas();
    if (hub->num_lines() > DataHub::kMaxChannels || hub->effective_size() > hub->size())
        std::abort();
    for (int c = 0; c < hub->num_lines(); ++c)
        hub->value(c, 3);
    hub->unlockDatas();
    if (hub->image_count() > 0)
        hub->image(data[0] % hub->image_count());
    return 0;
}

#ifndef ENGINEHARNESS_H
#define ENGINEHARNESS_H

#include <QByteArray>
#include <QPluginLoader>
#include <QRandomGenerator>
#include <QVector>
#include <vector>

#include "engine_interface/dataengineinterface.h"

// Drives a shipped engine plug-in the way the hub does: the whole
// unconsumed buffer each call, bytes up to the last frame's end consumed.
// Collects what came out so runs with different chunkings can be compared.
struct Decoded {
    QByteArray gap;      // undecoded bytes before the frame
    QByteArray bytes;    // the frame's bytes
    int batch = 0;
    bool wave = false;
    std::vector<float> values;
    bool operator==(const Decoded &o) const
    {
        if (gap != o.gap || bytes != o.bytes || batch != o.batch || wave != o.wave
            || values.size() != o.values.size())
            return false;
        for (size_t i = 0; i < values.size(); ++i)
            if (!(values[i] == o.values[i] || (values[i] != values[i] && o.values[i] != o.values[i])))
                return false;
        return true;
    }
};

class EngineHarness
{
public:
    explicit EngineHarness(const QString &name)
    {
        loader_.setFileName(qEnvironmentVariable("QELO_BUILD_DIR") + "/plugins/dataengines/" + name);
        if (QObject *root = loader_.instance())
            engine_ = qobject_cast<DataEngineInterface *>(root);
    }
    DataEngineInterface *engine() const { return engine_; }

    // Feeds stream in chunks of the given sizes (cycled); 0 = all at once.
    std::vector<Decoded> run(const QByteArray &stream, const std::vector<int> &chunks = {0})
    {
        std::vector<Decoded> out;
        QByteArray buffer;
        int at = 0;
        size_t k = 0;
        while (at < stream.size()) {
            int n = chunks[k++ % chunks.size()];
            if (n <= 0)
                n = stream.size();
            n = std::min(n, stream.size() - at);
            buffer.append(stream.constData() + at, n);
            at += n;
            pass(buffer, out);
        }
        rest = buffer;
        return out;
    }

    // Random cut points, reproducible from the seed.
    std::vector<Decoded> run_random(const QByteArray &stream, quint32 seed, int max_chunk)
    {
        QRandomGenerator gen(seed);
        std::vector<int> chunks;
        for (int i = 0; i < 4096; ++i)
            chunks.push_back(1 + int(gen.bounded(quint32(max_chunk))));
        return run(stream, chunks);
    }

    QByteArray rest; // unconsumed bytes after the last run

private:
    void pass(QByteArray &buffer, std::vector<Decoded> &out)
    {
        engine_->process(buffer.constData(), buffer.size());
        int prev = -1;
        for (const Frame *f : engine_->frames) {
            Decoded d;
            d.gap = buffer.mid(prev + 1, f->start - prev - 1);
            d.bytes = buffer.mid(f->start, f->end - f->start + 1);
            d.batch = f->batch;
            d.wave = f->wave;
            d.values = f->values;
            out.push_back(d);
            prev = f->end;
        }
        if (prev >= 0)
            buffer.remove(0, prev + 1);
    }

    QPluginLoader loader_;
    DataEngineInterface *engine_ = nullptr;
};

#endif

#ifndef SCRIPTEDENGINE_H
#define SCRIPTEDENGINE_H

#include <QObject>
#include <deque>
#include <vector>

#include "engine_interface/dataengineinterface.h"

// A test engine whose next answer is set by the test: the frames (and
// images) it reports from its next process() call. It records what the host
// passed in.
class ScriptedEngine : public QObject, public DataEngineInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DataEngineInterface_iid)
    Q_INTERFACES(DataEngineInterface)
public:
    void process(const char *data, int length) override
    {
        seen.assign(data, data + length);
        ++calls;
        frames.clear();
        answer = next;
        for (Frame &f : answer)
            frames.append(&f);
        next.clear();
        if (add_image) {
            image_pool.emplace_back();
            images.append(&image_pool.back());
            add_image = false;
        }
    }

    std::vector<Frame> next;
    std::vector<Frame> answer;
    std::vector<char> seen;
    std::deque<Image> image_pool;
    bool add_image = false;
    int calls = 0;
};

#endif

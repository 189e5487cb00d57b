#include <QObject>

#include "engine_interface/dataengineinterface.h"

// Reports every received byte as one text frame.
class GoodEngine : public QObject, public DataEngineInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DataEngineInterface_iid)
    Q_INTERFACES(DataEngineInterface)
public:
    void process(const char *, int length) override
    {
        frames.clear();
        if (length <= 0)
            return;
        frame_.start = 0;
        frame_.end = length - 1;
        frames.append(&frame_);
    }

private:
    Frame frame_;
};

#include "goodengine.moc"

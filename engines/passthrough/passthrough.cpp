#include <QObject>

#include "../enginerecords.h"

// Everything received is one text frame per call: a plain terminal.
class Passthrough : public QObject, public DataEngineInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DataEngineInterface_iid FILE "Passthrough.json")
    Q_INTERFACES(DataEngineInterface)
public:
    void process(const char *, int length) override
    {
        records_.begin();
        if (length > 0)
            records_.add(0, length - 1, 0, false);
    }

private:
    EngineRecords records_{this};
};

#include "passthrough.moc"

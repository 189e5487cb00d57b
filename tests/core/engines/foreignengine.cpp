#include <QObject>
#include <QtPlugin>

// A plug-in built against some other interface: it loads, but is no engine.
class ForeignInterface
{
public:
    virtual ~ForeignInterface() = default;
    virtual int answer() = 0;
};
#define ForeignInterface_iid "Some.Other.Plugin.Interface"
Q_DECLARE_INTERFACE(ForeignInterface, ForeignInterface_iid)

class ForeignEngine : public QObject, public ForeignInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ForeignInterface_iid)
    Q_INTERFACES(ForeignInterface)
public:
    int answer() override { return 42; }
};

#include "foreignengine.moc"

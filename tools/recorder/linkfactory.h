#ifndef LINKFACTORY_H
#define LINKFACTORY_H

#include <QObject>
#include <QString>

#include "recordoptions.h"

class DataHub;

// Creates the link that options name, with its parameters set as the main
// window sets them, and its hub. Not yet opened.
class LinkFactory
{
public:
    static QObject *create(const RecordOptions &options, DataHub *hub, QString *error);
};

#endif

#include "datahub.h"

void DataHub::decode_pass(const QDateTime &receive_time)
{
    Q_UNUSED(receive_time)
    if (!engine_loader_.engine())
        return;
}

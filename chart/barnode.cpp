#include "barnode.h"

#include <QDebug>

void BarNode::resize(int k)
{
    if (k < 0)
        k = 0;
    if (k == count)
        return;
    datas_.assign(size_t(k), 0.0);
    pixel_tops.assign(size_t(k), 0.0);
    count = k;
}

void BarNode::set(int i, double v)
{
    if (i < 0 || size_t(i) >= datas_.size()) {
        qDebug() << "BarNode - datas_.length() <= index";
        return;
    }
    datas_[size_t(i)] = v;
}

#include "configfiles.h"

#include "myapplication.h"

const MyApplication &ConfigFiles::get()
{
    // Never destroyed, like the other process-wide objects.
    static const MyApplication *files = new MyApplication(static_cast<QGuiApplication *>(nullptr));
    return *files;
}

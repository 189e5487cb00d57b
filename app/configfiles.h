#ifndef CONFIGFILES_H
#define CONFIGFILES_H

class MyApplication;

// The configuration-file operations of MyApplication for objects that the
// UI creates before (or without) the process-wide application object: the
// language switcher and the windows read and write their small setting
// files through this one screenless instance.
class ConfigFiles
{
public:
    static const MyApplication &get();
};

#endif

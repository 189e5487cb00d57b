#include "recorder.h"

int main(int argc, char *argv[])
{
    return Recorder::main(argc, argv);
}

#ifndef STARTUP_H
#define STARTUP_H

// The process start-up: creates the application, registers the types,
// creates the process-wide objects, shows the splash and then the main
// scene, and runs the event loop.
//
// Options beyond Qt's own: "--screenshot FILE" saves a picture of the main
// window once it is shown, prints the path and ends the program (used on
// machines without a display).
class Startup
{
public:
    static int run(int argc, char *argv[]);
};

#endif

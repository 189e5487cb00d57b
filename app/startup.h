#ifndef STARTUP_H
#define STARTUP_H

// The process start-up: creates the application, registers the types,
// creates the process-wide objects, shows the splash and then the main
// scene, and runs the event loop.
//
// Options beyond Qt's own: "--screenshot FILE" saves a picture of the main
// window once it is shown, prints the path and ends the program (used on
// machines without a display).
class DataHub;
class DynTranslator;
class MyApplication;
class QQmlApplicationEngine;

class Startup
{
public:
    static int run(int argc, char *argv[]);
    // Gives the main scene's engine the context properties, image providers
    // and import path the documents rely on.
    static void publish(QQmlApplicationEngine *engine, DataHub *hub, DynTranslator *translator,
                        MyApplication *myapp);
};

#endif

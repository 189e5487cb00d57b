#ifndef TYPEREGISTRY_H
#define TYPEREGISTRY_H

// Registers every logic type with the QML type system, in the fixed order
// the UI modules expect, plus the window revisions.
class TypeRegistry
{
public:
    static void registerAll();
};

#endif

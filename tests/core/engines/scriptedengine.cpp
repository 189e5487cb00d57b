#include "scriptedengine.h"

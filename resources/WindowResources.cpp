// Window bundle (emblems, portraits, legend swatches, spectrum picture under
// ":/gfx/"). Registered by registerWindowResources() before main, after the
// scene bundle; unregisterWindowResources() runs at exit, before the scene's.
#define qInitResources_windowResources registerWindowResources
#define qCleanupResources_windowResources unregisterWindowResources
#include "qrc_windowResources.cpp"

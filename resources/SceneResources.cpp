// Scene bundle (":/shaders/", scene textures under ":/gfx/"). The rcc output's
// static initialiser runs registerSceneResources() before main and installs
// unregisterSceneResources() as its exit-time counterpart.
#define qInitResources_sceneResources registerSceneResources
#define qCleanupResources_sceneResources unregisterSceneResources
#include "qrc_sceneResources.cpp"

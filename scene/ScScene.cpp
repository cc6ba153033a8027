#include "scene/ScScene.h"

ScScene::~ScScene() = default;

void ScScene::initialize()
{
}

void ScScene::render()
{
}

void ScScene::rotateCamera(const QVector2D &)
{
}

void ScScene::resize(float, float)
{
}

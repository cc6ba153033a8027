#pragma once

#include <QMainWindow>

// The presentation window. Minimal for now: the global instance and the set-up entry
// point that the GL widget calls after the scene's first initialisation.
class SceneWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit SceneWindow(QWidget *parent = nullptr);
    ~SceneWindow() override;

    void applySetup(bool twoPrisms);

    static SceneWindow *instance;
};

#pragma once

#include <QMainWindow>

#include <memory>

class AuthorsWindow;
class SceneWindow;
struct MenuWindowUi;

// The start window: Presentation opens the scene window, Authors the authors page, Exit
// quits. Owns its form record.
class MenuWindow : public QMainWindow
{
    Q_OBJECT

public:
    MenuWindow();
    ~MenuWindow() override;

    // Builds the form and connects the three buttons; called once, before the first show.
    void initialize(SceneWindow *sceneWindow, AuthorsWindow *authorsWindow);

private:
    std::unique_ptr<MenuWindowUi> ui;
};

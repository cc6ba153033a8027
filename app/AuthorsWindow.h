#pragma once

#include <QMainWindow>

#include <memory>

class MenuWindow;
struct AuthorsWindowUi;

// The authors page; its Menu button returns to the menu. Owns its form record.
class AuthorsWindow : public QMainWindow
{
    Q_OBJECT

public:
    AuthorsWindow();
    ~AuthorsWindow() override;

    // Builds the form and connects the Menu button; called once, before the first show.
    void initialize(MenuWindow *menuWindow);

private:
    std::unique_ptr<AuthorsWindowUi> ui;
};

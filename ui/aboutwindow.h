#pragma once

#include <QDialog>

class QLabel;

// The About window: the program's name and version, shown modally over the main window.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow();

    // Centres the window on the owner and shows it modally; the call returns at once and
    // the window blocks the others until its close box is used.
    void showCentredOn(const QWidget* owner);

    QLabel* nicknameShadow;  // nickname, white, one pixel below and right: the raised look
    QLabel* nicknameLabel;   // nickname, black, on top
    QLabel* titleLabel;      // program name
    QLabel* contactLabel;    // contact line
    QLabel* versionLabel;    // version
};

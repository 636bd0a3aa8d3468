#pragma once

#include <QWidget>

// The Floyd–Steinberg settings window: the black threshold and the mode.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    TForm5();
};

extern TForm5* Form5;

#pragma once

#include <QWidget>

// The thresholds window: nine track bars that tune the threshold conversion.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4();
};

extern TForm4* Form4;

#pragma once

#include <QWidget>

// The chunk settings window: the reference colours of the 16 chunk patterns, the
// distance measure and the toning.
class TChank_config : public QWidget {
    Q_OBJECT
public:
    TChank_config();
};

extern TChank_config* Chank_config;

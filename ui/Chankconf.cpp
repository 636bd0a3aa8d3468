#include "ui/Chankconf.h"

#include "ui/Main.h"
#include "ui/ToolWindow.h"

TChank_config* Chank_config = nullptr;

TChank_config::TChank_config() : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("Chank_config"));
    setWindowTitle(QStringLiteral("Настройка"));
    setFixedSize(345, 660);
    centreOn(this, Form1);
}

tovik::ChunkSettings TChank_config::readSettings() { return {}; }

void TChank_config::FormCreate() {}
void TChank_config::ReadReferenceColours() {}
void TChank_config::UpdateColourShapes() {}
void TChank_config::ResetReferenceColours() {}
void TChank_config::Button1Click() {}
void TChank_config::Button2Click() {}
void TChank_config::Button3Click() {}

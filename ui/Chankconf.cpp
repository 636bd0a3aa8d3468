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

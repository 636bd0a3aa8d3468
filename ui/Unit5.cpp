#include "ui/Unit5.h"

#include "ui/Main.h"
#include "ui/ToolWindow.h"

TForm5* Form5 = nullptr;

TForm5::TForm5() : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Флойд Стеинберг"));
    setFixedSize(325, 118);
    centreOn(this, Form1);
}

tovik::FloydSteinbergSettings TForm5::settings() const { return {}; }

void TForm5::TrackBar1Change() {}
void TForm5::Button2Click() {}
void TForm5::Button1Click() {}

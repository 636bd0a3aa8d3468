#include "ui/Unit4.h"

#include "ui/Main.h"
#include "ui/ToolWindow.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Пороги"));
    setFixedSize(431, 535);
    centreOn(this, Form1);
}

tovik::ThresholdSettings TForm4::settings() const { return {}; }

void TForm4::TrackBarChange(int) {}
void TForm4::ShapeContextPopup(int) {}
void TForm4::Button1Click() {}
void TForm4::Button2Click() {}
void TForm4::Button3Click() {}

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

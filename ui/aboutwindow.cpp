#include "ui/aboutwindow.h"

#include <QLabel>
#include <algorithm>

#include "tovik_version.h"
#include "ui/application.h"
#include "ui/toolwindow.h"

namespace {

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, int pixelSize,
                    QRgb colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    if (pixelSize > 0) {
        font.setPixelSize(pixelSize);
    }
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    label->setPalette(colours);
    label->adjustSize();
    return label;
}

void centreHorizontally(QLabel* label, int clientWidth, int top) {
    label->move((clientWidth - label->width()) / 2, top);
}

}  // namespace

AboutWindow::AboutWindow()
    : QDialog(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("О программе"));
    constexpr int kWidth = 226, kHeight = 101;
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(0xFFC0C0C0));
    setPalette(silver);
    setAutoFillBackground(true);

    const QString nickname = QStringLiteral("Tovik");
    nicknameShadow = makeCaption(this, "Label1", nickname, 13, 0xFFFFFFFF);
    nicknameLabel = makeCaption(this, "Label2", nickname, 13, 0xFF000000);
    titleLabel =
        makeCaption(this, "Label3", QString::fromLatin1(Application::kTitle), 0, 0xFF000000);
    contactLabel =
        makeCaption(this, "Label4", QStringLiteral("Отзывы — на странице проекта"), 10, 0xFF000000);
    versionLabel = makeCaption(this, "Label5", QStringLiteral("v " TOVIK_VERSION), 0, 0xFF000000);
    // Every line shows whole: the window grows past its usual width if a font needs it,
    // and the nickname moves with the centre.
    int widest = 0;
    for (const QLabel* label : {nicknameShadow, titleLabel, contactLabel, versionLabel}) {
        widest = std::max(widest, label->width());
    }
    const int width = std::max(kWidth, widest + 16);
    setFixedSize(width, kHeight);
    const int shift = (width - kWidth) / 2;
    nicknameShadow->move(73 + shift, 5);
    nicknameLabel->move(72 + shift, 4);
    centreHorizontally(titleLabel, width, 26);
    centreHorizontally(contactLabel, width, 50);
    centreHorizontally(versionLabel, width, 76);
}

void AboutWindow::showCentredOn(const QWidget* owner) {
    setWindowModality(Qt::ApplicationModal);
    show();
    centreOn(this, owner);
    raise();
    activateWindow();
}

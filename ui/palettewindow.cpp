#include "ui/palettewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/toolwindow.h"

using namespace tovik;

namespace {

// The kernels' captions, in the order of DiffusionKernel.
const char* const kKernelCaptions[] = {
    "Флойд–Стейнберг", "Джарвис–Джудис–Нинке", "Стаки",       "Бёркс",
    "Сьерра",          "Сьерра, две строки",   "Сьерра Лайт", "Аткинсон",
};

constexpr int kMatrixSides[] = {2, 4, 8};

}  // namespace

PaletteWindow::PaletteWindow(const QWidget* owner) {
    setObjectName(QStringLiteral("PaletteWindow"));
    setWindowTitle(QStringLiteral("Палитра"));
    auto* form = new QFormLayout;

    methodBox = new QComboBox(this);
    methodBox->setObjectName(QStringLiteral("MethodBox"));
    methodBox->addItems({QStringLiteral("Диффузия"), QStringLiteral("Упорядоченный")});
    form->addRow(QStringLiteral("Способ"), methodBox);

    kernelBox = new QComboBox(this);
    kernelBox->setObjectName(QStringLiteral("KernelBox"));
    for (const char* caption : kKernelCaptions) {
        kernelBox->addItem(QString::fromUtf8(caption));
    }
    form->addRow(QStringLiteral("Ядро"), kernelBox);

    serpentineBox = new QCheckBox(QStringLiteral("Змейкой"), this);
    serpentineBox->setObjectName(QStringLiteral("SerpentineBox"));
    serpentineBox->setChecked(tovik::DiffusionSettings{}.serpentine);
    form->addRow(QString(), serpentineBox);

    refineBox = new QCheckBox(tr("Уточнить"), this);
    refineBox->setObjectName(QStringLiteral("RefineBox"));
    form->addRow(QString(), refineBox);

    strengthBar = new QSlider(Qt::Horizontal, this);
    strengthBar->setObjectName(QStringLiteral("StrengthBar"));
    strengthBar->setRange(0, 100);
    strengthBar->setValue(DiffusionSettings{}.strength);
    strengthBox = makeValueSpinBox(this, strengthBar, QStringLiteral("StrengthBox"), {});
    strengthBox->setSuffix(QStringLiteral(" %"));
    auto* strengthRow = new QHBoxLayout;
    strengthRow->addWidget(strengthBar, 1);
    strengthRow->addWidget(strengthBox);
    form->addRow(QStringLiteral("Сила"), strengthRow);

    matrixBox = new QComboBox(this);
    matrixBox->setObjectName(QStringLiteral("MatrixBox"));
    for (int side : kMatrixSides) {
        matrixBox->addItem(QStringLiteral("%1 × %1").arg(side));
    }
    matrixBox->setCurrentIndex(1);  // 4 x 4
    form->addRow(QStringLiteral("Матрица"), matrixBox);

    makeLiveBox(true, {});
    makePreviewButton("PreviewButton", {});
    makeOkButton("OkButton", QStringLiteral("Ок"), {});
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(liveBox);
    buttons->addStretch(1);
    buttons->addWidget(previewButton);
    buttons->addWidget(okButton);

    makePresetButtons({}, {});
    auto* presetRow = new QHBoxLayout;
    presetRow->addWidget(savePresetButton);
    presetRow->addWidget(loadPresetButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(presetRow);
    layout->addLayout(buttons);

    connect(methodBox, &QComboBox::currentIndexChanged, this, &PaletteWindow::showMethod);
    for (QComboBox* box : {methodBox, kernelBox, matrixBox}) {
        connect(box, &QComboBox::currentIndexChanged, this, &PaletteWindow::settingsChanged);
    }
    connect(serpentineBox, &QCheckBox::toggled, this, &PaletteWindow::settingsChanged);
    connect(refineBox, &QCheckBox::toggled, this, &PaletteWindow::settingsChanged);
    connect(strengthBar, &QSlider::valueChanged, this, &PaletteWindow::settingsChanged);
    connect(strengthBar, &QSlider::sliderReleased, this, &PaletteWindow::adjustmentFinished);
    methodBox->setToolTip(QStringLiteral(
        "Диффузия рассеивает ошибку цвета по соседям; упорядоченный — узор матрицы Байера"));
    kernelBox->setToolTip(QStringLiteral("Каким соседям и в каких долях передаётся ошибка"));
    serpentineBox->setToolTip(
        QStringLiteral("Строки по очереди слева направо и справа налево: меньше косых полос"));
    refineBox->setToolTip(
        tr("После диффузии программа ищет лучшее расположение точек: картинка "
           "уточняется в фоне за доли секунды, ход виден в строке состояния"));
    for (QWidget* strength : std::initializer_list<QWidget*>{strengthBar, strengthBox}) {
        strength->setToolTip(QStringLiteral(
            "Сила: какая доля ошибки цвета передаётся соседям (100 % — вся, 0 % — без "
            "рассеивания, ближайший цвет)"));
    }
    matrixBox->setToolTip(QStringLiteral("Размер узора: больше — больше оттенков, крупнее узор"));
    showMethod();
    adjustSize();
    centreOn(this, owner);
}

// Only the controls of the chosen method can be changed.
void PaletteWindow::showMethod() {
    const bool diffusion = methodBox->currentIndex() == 0;
    kernelBox->setEnabled(diffusion);
    serpentineBox->setEnabled(diffusion);
    refineBox->setEnabled(diffusion);
    strengthBar->setEnabled(diffusion);
    strengthBox->setEnabled(diffusion);
    matrixBox->setEnabled(!diffusion);
}

MethodSettings PaletteWindow::settings() const {
    if (methodBox->currentIndex() == 0) {
        DiffusionSettings diffusion;
        diffusion.kernel = static_cast<DiffusionKernel>(kernelBox->currentIndex());
        diffusion.serpentine = serpentineBox->isChecked();
        diffusion.strength = strengthBar->value();
        if (refineBox->isChecked()) {
            return SearchSettings{diffusion};
        }
        return diffusion;
    }
    return OrderedSettings{kMatrixSides[matrixBox->currentIndex()]};
}

void PaletteWindow::setSettings(const MethodSettings& settings) {
    const auto* search = std::get_if<SearchSettings>(&settings);
    if (const auto* diffusion =
            search != nullptr ? &search->start : std::get_if<DiffusionSettings>(&settings)) {
        methodBox->setCurrentIndex(0);
        refineBox->setChecked(search != nullptr);
        kernelBox->setCurrentIndex(static_cast<int>(diffusion->kernel));
        serpentineBox->setChecked(diffusion->serpentine);
        strengthBar->setValue(diffusion->strength);
    } else if (const auto* ordered = std::get_if<OrderedSettings>(&settings)) {
        methodBox->setCurrentIndex(1);
        const int side = orderedMatrixSide(ordered->matrix);
        matrixBox->setCurrentIndex(side == 2 ? 0 : side == 4 ? 1 : 2);
    }
}

bool PaletteWindow::applyMethod(const MethodSettings& method) {
    if (!usesPalette(method)) {
        return false;
    }
    setSettings(method);
    return true;
}

#include "appearance/colour_picker.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "appearance/appearance.h"
#include "appearance/cube_view.h"
#include "appearance/dialog_entries.h"

namespace tally {

namespace {

QString threeDigits(int value) {
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

QString captionOf(LookClass lookClass) {
    int position = dialogPositionOf(lookClass);
    return QString::fromUtf16(kDialogEntries[static_cast<std::size_t>(position)].caption)
        .simplified();
}

}  // namespace

ColourPicker::ColourPicker(Appearance& appearance, QWidget* parent)
    : QDialog(parent), m_appearance(appearance) {
    setObjectName(QStringLiteral("frmChooseColor"));
    auto* layout = new QGridLayout(this);

    auto* cubeFrame = new QGroupBox(QStringLiteral("RGB куб"), this);
    auto* cubeLayout = new QVBoxLayout(cubeFrame);
    m_cube = new CubeView(cubeFrame);
    m_cube->setObjectName(QStringLiteral("pctCube"));
    cubeLayout->addWidget(m_cube);
    layout->addWidget(cubeFrame, 0, 0, 2, 1);

    auto* side = new QVBoxLayout;
    auto* channels = new QGridLayout;
    auto channel = [&](int row, const QString& name, const char* objectName) {
        channels->addWidget(new QLabel(name, this), row, 0);
        auto* value = new QLabel(threeDigits(0), this);
        value->setObjectName(QString::fromLatin1(objectName));
        value->setFont(QFont(QStringLiteral("Courier New"), font().pointSize()));
        channels->addWidget(value, row, 1);
        return value;
    };
    m_red = channel(0, QStringLiteral("Красный"), "lblRed");
    m_green = channel(1, QStringLiteral("Зеленый"), "lblGreen");
    m_blue = channel(2, QStringLiteral("Синий"), "lblBlue");
    side->addLayout(channels);
    m_swatch = new QLabel(this);
    m_swatch->setFixedHeight(28);
    m_swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_swatch->setAutoFillBackground(true);
    side->addWidget(m_swatch);

    auto* revolveFrame = new QGroupBox(QStringLiteral("Вращение RGB куба"), this);
    auto* revolveLayout = new QVBoxLayout(revolveFrame);
    m_revolve = new QPushButton(QStringLiteral("Пуск"), revolveFrame);
    m_revolve->setObjectName(QStringLiteral("cmdRevolve"));
    revolveLayout->addWidget(m_revolve);
    side->addWidget(revolveFrame);
    side->addStretch();
    m_back = new QPushButton(QStringLiteral("Назад"), this);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    side->addWidget(m_back);
    auto* ok = new QPushButton(QStringLiteral("Выход"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    side->addWidget(ok);
    layout->addLayout(side, 0, 1);

    auto* hint = new QLabel(
        QStringLiteral("Клик правой кнопки мыши обеспечивает более точную настройку цветов"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint, 2, 0, 1, 2);

    connect(m_revolve, &QPushButton::clicked, this, [this] {
        m_cube->setRotating(!m_cube->rotating());
        m_revolve->setText(m_cube->rotating() ? QStringLiteral("Стоп") : QStringLiteral("Пуск"));
    });
    connect(m_back, &QPushButton::clicked, this, &ColourPicker::zoomOut);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(m_cube, &CubeView::hovered, this, &ColourPicker::showChannels);
    connect(m_cube, &CubeView::chosen, this, &ColourPicker::chooseCell);
    connect(m_cube, &CubeView::zoomRequested, this, &ColourPicker::zoomInto);
    showLevel();
}

void ColourPicker::setTarget(LookClass lookClass, bool fontColour) {
    m_targetClass = lookClass;
    m_targetIsFont = fontColour || !hasBackColour(lookClass);
    setWindowTitle(
        (m_targetIsFont ? QStringLiteral("Цвет шрифта: ") : QStringLiteral("Цвет фона: ")) +
        captionOf(lookClass));
}

void ColourPicker::chooseCell(int index) {
    ColourCube::Cell cell = m_cube->cube().cell(index);
    if (!cell.valid) return;
    TextClassLook look = m_appearance.look(m_targetClass);
    if (m_targetIsFont) {
        look.fontColour = cell.colour;
    } else {
        look.backColour = cell.colour;
    }
    m_appearance.setLook(m_targetClass, look);
}

void ColourPicker::zoomInto(int index) {
    if (m_cube->cube().zoomInto(index)) showLevel();
}

void ColourPicker::zoomOut() {
    if (m_cube->cube().zoomOut()) showLevel();
}

void ColourPicker::showLevel() {
    m_back->setVisible(m_cube->cube().level() > 0);
    m_cube->refresh();
}

void ColourPicker::showChannels(int index) {
    ColourCube::Cell cell = m_cube->cube().cell(index);
    m_red->setText(threeDigits(cell.red));
    m_green->setText(threeDigits(cell.green));
    m_blue->setText(threeDigits(cell.blue));
    QPalette swatch = m_swatch->palette();
    swatch.setColor(QPalette::Window, toQColor(cell.colour));
    m_swatch->setPalette(swatch);
}

}  // namespace tally

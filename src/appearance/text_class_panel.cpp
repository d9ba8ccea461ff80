#include "appearance/text_class_panel.h"

#include <qdrawutil.h>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "appearance/appearance.h"
#include "appearance/skin.h"

namespace tally {

namespace {

constexpr int kSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 28, 36, 48, 72};

// What the sample shows of each class: a piece of a calculation, or the labels of keys.
QString sampleText(LookClass lookClass) {
    switch (lookClass) {
        case LookClass::EditorText:
            return QStringLiteral("2+3=5");
        case LookClass::CharacterKeys:
            return QStringLiteral("7 8 9 A Б");
        case LookClass::OperationKeys:
            return QStringLiteral("exe hex clr");
        case LookClass::KeyInFocus:
            return QStringLiteral("7");
        case LookClass::WindowText:
            return QStringLiteral("Параметры  Функции");
        case LookClass::Identifier:
            return QStringLiteral("Площадь");
        case LookClass::Number:
            return QStringLiteral("3.14159");
        case LookClass::SyntaxError:
            return QStringLiteral("*)");
        case LookClass::Function:
            return QStringLiteral("Sin");
        case LookClass::UnitOfMeasure:
            return QStringLiteral("[м/с^2]");
        case LookClass::Comment:
            return QStringLiteral("` примечание");
        case LookClass::Operator:
            return QStringLiteral("+ - * /");
        case LookClass::Bracket:
            return QStringLiteral("( ) { }");
    }
    return {};
}

bool isKeyClass(LookClass lookClass) {
    return lookClass == LookClass::CharacterKeys || lookClass == LookClass::OperationKeys ||
           lookClass == LookClass::KeyInFocus;
}

// The class drawn where it is used: keys as keys (on the skin in the dressed look), the
// window text on the window, the document's classes on the document's back colour.
class ClassSample : public QWidget {
  public:
    ClassSample(const Appearance& appearance, LookClass lookClass, QWidget* parent)
        : QWidget(parent), m_appearance(appearance), m_lookClass(lookClass) {
        setMinimumSize(220, 56);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        ResolvedLook look = m_appearance.resolved(m_lookClass);
        bool onWindow = isKeyClass(m_lookClass) || m_lookClass == LookClass::WindowText;
        bool onSkin = onWindow && m_appearance.dressed();
        if (onSkin) {
            painter.drawPixmap(0, 0, coverWithSkin(m_appearance.skin(), size()));
        } else if (onWindow) {
            painter.fillRect(rect(), m_appearance.resolved(LookClass::WindowText).background);
        } else {
            painter.fillRect(rect(), m_appearance.resolved(LookClass::EditorText).background);
        }
        if (!isKeyClass(m_lookClass)) {
            painter.setFont(look.font);
            painter.setPen(look.colour);
            painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignCenter,
                             sampleText(m_lookClass));
            return;
        }
        const QStringList tags = sampleText(m_lookClass).split(u' ');
        const int gap = 4;
        const int keyHeight = std::min(height() - 2 * gap, 32);
        const int keyWidth = std::min(48, (width() - gap) / static_cast<int>(tags.size()) - gap);
        int left = (width() - static_cast<int>(tags.size()) * (keyWidth + gap) + gap) / 2;
        for (const QString& tag : tags) {
            QRect key(left, (height() - keyHeight) / 2, keyWidth, keyHeight);
            if (onSkin) {
                paintDressedKey(painter, key, tag, look);
            } else {
                qDrawShadePanel(&painter, key, palette(), false, 1, nullptr);
                painter.fillRect(key.adjusted(1, 1, -1, -1), look.background);
                painter.setFont(look.font);
                painter.setPen(look.colour);
                painter.drawText(key, Qt::AlignCenter, tag);
            }
            left += keyWidth + gap;
        }
    }

  private:
    const Appearance& m_appearance;
    LookClass m_lookClass;
};

}  // namespace

TextClassPanel::TextClassPanel(Appearance& appearance, LookClass lookClass, QWidget* parent)
    : QWidget(parent), m_appearance(appearance), m_lookClass(lookClass) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    m_fontBox = new QFontComboBox(this);
    m_fontBox->setObjectName(QStringLiteral("cmbFontName"));
    form->addRow(QStringLiteral("Шрифт:"), m_fontBox);
    m_styleBox = new QComboBox(this);
    m_styleBox->setObjectName(QStringLiteral("cmbFontStyle"));
    for (const char16_t* style : kStyles)
        m_styleBox->addItem(QString::fromUtf16(style));
    form->addRow(QStringLiteral("Начертание:"), m_styleBox);
    m_sizeBox = new QComboBox(this);
    m_sizeBox->setObjectName(QStringLiteral("cmbFontSize"));
    m_sizeBox->setEditable(true);
    m_sizeBox->setInsertPolicy(QComboBox::NoInsert);
    m_sizeBox->setValidator(new QIntValidator(kSmallestFontSize, kLargestFontSize, m_sizeBox));
    for (int size : kSizes)
        m_sizeBox->addItem(QString::number(size));
    form->addRow(QStringLiteral("Размер:"), m_sizeBox);
    layout->addLayout(form);

    auto* colours = new QHBoxLayout;
    auto* fontColour = new QPushButton(QStringLiteral("Цвет шрифта..."), this);
    fontColour->setObjectName(QStringLiteral("cmdFontColor"));
    colours->addWidget(fontColour);
    if (hasBackColour(lookClass)) {
        m_backColour = new QPushButton(QStringLiteral("Цвет фона..."), this);
        m_backColour->setObjectName(QStringLiteral("cmdBackColor"));
        colours->addWidget(m_backColour);
        connect(m_backColour, &QPushButton::clicked, this,
                [this] { emit colourRequested(m_lookClass, false); });
    }
    colours->addStretch();
    layout->addLayout(colours);
    m_sample = new ClassSample(appearance, lookClass, this);
    m_sample->setObjectName(QStringLiteral("pctSample"));
    layout->addWidget(m_sample);
    layout->addStretch();

    connect(fontColour, &QPushButton::clicked, this,
            [this] { emit colourRequested(m_lookClass, true); });
    connect(m_fontBox, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        edit([&](TextClassLook& look) { look.fontName = font.family(); });
    });
    connect(m_styleBox, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        edit([&](TextClassLook& look) {
            look.bold = index >= 2;
            look.italic = index % 2 == 1;
        });
    });
    connect(m_sizeBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        bool ok = false;
        int size = text.toInt(&ok);
        if (!ok || !isValidFontSize(size)) return;
        edit([&](TextClassLook& look) { look.size = size; });
    });
    connect(&appearance, &Appearance::classesChanged, this, &TextClassPanel::reloadValues);
    connect(&appearance, &Appearance::skinChanged, m_sample, qOverload<>(&QWidget::update));
    reloadValues();
}

void TextClassPanel::edit(const std::function<void(TextClassLook&)>& change) {
    TextClassLook look = m_appearance.look(m_lookClass);
    change(look);
    m_appearance.setLook(m_lookClass, look);
}

void TextClassPanel::reloadValues() {
    const TextClassLook& look = m_appearance.look(m_lookClass);
    const QSignalBlocker fontBlocker(m_fontBox);
    const QSignalBlocker styleBlocker(m_styleBox);
    const QSignalBlocker sizeBlocker(m_sizeBox);
    m_fontBox->setCurrentFont(QFont(look.fontName));
    // A family this system lacks is still the class's choice; its name stays in view.
    m_fontBox->setEditText(look.fontName);
    m_styleBox->setCurrentIndex((look.bold ? 2 : 0) + (look.italic ? 1 : 0));
    int listed = m_sizeBox->findText(QString::number(look.size));
    m_sizeBox->setCurrentIndex(listed);
    m_sizeBox->setEditText(QString::number(look.size));
    m_sample->update();
}

}  // namespace tally

#include "app/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace tally {

namespace {

const QString kFindTitle = QStringLiteral("Поиск");
const QString kReplaceTitle = QStringLiteral("Заменить");

}  // namespace

FindDialog::FindDialog(SearchState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(kFindTitle);
    setModal(false);

    auto* fields = new QGridLayout;
    auto* lblFind = new QLabel(QStringLiteral("Найти:"), this);
    m_txtFind = new QLineEdit(this);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    lblFind->setBuddy(m_txtFind);
    m_lblReplace = new QLabel(QStringLiteral("Заменить на:"), this);
    m_txtReplace = new QLineEdit(this);
    m_txtReplace->setObjectName(QStringLiteral("txtReplace"));
    m_lblReplace->setBuddy(m_txtReplace);
    fields->addWidget(lblFind, 0, 0);
    fields->addWidget(m_txtFind, 0, 1);
    fields->addWidget(m_lblReplace, 1, 0);
    fields->addWidget(m_txtReplace, 1, 1);

    m_chkMatchCase = new QCheckBox(QStringLiteral("Учитывать регистр"), this);
    m_chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto* direction = new QGroupBox(QStringLiteral("Направление"), this);
    m_optBackward = new QRadioButton(QStringLiteral("Назад"), direction);
    m_optBackward->setObjectName(QStringLiteral("optBackward"));
    m_optBackward->setToolTip(QStringLiteral("Искать в направлении начала текста"));
    m_optForward = new QRadioButton(QStringLiteral("Вперед"), direction);
    m_optForward->setObjectName(QStringLiteral("optForward"));
    m_optForward->setToolTip(QStringLiteral("Искать в направлении конца текста"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_optBackward);
    directionLayout->addWidget(m_optForward);
    auto* options = new QHBoxLayout;
    options->addWidget(m_chkMatchCase);
    options->addStretch();
    options->addWidget(direction);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();

    m_cmdFind = new QPushButton(QStringLiteral("Найти далее"), this);
    m_cmdFind->setObjectName(QStringLiteral("cmdFind"));
    m_cmdFind->setDefault(true);
    m_cmdReplace = new QPushButton(QStringLiteral("Заменить"), this);
    m_cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    m_cmdReplace->setAutoDefault(false);
    auto* cmdClose = new QPushButton(QStringLiteral("Закрыть"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdFind);
    buttons->addWidget(m_cmdReplace);
    buttons->addWidget(cmdClose);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_txtFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_state.findTextChanged = true;
        m_cmdFind->setEnabled(!text.isEmpty());
    });
    // The case option applies to the very next step, not only after the dialog closes.
    connect(m_chkMatchCase, &QCheckBox::toggled, this, [this](bool on) { m_state.matchCase = on; });
    connect(m_optBackward, &QRadioButton::clicked, this,
            [this] { m_state.direction = SearchDirection::Backward; });
    connect(m_optForward, &QRadioButton::clicked, this,
            [this] { m_state.direction = SearchDirection::Forward; });
    connect(m_cmdFind, &QPushButton::clicked, this, [this] {
        m_state.findText = toU16(findText());
        emit findNextRequested();
    });
    connect(m_cmdReplace, &QPushButton::clicked, this, [this] {
        if (m_replaceHidden) {
            revealReplace();
        } else {
            emit replaceRequested();
        }
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    m_cmdFind->setEnabled(false);
}

void FindDialog::openFor(const QString& text) {
    m_txtFind->setText(text);
    m_state.findTextChanged = true;
    m_replaceHidden = true;
    m_lblReplace->hide();
    m_txtReplace->hide();
    setWindowTitle(kFindTitle);
    m_chkMatchCase->setChecked(m_state.matchCase);
    (m_state.direction == SearchDirection::Forward ? m_optForward : m_optBackward)
        ->setChecked(true);
    m_cmdFind->setEnabled(!text.isEmpty());
    show();
    raise();
    activateWindow();
    m_txtFind->setFocus();
    m_txtFind->selectAll();
}

void FindDialog::revealReplace() {
    m_lblReplace->show();
    m_txtReplace->show();
    setWindowTitle(kReplaceTitle);
    m_replaceHidden = false;
    m_txtReplace->setFocus();
}

QString FindDialog::findText() const {
    return m_txtFind->text();
}

QString FindDialog::replaceText() const {
    return m_txtReplace->text();
}

void FindDialog::storeState() {
    m_state.findText = toU16(findText());
    m_state.matchCase = m_chkMatchCase->isChecked();
}

void FindDialog::hideEvent(QHideEvent* event) {
    storeState();
    QDialog::hideEvent(event);
}

}  // namespace tally

#include "app/message_dialog.h"

#include "app/qt_text.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tally {

MessageWindow::Reply MessageDialog::show(std::u16string_view title, std::u16string_view text,
                                         bool askToProceed) {
    // A silenced question goes on, so that no caller acts on an answer never given.
    if (!m_suppressedTitle.isEmpty() && toQString(title) == m_suppressedTitle) return Reply{};
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("frmMessage"));
    dialog.setWindowTitle(toQString(title));
    // A message has the size of its text: it cannot be maximised or resized.
    dialog.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* label = new QLabel(toQString(text), &dialog);
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    layout->addWidget(label);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* first = new QPushButton(
        askToProceed ? QStringLiteral("Продолжить") : QStringLiteral("Закрыть"), &dialog);
    first->setDefault(true);
    buttons->addWidget(first);
    QObject::connect(first, &QPushButton::clicked, &dialog, &QDialog::accept);
    if (askToProceed) {
        auto* second = new QPushButton(QStringLiteral("Отменить"), &dialog);
        buttons->addWidget(second);
        QObject::connect(second, &QPushButton::clicked, &dialog, &QDialog::reject);
    }
    layout->addLayout(buttons);
    auto* silence = new QCheckBox(QStringLiteral("Больше не показывать"), &dialog);
    silence->setObjectName(QStringLiteral("chkDontShowAgain"));
    layout->addWidget(silence);
    Reply reply;
    reply.proceed = dialog.exec() == QDialog::Accepted;
    reply.dontShowAgain = silence->isChecked();
    if (reply.dontShowAgain) m_suppressedTitle = toQString(title);
    return reply;
}

}  // namespace tally

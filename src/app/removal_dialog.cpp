#include "app/removal_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace tally {

RemovalDialog::RemovalDialog(Removal removal, QWidget* parent)
    : QDialog(parent), m_removal(std::move(removal)) {
    setObjectName(QStringLiteral("frmRemove"));
    setModal(true);
    RemovalCaptions captions = m_removal.captions();
    setWindowTitle(toQString(captions.title));

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(toQString(captions.frame), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setMinimumSize(360, 200);
    frameLayout->addWidget(m_list);
    layout->addWidget(frame, 1);

    auto* buttons = new QHBoxLayout;
    m_action = new QPushButton(toQString(captions.action), this);
    m_action->setObjectName(QStringLiteral("Command1"));
    auto* close = new QPushButton(toQString(kRemovalCloseCaption), this);
    close->setObjectName(QStringLiteral("Command2"));
    buttons->addWidget(m_action);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_action, &QPushButton::clicked, this, &RemovalDialog::removeSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_action->setEnabled(!m_list->selectedItems().isEmpty()); });
    fillList();
}

void RemovalDialog::fillList() {
    m_list->clear();
    for (const std::u16string& row : m_removal.rows())
        m_list->addItem(toQString(row));
    m_action->setEnabled(false);
}

void RemovalDialog::removeSelected() {
    std::vector<int> rows;
    for (QListWidgetItem* item : m_list->selectedItems())
        rows.push_back(m_list->row(item));
    if (m_removal.remove(std::move(rows)) == 0) return;
    fillList();
    emit changed();
}

}  // namespace tally

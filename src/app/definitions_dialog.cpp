#include "app/definitions_dialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "engine/message_window.h"

namespace tally {

namespace {

constexpr std::u16string_view kTranslateTitle = u"Tally Ошибка размерности";

}  // namespace

DefinitionsDialog::DefinitionsDialog(DefinitionsEditor editor, Messages& messages, QWidget* parent)
    : QDialog(parent), m_editor(std::move(editor)), m_messages(messages) {
    setObjectName(QStringLiteral("frmUser"));
    setWindowTitle(toQString(kDefinitionsEditorTitle));
    setModal(true);
    DefinitionsEditorCaptions captions = m_editor.captions();
    bool dimensions = m_editor.mode() == DefinitionsMode::ResultDimensions;

    auto* layout = new QVBoxLayout(this);
    m_frame = new QGroupBox(toQString(captions.frame), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(m_frame);
    m_list = new QListWidget(m_frame);
    m_list->setObjectName(QStringLiteral("List1"));
    // Rows are aligned with blanks ("+ Дж   =   кг·м^2/с^2"), which needs even widths.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setMinimumSize(520, 220);
    frameLayout->addWidget(m_list);
    layout->addWidget(m_frame, 1);

    auto* fields = new QGridLayout;
    std::u16string_view labelTexts[] = {captions.label1, captions.label2, captions.label3};
    int shown = dimensions ? 2 : 3;
    for (int i = 0; i < shown; ++i) {
        QString index = QString::number(i + 1);
        m_labels[i] = new QLabel(toQString(labelTexts[i]), this);
        m_labels[i]->setObjectName(QStringLiteral("Label") + index);
        m_texts[i] = new QLineEdit(this);
        m_texts[i]->setObjectName(QStringLiteral("Text") + index);
        m_labels[i]->setBuddy(m_texts[i]);
        fields->addWidget(m_labels[i], i, 0);
        fields->addWidget(m_texts[i], i, 1);
    }
    if (dimensions) {
        auto* row = new QHBoxLayout;
        m_inUse = new QCheckBox(QStringLiteral("Применять"), this);
        m_inUse->setObjectName(QStringLiteral("Check1"));
        m_inUse->setChecked(true);
        m_translate = new QPushButton(QStringLiteral("Преобразовать"), this);
        m_translate->setObjectName(QStringLiteral("Command5"));
        // Enter in a box must not translate or add by surprise.
        m_translate->setAutoDefault(false);
        m_translate->setToolTip(
            QStringLiteral("Записать в поле «Размерность» обозначение в основных единицах"));
        row->addWidget(m_inUse);
        row->addStretch();
        row->addWidget(m_translate);
        fields->addLayout(row, 2, 1);
        connect(m_translate, &QPushButton::clicked, this, &DefinitionsDialog::translate);
        connect(m_inUse, &QCheckBox::toggled, this, &DefinitionsDialog::updateButtons);
    }
    // The menu item inserts what follows "=" in the caption, or the whole caption when it
    // has none: say so where the caption is typed.
    if (m_editor.mode() == DefinitionsMode::Constants ||
        m_editor.mode() == DefinitionsMode::Expressions) {
        m_texts[0]->setPlaceholderText(QStringLiteral("например: Скорость света ="));
        m_texts[0]->setToolTip(
            QStringLiteral("Если название кончается знаком «=», пункт меню вставляет значение; "
                           "иначе он вставляет весь текст пункта"));
    }
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_add = button("Command1", QStringLiteral("Добавить"));
    m_replace = button("Command2", QStringLiteral("Заменить"));
    m_delete = button("Command3", QStringLiteral("Удалить"));
    buttons->addStretch();
    QPushButton* close = button("Command4", QStringLiteral("Закрыть"));
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &DefinitionsDialog::add);
    connect(m_replace, &QPushButton::clicked, this, &DefinitionsDialog::replace);
    connect(m_delete, &QPushButton::clicked, this, &DefinitionsDialog::remove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &DefinitionsDialog::showSelection);
    connect(m_texts[0], &QLineEdit::textChanged, this, &DefinitionsDialog::updateButtons);
    connect(m_texts[1], &QLineEdit::textChanged, this, &DefinitionsDialog::updateButtons);

    fillList(-1);
    showSelection();
    m_texts[0]->setFocus();
}

QLineEdit* DefinitionsDialog::text(int index) {
    return index >= 0 && index < 3 ? m_texts[index] : nullptr;
}

void DefinitionsDialog::fillList(int selectRow) {
    QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const std::u16string& row : m_editor.rows()) {
        auto* item = new QListWidgetItem(toQString(row), m_list);
        // The empty row between the built-in and the user's result dimensions is no record.
        if (row.empty()) item->setFlags(Qt::NoItemFlags);
    }
    m_list->setCurrentRow(selectRow);
    if (selectRow >= 0) m_list->scrollToItem(m_list->item(selectRow));
}

int DefinitionsDialog::selectedRow() const {
    QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    return m_list->row(item);
}

void DefinitionsDialog::showSelection() {
    int row = selectedRow();
    if (m_editor.isRecord(row)) {
        DefinitionFields fields = m_editor.fields(row);
        m_texts[0]->setText(toQString(fields.text1));
        m_texts[1]->setText(toQString(fields.text2));
        if (m_texts[2]) m_texts[2]->setText(toQString(fields.text3));
        if (m_inUse) m_inUse->setChecked(fields.inUse);
    }
    updateButtons();
}

// Add takes the boxes as a new record whatever is selected. A built-in result dimension
// keeps its name and expansion: Replace there changes only the in-use box, so it is offered
// only while the boxes still show that row's texts.
void DefinitionsDialog::updateButtons() {
    int row = selectedRow();
    bool named = !m_texts[0]->text().trimmed().isEmpty();
    bool replaceable = m_editor.textsEditable(row) && named;
    if (m_editor.isRecord(row) && !m_editor.textsEditable(row)) {
        DefinitionFields fields = m_editor.fields(row);
        replaceable = m_texts[0]->text().trimmed() == toQString(fields.text1) &&
                      m_texts[1]->text().trimmed() == toQString(fields.text2);
    }
    m_add->setEnabled(named);
    m_replace->setEnabled(replaceable);
    m_delete->setEnabled(m_editor.canDelete(row));
}

DefinitionFields DefinitionsDialog::typedFields() const {
    DefinitionFields fields;
    fields.text1 = toU16(m_texts[0]->text());
    fields.text2 = toU16(m_texts[1]->text());
    if (m_texts[2]) fields.text3 = toU16(m_texts[2]->text());
    if (m_inUse) fields.inUse = m_inUse->isChecked();
    return fields;
}

void DefinitionsDialog::add() {
    std::optional<int> row = m_editor.add(typedFields());
    if (!row) {
        m_texts[0]->setFocus();
        return;
    }
    fillList(*row);
    showSelection();
    emit changed();
}

void DefinitionsDialog::replace() {
    std::optional<int> row = m_editor.replace(selectedRow(), typedFields());
    if (!row) return;
    fillList(*row);
    showSelection();
    emit changed();
}

void DefinitionsDialog::remove() {
    if (!m_editor.remove(selectedRow())) return;
    // The boxes keep the deleted record, so that Add brings it back.
    fillList(-1);
    showSelection();
    emit changed();
}

void DefinitionsDialog::translate() {
    std::u16string designation = toU16(m_texts[0]->text().trimmed());
    if (designation.empty()) return;
    std::optional<std::u16string> expansion = m_editor.translate(designation);
    if (!expansion) {
        m_messages.notify(kTranslateTitle, kTranslateError);
        return;
    }
    m_texts[1]->setText(toQString(*expansion));
}

}  // namespace tally

#include "appearance/appearance_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "appearance/appearance.h"
#include "appearance/colour_picker.h"
#include "appearance/dialog_entries.h"
#include "appearance/look_settings.h"
#include "appearance/skin.h"
#include "appearance/text_class_panel.h"

namespace tally {

namespace {

constexpr QSize kPreviewSize(160, 120);
constexpr int kPathRole = Qt::UserRole;
constexpr int kIsFolderRole = Qt::UserRole + 1;

QPushButton* button(const QString& caption, const char* objectName, QWidget* parent) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(objectName));
    return result;
}

}  // namespace

AppearanceDialog::AppearanceDialog(Appearance& appearance, QWidget* parent)
    : QDialog(parent), m_appearance(appearance) {
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(QStringLiteral("Настройка  внешнего  вида"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* classes = new QHBoxLayout;
    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("lstClasses"));
    m_panels = new QStackedWidget(this);
    for (const DialogEntry& entry : kDialogEntries) {
        m_entries->addItem(QString::fromUtf16(entry.caption));
        auto* panel = new TextClassPanel(appearance, entry.lookClass, m_panels);
        m_panels->addWidget(panel);
        connect(panel, &TextClassPanel::colourRequested, this, &AppearanceDialog::openColourPicker);
    }
    m_entries->setMinimumWidth(m_entries->sizeHintForColumn(0) + 24);
    classes->addWidget(m_entries);
    classes->addWidget(m_panels, 1);
    layout->addLayout(classes);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildSkinGroup(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildScreenGroup());
    right->addStretch();
    QPushButton* ok = button(QStringLiteral("Закрыть"), "cmdOk", this);
    ok->setDefault(true);
    right->addWidget(ok);
    bottom->addLayout(right);
    layout->addLayout(bottom);

    connect(m_entries, &QListWidget::currentRowChanged, m_panels, &QStackedWidget::setCurrentIndex);
    connect(ok, &QPushButton::clicked, this, &AppearanceDialog::closeDialog);
    showEntry(0);
}

QWidget* AppearanceDialog::buildSkinGroup() {
    auto* group = new QGroupBox(QStringLiteral("Обложка"), this);
    auto* grid = new QGridLayout(group);
    m_folderLabel = new QLabel(group);
    m_folderLabel->setObjectName(QStringLiteral("lblSkinFolder"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_folderLabel, 0, 0);
    QPushButton* folder = button(QStringLiteral("Папка..."), "cmdSkinFolder", group);
    grid->addWidget(folder, 0, 1);
    m_skins = new QListWidget(group);
    m_skins->setObjectName(QStringLiteral("lstSkins"));
    m_skins->setFixedHeight(kPreviewSize.height());
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_skins->setIconSize(QSize(icon, icon));
    grid->addWidget(m_skins, 1, 0);
    m_preview = new QLabel(group);
    m_preview->setObjectName(QStringLiteral("pctPreview"));
    m_preview->setFixedSize(kPreviewSize);
    m_preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_preview->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_preview, 1, 1);
    auto* looks = new QHBoxLayout;
    QPushButton* dress = button(QStringLiteral("В обложке"), "cmdDress", group);
    QPushButton* undress = button(QStringLiteral("Без обложки"), "cmdUndress", group);
    QPushButton* defaults = button(QStringLiteral("По умолчанию"), "cmdDefault", group);
    looks->addWidget(dress);
    looks->addWidget(undress);
    looks->addWidget(defaults);
    grid->addLayout(looks, 2, 0, 1, 2);

    connect(folder, &QPushButton::clicked, this, [this] {
        QString chosen =
            QFileDialog::getExistingDirectory(this, QStringLiteral("Папка обложек"), m_skinFolder);
        if (!chosen.isEmpty()) showSkinFolder(chosen);
    });
    // A picture is previewed when it becomes current; a folder opens on a double click or
    // Enter.
    connect(m_skins, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && !item->data(kIsFolderRole).toBool())
            chooseSkin(item->data(kPathRole).toString());
    });
    connect(m_skins, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item->data(kIsFolderRole).toBool()) showSkinFolder(item->data(kPathRole).toString());
    });
    connect(dress, &QPushButton::clicked, this, [this] {
        m_appearance.dress(m_chosenSkin.isEmpty() ? m_appearance.skinPath() : m_chosenSkin);
    });
    connect(undress, &QPushButton::clicked, this, [this] { m_appearance.undress(); });
    connect(defaults, &QPushButton::clicked, this, [this] { m_appearance.restoreDefaults(); });
    showSkinFolder(startingSkinFolder());
    return group;
}

QWidget* AppearanceDialog::buildScreenGroup() {
    auto* group = new QGroupBox(QStringLiteral("Размер  экрана"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("Число строк по 10 пп."), group));
    m_screenNumber = new QSpinBox(group);
    m_screenNumber->setObjectName(QStringLiteral("spnScreenNum"));
    m_screenNumber->setRange(kSmallestScreenNumber, kLargestScreenNumber);
    m_screenNumber->setValue(m_appearance.screenNumber());
    row->addWidget(m_screenNumber);
    connect(m_screenNumber, qOverload<int>(&QSpinBox::valueChanged), &m_appearance,
            &Appearance::setScreenNumber);
    connect(&m_appearance, &Appearance::screenNumberChanged, this, [this](int number) {
        const QSignalBlocker blocker(m_screenNumber);
        m_screenNumber->setValue(number);
    });
    return group;
}

QString AppearanceDialog::startingSkinFolder() const {
    QFileInfo current(m_appearance.skinPath());
    if (current.isFile()) return current.absolutePath();
    for (const QString& folder : m_appearance.skinFolders()) {
        if (QFileInfo(folder).isDir()) return folder;
    }
    return m_appearance.skinFolders().value(0, QDir::currentPath());
}

// The folder's parent and subfolders first, then its pictures.
void AppearanceDialog::showSkinFolder(const QString& folder) {
    QDir dir(folder);
    m_skinFolder = dir.absolutePath();
    m_folderLabel->setText(QDir::toNativeSeparators(m_skinFolder));
    {
        const QSignalBlocker blocker(m_skins);
        m_skins->clear();
        const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
        auto add = [&](const QString& name, const QString& path, bool isFolder) {
            auto* item = isFolder ? new QListWidgetItem(folderIcon, name, m_skins)
                                  : new QListWidgetItem(name, m_skins);
            item->setData(kPathRole, path);
            item->setData(kIsFolderRole, isFolder);
        };
        if (!dir.isRoot())
            add(QStringLiteral(".."), QDir::cleanPath(dir.filePath(QStringLiteral(".."))), true);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            add(name, dir.filePath(name), true);
        for (const QString& name : dir.entryList(skinFileFilters(), QDir::Files, QDir::Name))
            add(name, dir.filePath(name), false);
    }
    // The picture worn now is shown first when it lies in this folder.
    QFileInfo current(m_appearance.skinPath());
    if (QDir(current.absolutePath()) != dir) return;
    for (int row = 0; row < m_skins->count(); ++row) {
        QListWidgetItem* item = m_skins->item(row);
        if (!item->data(kIsFolderRole).toBool() && item->text() == current.fileName()) {
            m_skins->setCurrentItem(item);
            return;
        }
    }
}

void AppearanceDialog::chooseSkin(const QString& path) {
    m_chosenSkin = path;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid()) reader.setScaledSize(size.scaled(kPreviewSize, Qt::KeepAspectRatio));
    QImage preview = reader.read();
    if (preview.isNull()) {
        m_preview->setText(QStringLiteral("Не рисунок"));
    } else {
        m_preview->setPixmap(QPixmap::fromImage(preview));
    }
}

void AppearanceDialog::showEntry(int position) {
    m_entries->setCurrentRow(position);
    m_panels->setCurrentIndex(position);
}

TextClassPanel* AppearanceDialog::currentPanel() const {
    return static_cast<TextClassPanel*>(m_panels->currentWidget());
}

TextClassPanel* AppearanceDialog::panelOf(LookClass lookClass) const {
    return static_cast<TextClassPanel*>(m_panels->widget(dialogPositionOf(lookClass)));
}

void AppearanceDialog::openColourPicker(LookClass lookClass, bool fontColour) {
    if (!m_picker) {
        m_picker = new ColourPicker(m_appearance, this);
        m_picker->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_picker->setTarget(lookClass, fontColour);
    m_picker->show();
    m_picker->raise();
    m_picker->activateWindow();
}

void AppearanceDialog::closeDialog() {
    // A picture chosen while dressed is put on as the dialog closes.
    if (m_appearance.dressed() && !m_chosenSkin.isEmpty() &&
        QFileInfo(m_chosenSkin) != QFileInfo(m_appearance.skinPath())) {
        m_appearance.dress(m_chosenSkin);
    }
    close();
}

void AppearanceDialog::closeEvent(QCloseEvent* event) {
    if (m_picker) m_picker->close();
    QDialog::closeEvent(event);
}

}  // namespace tally

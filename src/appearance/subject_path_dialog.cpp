#include "appearance/subject_path_dialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <memory>

namespace tally {

SubjectPathDialog::SubjectPathDialog(const QString& path, int fontSize, bool cascade,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmPath"));
    setWindowTitle(QStringLiteral("Предметная область"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* files = new QGroupBox(QStringLiteral("Выбор файла"), this);
    auto* filesLayout = new QVBoxLayout(files);
    auto* splitter = new QSplitter(files);
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QString());
    m_folderView = new QTreeView(splitter);
    m_folderView->setObjectName(QStringLiteral("Dir1"));
    m_folderView->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column) {
        m_folderView->hideColumn(column);
    }
    m_folderView->header()->hide();
    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::Files);
    m_files->setNameFilters({QStringLiteral("*.txt")});
    m_files->setNameFilterDisables(false);
    m_fileView = new QListView(splitter);
    m_fileView->setObjectName(QStringLiteral("File1"));
    m_fileView->setModel(m_files);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    filesLayout->addWidget(splitter, 1);
    m_path = new QLineEdit(path, files);
    m_path->setObjectName(QStringLiteral("txtPath"));
    m_path->setClearButtonEnabled(true);
    filesLayout->addWidget(m_path);
    layout->addWidget(files, 1);

    auto* options = new QFormLayout;
    m_fontSize = new QSpinBox(this);
    m_fontSize->setObjectName(QStringLiteral("txtFontSize"));
    m_fontSize->setRange(6, 36);
    m_fontSize->setValue(std::clamp(fontSize, 6, 36));
    options->addRow(QStringLiteral("Размер шрифта"), m_fontSize);
    auto* display = new QHBoxLayout;
    m_cascade = new QRadioButton(QStringLiteral("Каскад"), this);
    m_cascade->setObjectName(QStringLiteral("optCascade"));
    m_cascade->setToolTip(QStringLiteral(
        "Окна разделов открываются одно за другим и остаются открытыми: можно вставить "
        "несколько формул подряд"));
    m_menu = new QRadioButton(QStringLiteral("Меню"), this);
    m_menu->setObjectName(QStringLiteral("optMenu"));
    m_menu->setToolTip(QStringLiteral("Обычное всплывающее меню: закрывается после выбора"));
    (cascade ? m_cascade : m_menu)->setChecked(true);
    display->addWidget(m_cascade);
    display->addWidget(m_menu);
    display->addStretch();
    options->addRow(QStringLiteral("Показ"), display);
    layout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    m_new = new QPushButton(QStringLiteral("Новая"), this);
    m_new->setObjectName(QStringLiteral("cmdNew"));
    m_new->setToolTip(QStringLiteral("Загрузить файл вместо текущей предметной области"));
    m_add = new QPushButton(QStringLiteral("Добавить"), this);
    m_add->setObjectName(QStringLiteral("cmdAdd"));
    m_add->setToolTip(QStringLiteral("Добавить разделы файла к текущей предметной области"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(m_new);
    buttons->addWidget(m_add);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(600, 460);

    connect(m_folderView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { showFolder(m_folders->filePath(index)); });
    connect(m_fileView, &QListView::clicked, this,
            [this](const QModelIndex& index) { m_path->setText(m_files->filePath(index)); });
    connect(m_fileView, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        m_path->setText(m_files->filePath(index));
        finish(Choice::New);
    });
    connect(m_path, &QLineEdit::textChanged, this, &SubjectPathDialog::updateButtons);
    connect(m_new, &QPushButton::clicked, this, [this] { finish(Choice::New); });
    connect(m_add, &QPushButton::clicked, this, [this] { finish(Choice::Add); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
    // The folder tree opens at the folder of the current subject. Its folders are read in
    // the background and the view is laid out when shown, so the tree is opened down to it
    // again then and as folders arrive, until the user takes the tree in hand.
    auto reveal = [this, folder] {
        QModelIndex index = m_folders->index(folder);
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) {
            m_folderView->expand(up);
        }
        m_folderView->setCurrentIndex(index);
        m_folderView->scrollTo(index, QAbstractItemView::PositionAtCenter);
    };
    auto revealing = std::make_shared<QMetaObject::Connection>();
    *revealing = connect(m_folders, &QFileSystemModel::directoryLoaded, this, reveal);
    connect(m_folderView, &QTreeView::pressed, this, [revealing] { disconnect(*revealing); });
    reveal();
    QTimer::singleShot(0, this, reveal);
    showFolder(folder);
    updateButtons();
}

void SubjectPathDialog::showFolder(const QString& folder) {
    m_fileView->setRootIndex(m_files->setRootPath(folder));
}

QString SubjectPathDialog::path() const {
    return m_path->text().trimmed();
}

int SubjectPathDialog::fontSize() const {
    return m_fontSize->value();
}

bool SubjectPathDialog::cascade() const {
    return m_cascade->isChecked();
}

// Only a file that exists can be read.
void SubjectPathDialog::updateButtons() {
    bool file = QFileInfo(path()).isFile();
    m_new->setEnabled(file);
    m_add->setEnabled(file);
}

void SubjectPathDialog::finish(Choice choice) {
    if (!QFileInfo(path()).isFile()) return;
    m_choice = choice;
    accept();
}

}  // namespace tally

#include "app/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tally {

namespace {

const QString kIndexPage = QStringLiteral("index.html");

bool readPage(const QString& path, QString& html) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    html = QString::fromUtf8(file.readAll());
    return true;
}

QString titleOf(const QString& html, const QString& fallback) {
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? match.captured(1).trimmed() : fallback;
}

QString plainTextOf(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_contents(new QListWidget(this)),
      m_search(new QLineEdit(this)),
      m_found(new QLabel(this)),
      m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Справка Tally"));
    m_contents->setObjectName(QStringLiteral("lstContents"));
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(QStringLiteral("Поиск в справке"));
    m_search->setClearButtonEnabled(true);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_search);
    sideLayout->addWidget(m_found);
    sideLayout->addWidget(m_contents, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(900, 600);

    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::filterContents);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::onSourceChanged);
}

bool HelpWindow::load(const QString& folder, QString& error) {
    const QDir dir(folder);
    QString index;
    if (!readPage(dir.filePath(kIndexPage), index)) {
        error = QStringLiteral("Файл справки %1 не найден или не читается.")
                    .arg(QDir::toNativeSeparators(dir.filePath(kIndexPage)));
        return false;
    }
    m_folder = folder;
    m_pages.clear();
    m_contents->clear();
    m_pages.push_back(
        {kIndexPage, titleOf(index, QStringLiteral("Содержание")), plainTextOf(index)});
    // The contents page links to every other page, in the order they are listed.
    static const QRegularExpression link(QStringLiteral("href=\"([A-Za-z0-9_-]+\\.html)\""));
    for (QRegularExpressionMatchIterator it = link.globalMatch(index); it.hasNext();) {
        QString file = it.next().captured(1);
        bool listed = std::any_of(m_pages.begin(), m_pages.end(),
                                  [&](const Page& page) { return page.file == file; });
        QString html;
        if (listed || !readPage(dir.filePath(file), html)) continue;
        m_pages.push_back({file, titleOf(html, file), plainTextOf(html)});
    }
    for (const Page& page : m_pages) {
        auto* item = new QListWidgetItem(page.title, m_contents);
        item->setData(Qt::UserRole, page.file);
    }
    m_browser->setSearchPaths({folder});
    showPage(kIndexPage);
    return true;
}

void HelpWindow::showPage(const QString& fileName) {
    m_browser->setSource(QUrl::fromLocalFile(QDir(m_folder).filePath(fileName)));
}

QString HelpWindow::currentPage() const {
    return QFileInfo(m_browser->source().toLocalFile()).fileName();
}

void HelpWindow::onSourceChanged(const QUrl& source) {
    QString file = QFileInfo(source.toLocalFile()).fileName();
    for (int i = 0; i < m_contents->count(); ++i) {
        QListWidgetItem* item = m_contents->item(i);
        if (item->data(Qt::UserRole).toString() == file) {
            m_contents->setCurrentItem(item);
            break;
        }
    }
    // A page opened while searching shows its first occurrence.
    if (!m_search->text().isEmpty()) m_browser->find(m_search->text());
}

QStringList HelpWindow::pagesContaining(const QString& query) const {
    QStringList files;
    for (const Page& page : m_pages) {
        if (query.isEmpty() || page.text.contains(query, Qt::CaseInsensitive) ||
            page.title.contains(query, Qt::CaseInsensitive)) {
            files << page.file;
        }
    }
    return files;
}

void HelpWindow::filterContents(const QString& query) {
    QStringList files = pagesContaining(query.trimmed());
    for (int i = 0; i < m_contents->count(); ++i) {
        QListWidgetItem* item = m_contents->item(i);
        item->setHidden(!files.contains(item->data(Qt::UserRole).toString()));
    }
    if (query.trimmed().isEmpty()) {
        m_found->clear();
    } else if (files.isEmpty()) {
        m_found->setText(QStringLiteral("Ничего не найдено"));
    } else {
        m_found->setText(QStringLiteral("Найдено страниц: %1").arg(files.size()));
    }
}

void HelpWindow::findNext() {
    const QString query = m_search->text().trimmed();
    if (query.isEmpty()) return;
    if (m_browser->find(query)) return;
    // Nothing further on this page: the next page that has it, or this one from the top.
    QStringList files = pagesContaining(query);
    if (files.isEmpty()) return;
    qsizetype here = files.indexOf(currentPage());
    QString next = files.value((here + 1) % files.size());
    if (next == currentPage()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(query);
    } else {
        showPage(next);
    }
}

}  // namespace tally

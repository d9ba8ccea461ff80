#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;

namespace tally {

// The program's help: the pages of its help folder in a browser, with their contents list
// and a search over all of them.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Reads the help in `folder`: its contents page index.html and the pages it links to.
    // False, with the reason in `error`, when the help cannot be read.
    [[nodiscard]] bool load(const QString& folder, QString& error);

    void showPage(const QString& fileName);
    // The file names of the pages whose text holds `query` (without regard to case), in
    // the order of the contents.
    QStringList pagesContaining(const QString& query) const;
    QString currentPage() const;

    QListWidget* contents() { return m_contents; }
    QLineEdit* searchField() { return m_search; }
    QTextBrowser* browser() { return m_browser; }

  private:
    struct Page {
        QString file;
        QString title;
        QString text;
    };

    void filterContents(const QString& query);
    // The next occurrence of the search text, on this page or the next page that has one.
    void findNext();
    void onSourceChanged(const QUrl& source);

    QString m_folder;
    std::vector<Page> m_pages;
    QListWidget* m_contents;
    QLineEdit* m_search;
    QLabel* m_found;
    QTextBrowser* m_browser;
};

}  // namespace tally

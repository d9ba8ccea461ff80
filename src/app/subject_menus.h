#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "appearance/subject_menu_window.h"
#include "session/subject_outline.h"

class QAction;
class QMenu;

namespace tally {

class Appearance;
class MainWindow;
class Messages;

// The help subjects: the outline file read into menus, and the menus shown in one of two
// ways:
//   - Cascade ("Каскад"): a window per menu, opened beside the item that leads to it when
//     the item is clicked or the mouse rests on it. The windows stay open while formulas
//     are inserted, so several can be taken in a row; a right click on a window, or the
//     option label again, closes them.
//   - Menu ("Меню"): ordinary pop-up menus of the window system, which close after one
//     choice, like the program's other menus.
// Clicking an item with a formula in angle brackets types the formula into the document.
// The open windows hide with the main window and come back with it.
class SubjectMenus : public QObject {
    Q_OBJECT
  public:
    enum class Display { Cascade = 0, Menu = 1 };
    static constexpr int kHoverDelayMilliseconds = 350;

    SubjectMenus(MainWindow& window, Messages& messages);
    ~SubjectMenus() override;

    // Reads a subject file: anew, or adding to the menus there are. Open windows close.
    // What went wrong is told through the message window.
    SubjectRead read(const QString& path, SubjectTree::Mode mode);
    const SubjectTree& tree() const { return m_tree; }

    // The menus are drawn in the document's base font at the subjects' own size, in the
    // document's colours, formulas in the colour of functions.
    void setAppearance(const Appearance& appearance);
    void setFontSize(int size);
    int fontSize() const { return m_fontSize; }
    const QFont& font() const { return m_look.font; }
    void setDisplay(Display display);
    Display display() const { return m_display; }
    // The subject file read at start-up and chosen in the dialog.
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // "Загрузить предметную область..." in the Options menu: the dialog that chooses a
    // subject file, the font size and the display.
    QAction* loadAction() { return m_loadAction; }
    void chooseFile();

    // Opens the top menu beside `anchor` (the option label), or closes the menus when
    // they are open.
    void toggle(QWidget* anchor);
    void open(QWidget* anchor);
    void closeAll();
    // The menu numbers of the open cascade, top first.
    const std::vector<int>& cascade() const { return m_cascade; }
    SubjectMenuWindow* windowOf(int number);
    // What clicking an item of a menu does.
    void choose(int number, int item);
    QMenu* popupMenu() { return m_popup.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openChild(int number, int item);
    void closeDeeperThan(std::size_t depth);
    void hovered(int number, int item);
    void placeTop(SubjectMenuWindow* window, QWidget* anchor);
    void placeChild(SubjectMenuWindow* window, SubjectMenuWindow* parent, int item);
    void discardWindows();
    QMenu* popupOf(int number);
    void applyLook(SubjectMenuLook look);

    MainWindow& m_window;
    Messages& m_messages;
    SubjectTree m_tree;
    SubjectMenuLook m_look;
    int m_fontSize = 8;
    Display m_display = Display::Cascade;
    QString m_path;
    QAction* m_loadAction = nullptr;
    std::map<int, SubjectMenuWindow*> m_windows;  // made on first showing
    std::vector<int> m_cascade;
    std::vector<int> m_hiddenWithWindow;
    QTimer m_hoverTimer;
    int m_hoverMenu = 0;
    int m_hoverItem = -1;
    std::unique_ptr<QMenu> m_popup;
};

}  // namespace tally

#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include "session/subject_outline.h"

namespace tally {

// The colours of the subject menus: text and background of the document's base text, the
// item under the mouse in the two swapped, formulas in a colour of their own.
struct SubjectMenuLook {
    QFont font;
    QColor text;
    QColor background;
    QColor formula;
};

// One menu of the help subjects (frmMenu): a borderless window that lists the menu's items
// one per line, an item that opens a submenu marked ">>" at the right, the item under the
// mouse highlighted. It takes no focus, so that typing goes on in the document. A menu taller
// than the screen scrolls with the wheel.
class SubjectMenuWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kSubmenuMark = "  >>";

    SubjectMenuWindow(const SubjectTree& tree, int number, const SubjectMenuLook& look,
                      QWidget* parent);

    int number() const { return m_number; }
    void setLook(const SubjectMenuLook& look);
    // The item at a point of the window, -1 for none.
    int itemAt(QPoint point) const;
    // Where an item stands, in the window's coordinates.
    QRect itemRect(int item) const;
    int highlighted() const { return m_highlighted; }
    // Marks the item whose submenu is open, so that the path through the cascade shows;
    // -1 for none.
    void setOpenItem(int item);
    int openItem() const { return m_openItem; }
    // The text the window shows for an item, without the submenu mark.
    static QString displayText(const SubjectMenu& menu, int item);

  signals:
    void itemHovered(int item);
    void itemClicked(int item);
    void closeRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void fitToScreen();
    int visibleItems() const;
    void setHighlighted(int item);

    const SubjectMenu& menu() const { return m_tree.menu(m_number); }
    int rowHeight() const;

    const SubjectTree& m_tree;
    int m_number;
    SubjectMenuLook m_look;
    int m_highlighted = -1;
    int m_openItem = -1;
    int m_firstShown = 0;  // the first item shown when the menu scrolls
};

}  // namespace tally

#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "appearance/text_classes.h"
#include "session/keypad_function_list.h"
#include "session/keypad_keys.h"

class QPixmap;

namespace tally {

class Appearance;

// One key of the keypad. It reacts to the left and the right mouse button alike: a press
// shows it held down, a release over it reports it. It never takes the keyboard focus, so
// the key types into the input that had the focus.
class KeypadKey : public QWidget {
    Q_OBJECT
  public:
    KeypadKey(KeyRef ref, const Appearance& appearance, QWidget* parent);

    KeyRef ref() const { return m_ref; }
    const QString& tag() const { return m_tag; }
    void setTag(const QString& tag);

  signals:
    void released(tally::KeyRef key, tally::KeyButton button);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    const KeyRef m_ref;
    const Appearance& m_appearance;
    QString m_tag;
    Qt::MouseButton m_held = Qt::NoButton;
    bool m_hovered = false;
};

// The keypad's function list (FuncList): one row of as many entries as it has columns;
// "<<" and ">>" turn the list to bring the others into view. A click on an entry reports it.
class FunctionListView : public QWidget {
    Q_OBJECT
  public:
    FunctionListView(const KeypadFunctionList& list, const Appearance& appearance, QWidget* parent);

    void setColumns(int columns);
    int columns() const { return m_columns; }
    // The entries shown, first to last.
    QStringList shownEntries() const;
    QRect entryRect(int column) const;

  signals:
    void chosen(const QString& name);

  protected:
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int columnAt(const QPoint& point) const;

    const KeypadFunctionList& m_list;
    const Appearance& m_appearance;
    int m_columns = 1;
    int m_hovered = -1;
    int m_held = -1;
};

// The on-screen keypad: the character keys (Letter 0..56), the operation keys (Oper 0..8)
// and the function list, laid out in rows like a keyboard and painted in the look of the
// window, plain or on its skin. It knows its letters, case and key style; what a key does
// is the window's business (keyReleased).
class Keypad : public QWidget {
    Q_OBJECT
  public:
    Keypad(const Appearance& appearance, QWidget* parent);

    const KeypadLetters& letters() const { return m_letters; }
    // The case key: capitals to small letters and back; Latin to Russian letters and back.
    void switchCase();
    void switchLanguage();
    KeyStyle keyStyle() const { return m_style; }
    void setKeyStyle(KeyStyle style);

    // The list works on `names` (the user definitions' list) from now on.
    void setFunctionNames(std::vector<std::u16string>& names);
    KeypadFunctionList& functionList() { return m_functions; }
    // The number of columns chosen for the function list (1..8); fewer are shown when the
    // list is shorter.
    int functionColumns() const { return m_functionColumns; }
    void setFunctionColumns(int columns);
    // The list changed: it is shown again.
    void refreshFunctionList();
    FunctionListView* functionListView() const { return m_functionView; }

    KeypadKey* key(KeyRef ref) const;
    // Over the document (the pop-up keypad) the keypad paints its own background: the
    // window's skin picture `cover` (which covers the window) or the window's colour.
    void setOverlay(bool overlay, const QPixmap* cover);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void keyReleased(tally::KeyRef key, tally::KeyButton button);
    void functionChosen(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Key sizes in pixels: those the style asks for, and the smallest that still show every
    // caption.
    struct Metrics {
        int margin;
        int gap;
        int keyWidth;
        int keyHeight;
        int smallestKeyWidth;
        int smallestKeyHeight;
    };
    Metrics metrics() const;
    QSize sizeFor(int keyWidth, int keyHeight) const;
    void relabel();
    void placeKeys();

    const Appearance& m_appearance;
    KeypadLetters m_letters;
    KeyStyle m_style = KeyStyle::Compact;
    std::vector<std::u16string> m_ownFunctionNames;
    KeypadFunctionList m_functions;
    int m_functionColumns = 4;
    std::array<KeypadKey*, kLetterKeyCount> m_letterKeys{};
    std::array<KeypadKey*, kOperKeyCount> m_operKeys{};
    FunctionListView* m_functionView = nullptr;
    bool m_overlay = false;
    const QPixmap* m_cover = nullptr;
    // How the keys are placed now: the sizes and the width of one key.
    Metrics m_metrics{};
    double m_unit = 0;
};

// Paints a key or a function-list entry as the look has it: on a skin with a raised edge,
// otherwise as the style's push button in the colours of its text class.
void paintKey(QPainter& painter, const QWidget& widget, const QRect& rect, const QString& text,
              const Appearance& appearance, LookClass lookClass, bool down);

}  // namespace tally

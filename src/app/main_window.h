#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <optional>

#include <functional>
#include "app/platform_adapters.h"
#include "appearance/appearance.h"
#include "appearance/appearance_dialog.h"
#include "engine/engine_settings.h"
#include "graph/plot_window_sink.h"
#include "session/menu_insertion.h"

class QAction;
class QActionGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QSizeGrip;

namespace tally {

class Engine;
class CalculationDriver;
class DocumentEditor;
class Catalogue;
class WindowDrag;
class EditCommands;
class Messages;
class WindowModes;

// The main window (frmCalc): the calculation document, the decimal field over its history
// box, the variables box, the menus and the option strip. It owns the program's appearance
// and wears it: the dressed look paints the window on the skin picture without a frame.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Engine& engine, CalculationDriver& driver, DocumentEditor& editor,
               const Catalogue& catalogue, QWidget* parent = nullptr);
    ~MainWindow() override;

    DocumentEditor& editor() { return m_editor; }
    QComboBox* resultBox() { return m_cmbDec; }
    QComboBox* variablesBox() { return m_cmbVar; }
    QAction* resultToClipboardAction() { return m_mnuResClip; }
    QAction* convertSeparatorsAction() { return m_mnuDotComma; }
    QAction* useDimensionsAction() { return m_mnuUseDimension; }
    // Where the plotting functions draw.
    PlotWindowSink& plotWindow() { return m_plot; }
    QAction* appearanceAction() { return m_mnuAppearance; }
    QMenu* screenSizeMenu() { return m_mnuScreenSize; }

    Appearance& appearance() { return m_appearance; }
    // The appearance dialog while it is open.
    AppearanceDialog* appearanceDialog() const { return m_appearanceDialog; }
    void openAppearanceDialog();

    // The window text class as the window's font and colours.
    void setGenFont();
    // The dressed look (skin, no frame, dragged by its body) or the standard window.
    void setSkin();
    // Makes the document tall enough for the chosen number of 10-point lines, keeping the
    // window on its screen.
    void setScreenSize();
    // Moves the window, and shrinks it where it is larger, onto the screen it is on.
    void placeOnScreen();
    // (Re)builds every menu; the catalogue's menus grow when user definitions are loaded.
    void buildMenus(const Catalogue& catalogue);
    void setAngleMode(AngleMode mode);
    AngleMode angleMode() const;
    // The lists the calculation changes, shown again.
    void refreshLists();
    // The decimal field and its box of added calculations, shown again.
    void showResultBox();
    // Inserts text where the user types: the decimal field when it was the last to have
    // the focus, otherwise the document, replacing the selection there. The caret then
    // steps back `stepBack` characters, so that "()" leaves it between the brackets.
    void insertAtInput(const QString& text, int stepBack = 0);
    // What wraps a unit inserted from the unit menus or the units list ("[" and "]" while
    // the units list's Brackets option is on).
    UnitWrapping& unitWrapping() { return m_unitWrapping; }

    // Puts items into the Options menu, in a group of their own before "Выход".
    void addOptionsItems(const QList<QAction*>& actions);
    // Adds a label to the option strip that acts as a button.
    QLabel* addOptionLabel(const QString& objectName, const QString& caption,
                           const QString& toolTip, std::function<void()> clicked);

    // The Edit menu's commands on the document, with its undo history and find dialog.
    EditCommands& editCommands() { return *m_editCommands; }
    // The notification icon, hiding and "Always On &Top".
    WindowModes& windowModes() { return *m_windowModes; }
    // Where the Edit commands report what went wrong (a print that failed).
    void setMessages(Messages* messages);
    // A document was loaded: its text is where undoing stops.
    void resetUndoHistory();
    bool isAlwaysOnTop() const;
    void setAlwaysOnTop(bool on);
    // A tool window (units list, plot window, dialogs) that closes when the main window hides
    // and stays above other windows while the main window does. Call before showing it.
    void prepareToolWindow(QWidget* window);

  signals:
    // Something the user would not want to lose changed (document or definitions).
    void workChanged();
    void exitRequested();
    void helpRequested();
    void aboutRequested();
    // "Always On &Top" changed; tool windows that are open follow it.
    void alwaysOnTopChanged(bool on);
    // The window became active: the help-subject windows re-arrange.
    void activated();
    // The window hid into the notification area (the subject windows close, the plot window
    // hides) or came back from it (the subject windows that were open show again).
    void hiddenToTray();
    void restoredFromTray();
    // The notification icon asks for the plot window, if there is one.
    void plotWindowRequested();

  public slots:
    // A line under the document that stays until it is cleared: work that is not saved.
    void showNotice(const QString& text);
    void clearNotice();
    // Ends the program in order (a termination signal, Exit): a running calculation is
    // stopped first and the program ends when it has unwound.
    void requestExit();
    void calculateCurrentLine();
    void addCalculation();
    // The close box and the keypad's "X": into the notification area, tool windows closed.
    void hideToTray();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLayout();
    void buildTitleButtons();
    void buildEditingAndModes();

    void buildOptionsMenu();
    void buildScreenSizeMenu(QMenu* options);
    void colourResultBox();
    void rebuildUserFunctionMenu();

    Engine& m_engine;
    CalculationDriver& m_driver;
    DocumentEditor& m_editor;
    QtEventPump m_pump;
    QtClipboard m_clipboard;
    PlotWindowSink m_plot{this};
    Appearance m_appearance;
    WindowDrag* m_drag = nullptr;
    QPixmap m_skinCover;
    std::optional<ResolvedLook> m_shownWindowLook;  // as setGenFont last applied it
    bool m_shownDressed = false;
    QPointer<AppearanceDialog> m_appearanceDialog;

    bool m_closeAfterCalculation = false;
    QComboBox* m_cmbDec = nullptr;
    QComboBox* m_cmbVar = nullptr;
    QLabel* m_angleLabel = nullptr;
    QLabel* m_counter = nullptr;
    QLabel* m_notice = nullptr;
    QWidget* m_titleButtons = nullptr;
    QSizeGrip* m_sizeGrip = nullptr;
    std::unique_ptr<LabelProgress> m_progress;
    QAction* m_mnuResClip = nullptr;
    QAction* m_mnuDotComma = nullptr;
    QAction* m_mnuUseDimension = nullptr;
    QAction* m_mnuAppearance = nullptr;
    QMenu* m_mnuScreenSize = nullptr;
    QActionGroup* m_screenSizes = nullptr;
    QMenu* m_mnuOptions = nullptr;
    QAction* m_optionsEnd = nullptr;  // the separator before "Выход"
    QHBoxLayout* m_strip = nullptr;
    UnitWrapping m_unitWrapping;
    QMenu* m_mnuFuncUser = nullptr;
    std::vector<QMenu*> m_catalogueMenus;
    EditCommands* m_editCommands = nullptr;
    WindowModes* m_windowModes = nullptr;
    // The program is ending: closing the window is no longer turned into hiding it.
    bool m_exiting = false;
};

}  // namespace tally

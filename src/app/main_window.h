#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <functional>
#include "app/platform_adapters.h"
#include "appearance/appearance.h"
#include "appearance/appearance_dialog.h"
#include "engine/engine_settings.h"
#include "graph/plot_window_sink.h"
#include "session/keypad_keys.h"
#include "session/menu_insertion.h"

class QAction;
class QActionGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QSizeGrip;
class QVBoxLayout;

namespace tally {

class Engine;
class CalculationDriver;
class DocumentEditor;
class Catalogue;
class WindowDrag;
class EditCommands;
class Messages;
class WindowModes;
class Keypad;
class OptionStrip;
class InputLanguage;
class KeypadTarget;
class DocumentTarget;
class DecimalFieldTarget;
struct WindowSettings;

// The main window (frmCalc): the calculation document, the decimal field over its history
// box, the variables box, the menus, the option strip and the keypad. It owns the program's
// appearance and wears it: the dressed look paints the window on the skin picture without a
// frame.
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
    // What wraps a unit inserted from the unit menus or the units list ("[" and "]" while
    // the units list's Brackets option is on).
    UnitWrapping& unitWrapping() { return m_unitWrapping; }

    // Puts items into the Options menu, in a group of their own before "Выход".
    void addOptionsItems(const QList<QAction*>& actions);

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

    // The one way the keypad and the menus type: `text` replaces the selection of the input
    // the user types into (the decimal field while it is active, otherwise the document),
    // then the caret steps back `stepBack` characters. Nothing is typed while a calculation
    // runs.
    void insertAtInput(const QString& text, int stepBack = 0);
    // The decimal field was the input last given the focus: the keypad types into it.
    bool decimalFieldActive();

    Keypad& keypad() { return *m_keypad; }
    OptionStrip& optionStrip() { return *m_optionStrip; }
    // How the keypad is shown ("KeypadShow"): it pops up while the mouse is over it or the
    // option strip, it is always present, or it is absent. Another number checks none of the
    // three menu items and leaves the keypad present.
    enum KeypadShow { PopUpKeypad = 1, FixedKeypad = 2, AbsentKeypad = 3 };
    void setKeypadShow(int show);
    int keypadShow() const { return m_keypadShow; }
    void setKeyStyle(KeyStyle style);
    // The keypad's settings from the store, and back into it.
    void applyKeypadSettings(const WindowSettings& settings);
    void keepKeypadSettings(WindowSettings& settings) const;
    // The keypad's function list is the user definitions' one from now on.
    void setKeypadFunctions(std::vector<std::u16string>& names);
    // The keyboard's input language; the keypad's letters switch it where the platform can.
    InputLanguage& inputLanguage() { return *m_inputLanguage; }
    void setInputLanguage(std::unique_ptr<InputLanguage> language);
    QMenu* optionsMenu() const { return m_mnuOptions; }
    QMenu* helpMenu() const { return m_mnuHelp; }

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
    // A key of the keypad was released over it, with the focus where it was.
    void pressKeypadKey(tally::KeyRef key, tally::KeyButton button);
    // The pop-up keypad is shown while the mouse is over it or over the option strip.
    void updatePopUpKeypad();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLayout();
    void buildTitleButtons();
    void buildEditingAndModes();
    void placeSizeGrip();
    void connectOptionStrip();
    void popUpMenu(QMenu* menu, QWidget* under);

    // Calculates the document's current line; false when refused because one runs.
    bool calculateLine();
    // The line after the caret's when it is empty, otherwise a new line at the caret.
    void nextLineStep();
    // "clr": the selection, or else the whole input.
    void clearInput();
    // The input the keypad types into, with the focus given back to it.
    KeypadTarget& inputTarget();
    QWidget& inputWidget();
    void addKeypadShowMenus(QMenu* options);
    void addFunctionListMenus(QMenu* options);
    void fillKeypadFunctionMenu(QMenu* menu, const std::vector<std::u16string>& captions);
    void functionListChanged();
    // With "Auto-adding" on, the functions the last calculation defined join the list.
    void addNewUserFunctionsToKeypad(const std::vector<std::u16string>& before);

    void buildOptionsMenu();
    void buildScreenSizeMenu(QMenu* options);
    void colourResultBox();
    void rebuildUserFunctionMenu();

    Engine& m_engine;
    CalculationDriver& m_driver;
    DocumentEditor& m_editor;
    const Catalogue& m_catalogue;
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
    QVBoxLayout* m_centralLayout = nullptr;
    OptionStrip* m_optionStrip = nullptr;
    QLabel* m_angleLabel = nullptr;
    QLabel* m_counter = nullptr;
    QLabel* m_notice = nullptr;
    QWidget* m_titleButtons = nullptr;
    QSizeGrip* m_sizeGrip = nullptr;
    Keypad* m_keypad = nullptr;
    std::unique_ptr<InputLanguage> m_inputLanguage;
    std::unique_ptr<DocumentTarget> m_documentTarget;
    std::unique_ptr<DecimalFieldTarget> m_fieldTarget;
    bool m_decimalFieldActive = false;
    int m_keypadShow = 0;
    QTimer m_popUpTimer;
    std::unique_ptr<LabelProgress> m_progress;
    QAction* m_mnuResClip = nullptr;
    QAction* m_mnuDotComma = nullptr;
    QAction* m_mnuUseDimension = nullptr;
    QAction* m_mnuAppearance = nullptr;
    QMenu* m_mnuScreenSize = nullptr;
    QActionGroup* m_screenSizes = nullptr;
    QMenu* m_mnuOptions = nullptr;
    QAction* m_optionsEnd = nullptr;  // the separator before "Выход"
    UnitWrapping m_unitWrapping;
    QMenu* m_mnuFuncUser = nullptr;
    QMenu* m_mnuHelp = nullptr;
    QActionGroup* m_keypadShows = nullptr;
    QActionGroup* m_keyStyles = nullptr;
    QActionGroup* m_functionColumns = nullptr;
    QAction* m_mnuAddUserFuncToKeypad = nullptr;
    std::vector<QMenu*> m_catalogueMenus;
    EditCommands* m_editCommands = nullptr;
    WindowModes* m_windowModes = nullptr;
    // The program is ending: closing the window is no longer turned into hiding it.
    bool m_exiting = false;
};

}  // namespace tally

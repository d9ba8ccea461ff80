#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>

#include "app/appearance.h"
#include "app/platform_adapters.h"
#include "engine/engine_settings.h"
#include "session/menu_insertion.h"

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;

namespace tally {

class Engine;
class CalculationDriver;
class DocumentEditor;
class Catalogue;

// The main window (frmCalc): the calculation document, the decimal field over its history
// box, the variables box, the menus and the option strip.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Engine& engine, CalculationDriver& driver, DocumentEditor& editor,
               const Catalogue& catalogue, QWidget* parent = nullptr);

    DocumentEditor& editor() { return m_editor; }
    QComboBox* resultBox() { return m_cmbDec; }
    QComboBox* variablesBox() { return m_cmbVar; }
    QAction* resultToClipboardAction() { return m_mnuResClip; }
    QAction* convertSeparatorsAction() { return m_mnuDotComma; }
    QAction* useDimensionsAction() { return m_mnuUseDimension; }

    void applyAppearance(const Appearance& appearance);
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

  signals:
    // Something the user would not want to lose changed (document or definitions).
    void workChanged();
    void exitRequested();

  public slots:
    void calculateCurrentLine();
    void addCalculation();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildLayout();

    void buildOptionsMenu();
    void rebuildUserFunctionMenu();

    Engine& m_engine;
    CalculationDriver& m_driver;
    DocumentEditor& m_editor;
    QtEventPump m_pump;
    QtClipboard m_clipboard;
    const Appearance* m_appearance = nullptr;

    QComboBox* m_cmbDec = nullptr;
    QComboBox* m_cmbVar = nullptr;
    QLabel* m_angleLabel = nullptr;
    QLabel* m_counter = nullptr;
    std::unique_ptr<LabelProgress> m_progress;
    QAction* m_mnuResClip = nullptr;
    QAction* m_mnuDotComma = nullptr;
    QAction* m_mnuUseDimension = nullptr;
    QMenu* m_mnuOptions = nullptr;
    QAction* m_optionsEnd = nullptr;  // the separator before "Выход"
    QHBoxLayout* m_strip = nullptr;
    UnitWrapping m_unitWrapping;
    QMenu* m_mnuFuncUser = nullptr;
    std::vector<QMenu*> m_catalogueMenus;
};

}  // namespace tally

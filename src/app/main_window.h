#pragma once

#include <QMainWindow>
#include <QTimer>

#include "app/appearance.h"
#include "app/platform_adapters.h"
#include "engine/engine_settings.h"
#include "graph/plot_window_sink.h"

class QAction;
class QComboBox;
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
    // Where the plotting functions draw.
    PlotWindowSink& plotWindow() { return m_plot; }

    void applyAppearance(const Appearance& appearance);
    // (Re)builds every menu; the catalogue's menus grow when user definitions are loaded.
    void buildMenus(const Catalogue& catalogue);
    void setAngleMode(AngleMode mode);
    AngleMode angleMode() const;
    // The lists the calculation changes, shown again.
    void refreshLists();
    // Inserts text where the user is typing: the decimal field when it has the focus,
    // otherwise the document.
    void insertAtInput(const QString& text);

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
    void showResultBox();

    Engine& m_engine;
    CalculationDriver& m_driver;
    DocumentEditor& m_editor;
    QtEventPump m_pump;
    QtClipboard m_clipboard;
    PlotWindowSink m_plot{this};
    const Appearance* m_appearance = nullptr;

    QComboBox* m_cmbDec = nullptr;
    QComboBox* m_cmbVar = nullptr;
    QLabel* m_angleLabel = nullptr;
    QLabel* m_counter = nullptr;
    std::unique_ptr<LabelProgress> m_progress;
    QAction* m_mnuResClip = nullptr;
    QAction* m_mnuDotComma = nullptr;
    QAction* m_mnuUseDimension = nullptr;
    QMenu* m_mnuFuncUser = nullptr;
    std::vector<QMenu*> m_catalogueMenus;
};

}  // namespace tally

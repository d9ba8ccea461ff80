#pragma once

#include <QImage>
#include <QWidget>

#include "graph/plot_look.h"
#include "graph/plot_model.h"
#include "graph/plot_title_bar.h"

class QLabel;
class QMenu;

namespace tally {

class PlotCanvas;

// The plot window (frmGraph): the body that shows the plot, a status line with the values
// under the mouse, and a menu on the plot area's right button to copy or save the plot.
// It owns the plot's data, so closing it (which deletes it) forgets the plot and its
// ranges. It shows itself without taking the keyboard from the window the user types in.
class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWindow(QWidget* owner = nullptr);

    PlotModel& model() { return m_model; }
    PlotCanvas& canvas() { return *m_canvas; }
    QLabel& statusLine() { return *m_status; }
    QMenu& menu() { return *m_menu; }

    void setLook(const PlotLook& look);
    // Dressed: no frame, the skinned title bar with its hide and close keys and a border
    // around the window; undressed (no dress): the standard window.
    void setDress(const std::optional<PlotDress>& dress);
    bool dressed() const { return m_dressed; }
    PlotTitleBar& titleBar() { return *m_titleBar; }
    // Keeps the window above all others, or not.
    void setAlwaysOnTop(bool onTop);
    // The plot changed: the caption follows the title and the body is repainted.
    void plotChanged();
    // Shows the window, restoring it when minimised, without activating it.
    void showPlot();

    // The plot area as an image of its size on screen.
    QImage plotAreaImage() const;
    // The plot area as an SVG document.
    QByteArray plotAreaSvg() const;
    // Puts the plot area on the clipboard as a bitmap and as SVG.
    void copyToClipboard() const;
    // Writes the whole plot with its labels: SVG when the name ends in ".svg", PNG
    // otherwise. The file is replaced only when the writing succeeded; false with
    // `error` set otherwise.
    [[nodiscard]] bool saveTo(const QString& path, QString& error) const;

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildMenu();
    void saveWithDialog();

    PlotModel m_model;
    PlotTitleBar* m_titleBar = nullptr;
    PlotCanvas* m_canvas = nullptr;
    QLabel* m_status = nullptr;
    QMenu* m_menu = nullptr;
    bool m_dressed = false;
};

}  // namespace tally

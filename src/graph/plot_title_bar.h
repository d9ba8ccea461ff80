#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>

#include "graph/window_move.h"

class QPainter;

namespace tally {

// How the plot window is dressed when the main window wears a skin: the painters of the
// skin behind its title bar and of the bar's keys, so that they look like the rest of the
// dressed program, and the title's font and colour.
struct PlotDress {
    QFont titleFont;
    QColor titleColour;
    std::function<void(QPainter& painter, const QRect& area)> paintSkin;
    std::function<void(QPainter& painter, const QRect& key, const QString& caption, bool down)>
        paintKey;
};

// The plot window's own title bar while it is dressed (the window has no frame then): the
// title on the skin, the hide key "_" and the close key "X". Pressing anywhere else on it
// moves the window.
class PlotTitleBar : public QWidget {
    Q_OBJECT
  public:
    explicit PlotTitleBar(QWidget* parent);

    void setDress(const PlotDress& dress);
    void setTitle(const QString& title);
    QString title() const { return m_title; }

    // Where the keys are, in the bar's coordinates.
    QRect hideKey() const;
    QRect closeKey() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void hideRequested();
    void closeRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    enum class Key { None, Hide, Close };
    Key keyAt(const QPoint& at) const;
    int keySize() const;

    PlotDress m_dress;
    QString m_title;
    Key m_pressed = Key::None;
    WindowMove m_windowMove;
};

}  // namespace tally

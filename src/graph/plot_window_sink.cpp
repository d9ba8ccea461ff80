#include "graph/plot_window_sink.h"

#include <QGuiApplication>
#include <QScreen>

#include "graph/plot_canvas.h"
#include "graph/plot_window.h"

namespace tally {

namespace {

// Room kept for the frame that the window manager adds around the window.
constexpr int kFrameAllowance = 12;

// Beside the owner's right edge when the screen has room there, otherwise where it fits.
void placeBeside(PlotWindow& window, const QWidget* owner) {
    if (!owner) return;
    QScreen* screen = owner->screen();
    if (!screen) return;
    QRect available = screen->availableGeometry();
    QRect frame = owner->frameGeometry();
    QSize size = window.size() + QSize(kFrameAllowance, 2 * kFrameAllowance);
    QPoint at(frame.right() + 8, frame.top());
    if (at.x() + size.width() > available.right()) {
        at.setX(available.right() - size.width());
    }
    at.setX(std::max(at.x(), available.left()));
    at.setY(std::clamp(at.y(), available.top(),
                       std::max(available.top(), available.bottom() - size.height())));
    window.move(at);
}

}  // namespace

PlotWindowSink::PlotWindowSink(QWidget* owner) : m_owner(owner) {}

PlotWindowSink::~PlotWindowSink() {
    delete m_window.data();
}

void PlotWindowSink::open(std::u16string_view title) {
    if (!m_window) {
        m_window = new PlotWindow(m_owner);
        m_window->setLook(m_look);
        m_window->setAlwaysOnTop(m_onTop);
        if (m_dress) m_window->setDress(m_dress);
        placeBeside(*m_window, m_owner);
        // Closing forgets the window at once, even while a calculation still sends points.
        QObject::connect(m_window, &PlotWindow::closed, m_window, [this] { m_window = nullptr; });
    }
    m_window->model().open(title);
    m_window->showPlot();
}

void PlotWindowSink::limits(double xMin, double xMax, double yMin, double yMax) {
    if (!m_window) return;
    m_window->model().limits(xMin, xMax, yMin, yMax);
    m_window->plotChanged();
}

void PlotWindowSink::plotValue(double x, double y, bool connect) {
    if (!m_window) return;
    m_window->model().plotValue(x, y, connect);
    m_window->canvas().update();
}

void PlotWindowSink::yPlot(double x, double y) {
    if (!m_window) return;
    m_window->model().yPlot(x, y);
    m_window->canvas().update();
}

void PlotWindowSink::bufPlot() {
    if (!m_window) return;
    PlotModel& model = m_window->model();
    bool wasFixed = model.rangesFixed();
    model.bufPlot();
    if (!wasFixed && model.rangesFixed()) {
        m_window->showPlot();
    } else {
        m_window->plotChanged();
    }
}

void PlotWindowSink::setLook(const PlotLook& look) {
    m_look = look;
    if (m_window) m_window->setLook(look);
}

void PlotWindowSink::setDress(const std::optional<PlotDress>& dress) {
    m_dress = dress;
    if (m_window) m_window->setDress(dress);
}

void PlotWindowSink::setAlwaysOnTop(bool onTop) {
    m_onTop = onTop;
    if (m_window) m_window->setAlwaysOnTop(onTop);
}

bool PlotWindowSink::shown() const {
    return m_window && m_window->isVisible() && !m_window->isMinimized();
}

}  // namespace tally

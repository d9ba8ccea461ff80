#include "graph/plot_window.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "graph/plot_canvas.h"
#include "graph/plot_layout.h"
#include "graph/qt_plot_painter.h"
#include "graph/window_flags.h"

namespace tally {

namespace {

const QString kSvgSuffix = QStringLiteral("svg");

QByteArray svgOf(const PlotModel& model, const PlotLook& look, QSizeF size, PlotPart part,
                 const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), size));
    generator.setTitle(title);
    // Text sizes follow the screen's pixels.
    generator.setResolution(96);
    renderPlot(generator, model, look, size, part);
    return buffer.data();
}

}  // namespace

PlotWindow::PlotWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmGraph"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The skinned title bar stands above the body while the window is dressed.
    m_titleBar = new PlotTitleBar(this);
    m_titleBar->hide();
    layout->addWidget(m_titleBar);
    connect(m_titleBar, &PlotTitleBar::hideRequested, this, &QWidget::hide);
    connect(m_titleBar, &PlotTitleBar::closeRequested, this, &QWidget::close);
    m_canvas = new PlotCanvas(m_model, this);
    layout->addWidget(m_canvas, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setContentsMargins(PlotLayout::kMargin, 2, PlotLayout::kMargin, 2);
    m_status->setAutoFillBackground(true);
    layout->addWidget(m_status);
    connect(m_canvas, &PlotCanvas::pointedValues, m_status, &QLabel::setText);
    connect(m_canvas, &PlotCanvas::menuRequested, this, [this](QPoint at) { m_menu->popup(at); });
    buildMenu();
    setLook(PlotLook{});
    resize(static_cast<int>(PlotLayout::kDefaultBodyWidth),
           static_cast<int>(PlotLayout::kDefaultBodyHeight) + m_status->sizeHint().height());
}

void PlotWindow::buildMenu() {
    m_menu = new QMenu(this);
    QAction* copy = m_menu->addAction(QStringLiteral("Копировать"));
    copy->setObjectName(QStringLiteral("mnuCopy"));
    connect(copy, &QAction::triggered, this, &PlotWindow::copyToClipboard);
    QAction* save = m_menu->addAction(QStringLiteral("Сохранить как..."));
    save->setObjectName(QStringLiteral("mnuSaveAs"));
    connect(save, &QAction::triggered, this, &PlotWindow::saveWithDialog);
}

void PlotWindow::setLook(const PlotLook& look) {
    m_canvas->setLook(look);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(look.windowBackground)));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(static_cast<QRgb>(look.labelColour)));
    m_status->setPalette(palette);
    m_status->setFont(labelFontOf(look));
    // The status line keeps its height when it is empty.
    m_status->setMinimumHeight(m_status->fontMetrics().height() + 4);
}

void PlotWindow::setAlwaysOnTop(bool onTop) {
    changeWindowFlag(*this, Qt::WindowStaysOnTopHint, onTop);
}

void PlotWindow::setDress(const std::optional<PlotDress>& dress) {
    m_dressed = dress.has_value();
    if (dress) m_titleBar->setDress(*dress);
    m_titleBar->setVisible(m_dressed);
    // The border painted around a dressed window takes the place of the frame.
    int border = m_dressed ? 2 : 0;
    layout()->setContentsMargins(border, border, border, border);
    changeWindowFlag(*this, Qt::FramelessWindowHint, m_dressed);
    update();
}

void PlotWindow::paintEvent(QPaintEvent*) {
    if (!m_dressed) return;
    QPainter painter(this);
    QRect edge = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(edge.adjusted(1, 1, -1, -1));
}

void PlotWindow::plotChanged() {
    QString title = QString::fromStdU16String(m_model.title());
    if (windowTitle() != title) setWindowTitle(title);
    m_titleBar->setTitle(title);
    m_canvas->update();
}

void PlotWindow::showPlot() {
    plotChanged();
    if (isMinimized()) {
        showNormal();
    } else if (!isVisible()) {
        show();
    }
}

QImage PlotWindow::plotAreaImage() const {
    QRectF area = m_canvas->plotArea();
    QSize size = area.size().toSize().expandedTo(QSize(1, 1));
    qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    renderPlot(image, m_model, m_canvas->look(), size, PlotPart::Area);
    return image;
}

QByteArray PlotWindow::plotAreaSvg() const {
    QSizeF size = m_canvas->plotArea().size().expandedTo(QSizeF(1, 1));
    return svgOf(m_model, m_canvas->look(), size, PlotPart::Area, windowTitle());
}

void PlotWindow::copyToClipboard() const {
    auto* mime = new QMimeData;
    mime->setImageData(plotAreaImage());
    mime->setData(QStringLiteral("image/svg+xml"), plotAreaSvg());
    QApplication::clipboard()->setMimeData(mime);
}

bool PlotWindow::saveTo(const QString& path, QString& error) const {
    QSize size = m_canvas->size();
    QByteArray bytes;
    if (QFileInfo(path).suffix().compare(kSvgSuffix, Qt::CaseInsensitive) == 0) {
        bytes = svgOf(m_model, m_canvas->look(), size, PlotPart::Body, windowTitle());
    } else {
        qreal ratio = devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        renderPlot(image, m_model, m_canvas->look(), size, PlotPart::Body);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            error = QStringLiteral("рисунок не удалось закодировать");
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void PlotWindow::saveWithDialog() {
    static const QString png = QStringLiteral("Рисунок PNG (*.png)");
    static const QString svg = QStringLiteral("Рисунок SVG (*.svg)");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QDir(folder).exists()) folder = QDir::homePath();
    QString chosen = png;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить график"),
                                                folder + QStringLiteral("/График.png"),
                                                png + QStringLiteral(";;") + svg, &chosen);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += chosen == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    }
    QString error;
    if (!saveTo(path, error)) {
        QMessageBox::warning(this, QStringLiteral("Tally Сохранение"),
                             QStringLiteral("Не удалось сохранить график в %1: %2")
                                 .arg(QDir::toNativeSeparators(path), error));
    }
}

void PlotWindow::closeEvent(QCloseEvent* event) {
    emit closed();
    QWidget::closeEvent(event);
}

}  // namespace tally

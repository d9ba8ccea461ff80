// The plot window on the offscreen platform: what its pixels show for the plots of whole
// calculation lines, and what the user does with it (copy, save, read values, move, close).
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "graph/plot_canvas.h"
#include "graph/plot_window.h"
#include "graph/plot_window_sink.h"

using namespace tally;

namespace {

const QColor kAxis = QColor::fromRgb(PlotLook{}.axisColour);
const QColor kCurve = QColor::fromRgb(PlotLook{}.curveColour);

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           tolerance;
}

// Whether a column (vertical) or a row across the plot area has the axis colour, but where
// curves cross it.
bool hasAxis(const QImage& image, QRect area, Qt::Orientation orientation) {
    bool vertical = orientation == Qt::Vertical;
    int lines = vertical ? area.width() : area.height();
    int length = vertical ? area.height() : area.width();
    for (int line = 0; line < lines; ++line) {
        int count = 0;
        for (int along = 0; along < length; ++along) {
            QPoint at = vertical ? QPoint(area.left() + line, area.top() + along)
                                 : QPoint(area.left() + along, area.top() + line);
            count += image.pixelColor(at) == kAxis;
        }
        if (count >= length * 9 / 10) return true;
    }
    return false;
}

// The runs of curve-coloured pixels down one column: one per curve crossing it.
int curvesCrossing(const QImage& image, int x, QRect area) {
    int runs = 0;
    bool inside = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool curve = near(image.pixelColor(x, y), kCurve, 120);
        if (curve && !inside) ++runs;
        inside = curve;
    }
    return runs;
}

int curvePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += near(image.pixelColor(x, y), kCurve, 120);
    return count;
}

}  // namespace

class PlotWindowTest : public QObject {
    Q_OBJECT

  private:
    // Lines calculated as the window program does, drawing into plot windows.
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<TextDocument> m_document;
    std::unique_ptr<CalculationDriver> m_driver;
    std::unique_ptr<PlotWindowSink> m_sink;

    void calculate(std::u16string_view line) {
        m_document->appendLine(line);
        m_driver->calculateCurrentLine();
    }
    PlotWindow& window() {
        PlotWindow* window = m_sink->window();
        if (!window) qFatal("no plot window");
        return *window;
    }
    QImage shot() {
        return window().canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRect area() { return window().canvas().plotArea().toAlignedRect().adjusted(1, 1, -1, -1); }
    // The pixel column of a fraction across the plot area.
    int column(double fraction) {
        QRectF a = window().canvas().plotArea();
        return static_cast<int>(a.left() + 3 + fraction * (a.width() - 6));
    }

  private slots:
    void init() {
        m_engine = std::make_unique<Engine>();
        m_document = std::make_unique<TextDocument>();
        m_driver = std::make_unique<CalculationDriver>(*m_engine, *m_document);
        m_sink = std::make_unique<PlotWindowSink>(nullptr);
        // Broad curves, so that their pixels keep the curve colour.
        PlotLook look;
        look.curveWidth = 3;
        m_sink->setLook(look);
        m_engine->setPlotSink(m_sink.get());
    }
    void cleanup() {
        m_sink.reset();
        m_driver.reset();
    }

    void axesWhereZeroLiesInsideARange_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("-1..1 both ways") << "FPlot(x, x=-1, 1)" << true << true;
        QTest::newRow("0..5 both ways") << "FPlot(x, x=0, 5, 0, 5)" << false << false;
        QTest::newRow("-5..0 across, 1..2 up") << "FPlot(x, x=-5, 0, 1, 2)" << false << false;
        QTest::newRow("-2..3 across, 0..9 up") << "FPlot(x^2, x=-2, 3)" << true << false;
        QTest::newRow("0..1 across, -1..1 up") << "FPlot(Sin(x), x=0, 1, -1, 1)" << false << true;
    }
    void axesWhereZeroLiesInsideARange() {
        QFETCH(QString, line);
        QFETCH(bool, vertical);
        QFETCH(bool, horizontal);
        calculate(line.toStdU16String());
        QImage image = shot();
        QCOMPARE(hasAxis(image, area(), Qt::Vertical), vertical);
        QCOMPARE(hasAxis(image, area(), Qt::Horizontal), horizontal);
    }

    void twoCurvesInOneLineShareTheFirstRanges() {
        // The second curve runs from 0.5 to 2.5 on the first one's -1..1: only its start,
        // up to x = -0.5, lies inside.
        calculate(u"FPlot(x, x=-1, 1)+FPlot(x+1.5, x=-1, 1)");
        QCOMPARE(window().windowTitle(), QStringLiteral("x"));
        QImage image = shot();
        QCOMPARE(curvesCrossing(image, column(0.1), area()), 2);
        QCOMPARE(curvesCrossing(image, column(0.75), area()), 1);
    }

    void aRunningPlotOfOnePointDrawsNothing() {
        calculate(u"YPlot(5)");
        QVERIFY(window().isVisible());
        QCOMPARE(window().model().collectedCount(), std::size_t{0});
        QVERIFY(!window().model().rangesFixed());
        QCOMPARE(curvePixels(shot()), 0);
        QVERIFY(window().canvas().valuesAt(window().canvas().rect().center()) == std::nullopt);
    }

    void aRunningPlotAppearsWhenItsLineEnds() {
        calculate(u"Do(YPlot(x), x=1, 3, 3)");
        QCOMPARE(window().windowTitle(), QStringLiteral("YPlot"));
        QImage image = shot();
        QCOMPARE(curvesCrossing(image, column(0), area()), 1);
        QCOMPARE(curvesCrossing(image, column(0.5), area()), 1);
        QCOMPARE(curvesCrossing(image, column(0.25), area()), 0);
    }

    void closingAndPlottingAgainStartsWithFreshRanges() {
        calculate(u"FPlot(x, x=0, 1)");
        QPointer<PlotWindow> first = &window();
        QVERIFY(first->close());
        QVERIFY(m_sink->window() == nullptr);
        QVERIFY(!m_sink->shown());
        calculate(u"FPlot(x, x=0, 10)");
        QVERIFY(m_sink->shown());
        QCOMPARE(window().model().labels().xMax, std::string("10"));
        QTRY_VERIFY(first.isNull());
    }

    void theDrawingSurvivesHidingAndRescalesWithTheWindow() {
        calculate(u"FPlot(x, x=0, 1)");
        window().resize(400, 300);
        QImage before = shot();
        window().hide();
        window().show();
        QCOMPARE(shot(), before);
        // The diagonal crosses the middle column half-way down at any size.
        for (QSize size : {QSize(400, 300), QSize(900, 700)}) {
            window().resize(size);
            QImage image = shot();
            QRect a = area();
            int x = column(0.5);
            int y = a.top();
            while (y <= a.bottom() && !near(image.pixelColor(x, y), kCurve, 120))
                ++y;
            QVERIFY(std::abs(y - a.center().y()) <= 3);
        }
        QCOMPARE(window().model().xMax(), 1.0);
    }

    void aPlotShowsAHiddenWindowAgain() {
        calculate(u"FPlot(x, x=0, 1)");
        window().hide();
        QVERIFY(!m_sink->shown());
        calculate(u"FPlot(x^2, x=0, 1)");
        QVERIFY(m_sink->shown());
    }

    void copyPutsThePlotAreaOnTheClipboardAsBitmapAndSvg() {
        calculate(u"FPlot(Sin(x), x=0, 2*pi)");
        shot();
        window().copyToClipboard();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        QImage image = qvariant_cast<QImage>(data->imageData());
        QCOMPARE(image.size() / image.devicePixelRatio(),
                 window().canvas().plotArea().size().toSize());
        QVERIFY(curvePixels(image.convertToFormat(QImage::Format_RGB32)) > 100);
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    }

    void saveWritesPngOrSvgAndReportsWhatFailed() {
        calculate(u"FPlot(Sin(x), x=0, 2*pi)");
        QTemporaryDir folder;
        QString error;
        QVERIFY(window().saveTo(folder.filePath(QStringLiteral("plot.png")), error));
        QImage png(folder.filePath(QStringLiteral("plot.png")));
        QCOMPARE(png.size() / png.devicePixelRatio(), window().canvas().size());
        QVERIFY(window().saveTo(folder.filePath(QStringLiteral("plot.SVG")), error));
        QFile svg(folder.filePath(QStringLiteral("plot.SVG")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QByteArray text = svg.readAll();
        QVERIFY(text.contains("<svg") && text.contains("6.28"));
        QVERIFY(!window().saveTo(folder.filePath(QStringLiteral("missing/plot.png")), error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("missing"))));
    }

    void theStatusLineShowsTheValuesUnderTheMouse() {
        calculate(u"FPlot(x, x=0, 4, -2, 2)");
        shot();
        PlotCanvas& canvas = window().canvas();
        QTest::mouseMove(&canvas, canvas.plotArea().center().toPoint());
        QCOMPARE(window().statusLine().text(), QStringLiteral("x = 2    y = 0"));
        QTest::mouseMove(&canvas, QPoint(1, 1));
        QCOMPARE(window().statusLine().text(), QString());
    }

    void theRightButtonOnThePlotAreaOpensTheMenu() {
        calculate(u"FPlot(x, x=0, 1)");
        window().show();
        shot();
        PlotCanvas& canvas = window().canvas();
        QTest::mouseRelease(&canvas, Qt::RightButton, {}, QPoint(1, 1));
        QVERIFY(!window().menu().isVisible());
        QTest::mouseRelease(&canvas, Qt::RightButton, {}, canvas.plotArea().center().toPoint());
        QTRY_VERIFY(window().menu().isVisible());
        QStringList captions;
        for (QAction* action : window().menu().actions())
            captions << action->text();
        QCOMPARE(captions,
                 QStringList({QStringLiteral("Копировать"), QStringLiteral("Сохранить как...")}));
        window().menu().hide();
    }

    void draggingTheBodyMovesTheWindow() {
        calculate(u"FPlot(x, x=0, 1)");
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        shot();
        PlotCanvas& canvas = window().canvas();
        QPoint start = window().pos();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(2, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(42, 32), canvas.mapToGlobal(QPointF(42, 32)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&canvas, &move);
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(42, 32));
        QCOMPARE(window().pos() - start, QPoint(40, 30));
    }

    void alwaysOnTopKeepsTheWindowShown() {
        calculate(u"FPlot(x, x=0, 1)");
        m_sink->setAlwaysOnTop(true);
        QVERIFY(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_sink->shown());
        m_sink->setAlwaysOnTop(false);
        QVERIFY(!window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_sink->shown());
    }

    void theMainWindowDrawsIntoThePlotWindow() {
        QTemporaryDir folder;
        AutomaticMessageWindow messages;
        Application application(folder.path(), folder.filePath(QStringLiteral("s.ini")), &messages);
        application.startUp();
        DocumentEditor& editor = application.window().editor();
        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(QStringLiteral("\nFPlot(Sin(x),x=0,2*pi)"));
        QTest::keyClick(&editor, Qt::Key_Return);
        PlotWindowSink& sink = application.window().plotWindow();
        QVERIFY(sink.shown());
        QCOMPARE(sink.window()->windowTitle(), QStringLiteral("Sin(x)"));
        QCOMPARE(sink.window()->canvas().look().curveColour, 0x804000u);
        QVERIFY(sink.window()->model().vertices().size() == 101);
    }

    // A dressed program dresses its plot window: no frame, the title on the skin, and the
    // keys "_" and "X" hide and close it when released over them, not when the press slides
    // off; undressing gives the standard window back, also to a window opened later.
    void theDressedPlotWindowHasItsOwnTitleBar() {
        QTemporaryDir folder;
        AutomaticMessageWindow messages;
        Application application(folder.path(), folder.filePath(QStringLiteral("s.ini")), &messages);
        application.startUp();
        MainWindow& main = application.window();
        QImage skin(64, 48, QImage::Format_RGB32);
        skin.fill(QColor(0x60, 0x30, 0x10));
        const QString skinPath = folder.filePath(QStringLiteral("skin.png"));
        QVERIFY(skin.save(skinPath));
        QVERIFY(main.appearance().dress(skinPath));
        DocumentEditor& editor = main.editor();
        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(QStringLiteral("\nFPlot(Sin(x),x=0,2*pi)"));
        QTest::keyClick(&editor, Qt::Key_Return);
        PlotWindowSink& sink = main.plotWindow();
        QVERIFY(sink.shown());
        PlotWindow& plot = *sink.window();
        QVERIFY(plot.dressed());
        QVERIFY(plot.windowFlags().testFlag(Qt::FramelessWindowHint));
        PlotTitleBar& bar = plot.titleBar();
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.title(), QStringLiteral("Sin(x)"));
        QImage shown = bar.grab().toImage();
        QCOMPARE(shown.pixelColor(bar.hideKey().left() - 4, bar.height() / 2 + 1),
                 QColor(0x60, 0x30, 0x10));

        // A press that slides off the key does nothing.
        QTest::mousePress(&bar, Qt::LeftButton, {}, bar.hideKey().center());
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(sink.shown());
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.hideKey().center());
        QVERIFY(!sink.shown());
        QVERIFY(sink.window() != nullptr);
        sink.window()->showPlot();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.closeKey().center());
        QVERIFY(sink.window() == nullptr);

        main.appearance().undress();
        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(QStringLiteral("\nFPlot(x,x=0,1)"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QVERIFY(sink.shown());
        QVERIFY(!sink.window()->dressed());
        QVERIFY(!sink.window()->titleBar().isVisible());
        QVERIFY(!sink.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(main.appearance().dress(skinPath));
        QVERIFY(sink.window()->dressed());
        QVERIFY(sink.window()->titleBar().isVisible());
    }
};

QTEST_MAIN(PlotWindowTest)
#include "plot_window_test.moc"

// The keypad on the offscreen platform: a click on a key until the document shows the typed
// character, and switching the letter layout or the key style until the keypad is drawn
// again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextBlock>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/keypad.h"
#include "app/main_window.h"
#include "engine/message_window.h"

namespace {

tally::AutomaticMessageWindow keypadMessages;

// The window with the keypad always present and the caret at the end of the middle line of a
// document of `lines` lines.
std::unique_ptr<tally::Application> windowWithDocument(const QTemporaryDir& folder, int lines) {
    auto application = std::make_unique<tally::Application>(
        folder.path(), folder.filePath(QStringLiteral("s.ini")), &keypadMessages);
    application->startUp();
    tally::MainWindow& window = application->window();
    window.setKeypadShow(tally::MainWindow::FixedKeypad);
    tally::DocumentEditor& editor = window.editor();
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("x%1=(%2+2)*3^2").arg(i % 50).arg(i);
    editor.setPlainText(text.join(u'\n'));
    QTextCursor cursor(editor.document()->findBlockByNumber(lines / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor.setTextCursor(cursor);
    editor.setFocus();
    QApplication::processEvents();
    return application;
}

void clickKey(QWidget* key) {
    const QPointF centre = QRectF(key->rect()).center();
    const QPointF global = key->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(key, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(key, &release);
}

// A click on "7", the line coloured again and the document drawn with the new character.
void keyClickToTextShown(benchmark::State& state) {
    QTemporaryDir folder;
    auto application = windowWithDocument(folder, static_cast<int>(state.range(0)));
    tally::MainWindow& window = application->window();
    QWidget* seven = window.keypad().key({tally::KeyArray::Letter, 37});
    for (auto _ : state) {
        clickKey(seven);
        window.editor().viewport()->repaint();
    }
}
BENCHMARK(keyClickToTextShown)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// The case key's right button: every letter key relabelled and placed, the keypad drawn.
void switchLetterLayout(benchmark::State& state) {
    QTemporaryDir folder;
    auto application = windowWithDocument(folder, 10);
    tally::MainWindow& window = application->window();
    for (auto _ : state) {
        window.pressKeypadKey({tally::KeyArray::Letter, tally::kCaseKey}, tally::KeyButton::Right);
        window.keypad().repaint();
    }
}
BENCHMARK(switchLetterLayout)->Unit(benchmark::kMillisecond);

// Compact to normal keys and back: the keypad takes another height, the window lays itself
// out again and is drawn.
void switchKeyStyle(benchmark::State& state) {
    QTemporaryDir folder;
    auto application = windowWithDocument(folder, 10);
    tally::MainWindow& window = application->window();
    bool compact = false;
    for (auto _ : state) {
        window.setKeyStyle(compact ? tally::KeyStyle::Compact : tally::KeyStyle::Normal);
        compact = !compact;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.repaint();
    }
}
BENCHMARK(switchKeyStyle)->Unit(benchmark::kMillisecond);

}  // namespace

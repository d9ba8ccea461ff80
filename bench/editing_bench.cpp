// The Edit menu's figures on the offscreen platform, in a 10,000-line document: a keystroke
// with its undo snapshot, Find Next across the whole document, undoing one change.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/edit_commands.h"
#include "app/main_window.h"
#include "document_folder.h"
#include "engine/message_window.h"

namespace {

constexpr int kLines = 10000;

tally::AutomaticMessageWindow messages;

// The window started on a 10,000-line document, the caret at the end of its middle line.
struct TenThousandLines {
    std::unique_ptr<QTemporaryDir> folder = folderWithDocument(kLines);
    tally::Application application{folder->path(), folder->filePath(QStringLiteral("s.ini")),
                                   &messages};

    TenThousandLines() {
        application.startUp();
        placeCaret(kLines / 2);
    }
    tally::DocumentEditor& editor() { return application.window().editor(); }
    tally::EditCommands& commands() { return application.window().editCommands(); }
    void placeCaret(int line) {
        QTextCursor cursor(editor().document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock);
        editor().setTextCursor(cursor);
    }
    void type(char16_t character) {
        QString text{QChar(character)};
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, text);
        QApplication::sendEvent(&editor(), &press);
        QApplication::sendEvent(&editor(), &release);
    }
};

void keystrokeWithUndoSnapshot(benchmark::State& state) {
    TenThousandLines window;
    for (auto _ : state)
        window.type(u'a');
    state.counters["snapshots"] =
        static_cast<double>(window.commands().history().history().undoCount());
}
BENCHMARK(keystrokeWithUndoSnapshot)->Unit(benchmark::kMillisecond);

// The search text stands only on the last line: every step reads the whole document, with
// the case ignored (0) or matched (1).
void findNextAcrossTheDocument(benchmark::State& state) {
    TenThousandLines window;
    window.placeCaret(kLines - 1);
    window.type(u'q');
    window.commands().search().findText = u"q";
    window.commands().search().matchCase = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.placeCaret(0);
        state.ResumeTiming();
        window.commands().findNext();
    }
}
BENCHMARK(findNextAcrossTheDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void undoOneChange(benchmark::State& state) {
    TenThousandLines window;
    window.type(u'a');
    for (auto _ : state) {
        window.commands().undo();
        state.PauseTiming();
        window.commands().redo();
        state.ResumeTiming();
    }
}
BENCHMARK(undoOneChange)->Unit(benchmark::kMillisecond);

}  // namespace

// The window's own figures on the offscreen platform: start-up until the window is shown,
// colouring a long line, Enter on a line of a 10,000-line document, loading that document,
// colouring that document again after a change of look.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTextBlock>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "document_folder.h"
#include "engine/message_window.h"
#include "offscreen_main.h"

namespace {

tally::AutomaticMessageWindow messages;

void startUpUntilShown(benchmark::State& state) {
    auto folder = folderWithDocument(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tally::Application application(folder->path(), folder->filePath(QStringLiteral("s.ini")),
                                       &messages);
        application.startUp();
        benchmark::DoNotOptimize(application.window().isVisible());
        state.PauseTiming();
        QFile::remove(folder->filePath(QStringLiteral("s.ini")));
        state.ResumeTiming();
    }
}
BENCHMARK(startUpUntilShown)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

void colourTwoHundredCharacterLine(benchmark::State& state) {
    tally::Appearance appearance;
    tally::DocumentEditor editor;
    editor.setAppearance(&appearance);
    QString line;
    while (line.size() < 200)
        line += QStringLiteral("Sin(x)+2.5[м/с]*(y^2-1)` ");
    line.truncate(200);
    editor.setPlainText(line);
    for (auto _ : state)
        editor.colourCurrentLine();
}
BENCHMARK(colourTwoHundredCharacterLine)->Unit(benchmark::kMicrosecond);

void enterInTenThousandLineDocument(benchmark::State& state) {
    auto folder = folderWithDocument(10000);
    tally::Application application(folder->path(), folder->filePath(QStringLiteral("s.ini")),
                                   &messages);
    application.startUp();
    tally::DocumentEditor& editor = application.window().editor();
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor cursor(editor.document()->findBlockByNumber(5000));
        cursor.movePosition(QTextCursor::EndOfBlock);
        editor.setTextCursor(cursor);
        state.ResumeTiming();
        application.window().calculateCurrentLine();
    }
}
BENCHMARK(enterInTenThousandLineDocument)->Unit(benchmark::kMillisecond)->Iterations(50);

// A class changed in the appearance dialog: the whole 10,000-line document is coloured again.
void recolourTenThousandLineDocument(benchmark::State& state) {
    auto folder = folderWithDocument(10000);
    tally::Application application(folder->path(), folder->filePath(QStringLiteral("s.ini")),
                                   &messages);
    application.startUp();
    tally::Appearance& appearance = application.window().appearance();
    tally::TextClassLook look = appearance.look(tally::LookClass::Number);
    for (auto _ : state) {
        look.fontColour ^= 0x000080;
        appearance.setLook(tally::LookClass::Number, look);
    }
}
BENCHMARK(recolourTenThousandLineDocument)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

// The window's own figures on the offscreen platform: start-up until the window is shown,
// colouring a long line, Enter on a line of a 10,000-line document, loading that document.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "document/rich_document.h"
#include "document/rtf_writer.h"
#include "engine/message_window.h"
#include "offscreen_main.h"

namespace {

tally::AutomaticMessageWindow messages;

// A program folder holding a Calculations.rtf of `lines` calculation lines.
std::unique_ptr<QTemporaryDir> folderWithDocument(int lines) {
    auto folder = std::make_unique<QTemporaryDir>();
    tally::RichDocument document;
    tally::CharFormat format{u"Courier New", 10, {0, 0, 128}, false, false};
    for (int i = 0; i < lines; ++i) {
        tally::RichParagraph paragraph;
        std::string text = std::string(1, 'x');
        text += std::to_string(i % 50);
        text += "=(";
        text += std::to_string(i);
        text += "+2)*3^2";
        tally::appendText(paragraph, std::u16string(text.begin(), text.end()), format);
        document.paragraphs.push_back(std::move(paragraph));
    }
    QFile file(folder->filePath(QStringLiteral("Calculations.rtf")));
    file.open(QIODevice::WriteOnly);
    std::string rtf = tally::writeRtf(document);
    file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    return folder;
}

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

}  // namespace

int main(int argc, char** argv) {
    return runOffscreenBenchmarks(argc, argv);
}

// The units list and the help subjects in the window, on the offscreen platform: opening
// the list of every registered unit, filtering it on a keystroke, reading a 5,000-line
// subject file with its menus measured in the menu font.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/application.h"
#include "app/definitions_dialogs.h"
#include "app/units_list_window.h"
#include "app/subject_menus.h"
#include "engine/message_window.h"

namespace {

tally::AutomaticMessageWindow messages;

struct Program {
    QTemporaryDir folder;
    tally::Application application{folder.path(), folder.filePath(QStringLiteral("s.ini")),
                                   &messages};
    Program() { application.startUp(); }
};

// From the menu command to a shown, laid-out list.
void openUnitsList(benchmark::State& state) {
    Program program;
    tally::DefinitionsDialogs& dialogs = program.application.definitionsDialogs();
    for (auto _ : state) {
        dialogs.openUnitsList();
        QApplication::processEvents();
        state.PauseTiming();
        dialogs.unitsList()->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["units"] = program.application.engine().units().count();
}
BENCHMARK(openUnitsList)->Unit(benchmark::kMillisecond);

// One keystroke each, the view brought up to date: "к", "кг", "кг/" and back.
void filterUnitsListKeystroke(benchmark::State& state) {
    Program program;
    tally::DefinitionsDialogs& dialogs = program.application.definitionsDialogs();
    dialogs.openUnitsList();
    QLineEdit* filter = dialogs.unitsList()->filterBox();
    const QString texts[] = {QStringLiteral("к"), QStringLiteral("кг"), QStringLiteral("кг/"),
                             QStringLiteral("кг"), QString()};
    std::size_t i = 0;
    for (auto _ : state) {
        filter->setText(texts[i++ % std::size(texts)]);
        QApplication::processEvents();
    }
}
BENCHMARK(filterUnitsListKeystroke)->Unit(benchmark::kMillisecond);

// 5,000 lines: topics of 10 subtopics of 8 formulas, measured in the menu font.
void readSubjectFile(benchmark::State& state) {
    Program program;
    QString path = program.folder.filePath(QStringLiteral("Large.txt"));
    QStringList lines;
    for (int topic = 0; lines.size() < 5000; ++topic) {
        lines << QStringLiteral("Раздел %1").arg(topic);
        for (int sub = 0; sub < 10; ++sub) {
            lines << QStringLiteral("....Тема %1").arg(sub);
            for (int item = 0; item < 8; ++item) {
                lines
                    << QStringLiteral("........Площадь круга радиуса %1 м <pi*%1[м]^2>").arg(item);
            }
        }
    }
    lines = lines.mid(0, 5000);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(lines.join(u'\n').toUtf8());
    file.close();
    tally::SubjectMenus& subjects = program.application.subjects();
    for (auto _ : state) {
        tally::SubjectRead read = subjects.read(path, tally::SubjectTree::Mode::New);
        if (read.status != tally::SubjectRead::Status::Read) state.SkipWithError("not read");
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(readSubjectFile)->Unit(benchmark::kMillisecond);

}  // namespace


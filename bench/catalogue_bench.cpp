// Start-up work of the units subsystem: registering the built-in catalogue, and reading
// and writing a definitions file with many variables.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "fixed_line_editor.h"
#include "session/user_definitions.h"
#include "session/user_definitions_file.h"
#include "units/catalogue.h"
#include "units/catalogue_text.h"
#include "units/compound_unit_table.h"

namespace {

// The built-in catalogue into a fresh engine (whose own construction is not timed): from the
// tables generated at build time, as the program starts, or by reading and registering its
// text line by line (units, menus, compound units), as a catalogue with a faulty record does.
template <class Register>
void registerCatalogue(benchmark::State& state, Register registerInto) {
    tally::AutomaticMessageWindow window;
    tally::Messages messages(window);
    int units = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_unique<tally::Engine>();
        auto compoundUnits = std::make_unique<tally::CompoundUnitTable>();
        state.ResumeTiming();
        std::unique_ptr<tally::Catalogue> catalogue =
            registerInto(*engine, messages, *compoundUnits);
        state.PauseTiming();
        units = engine->units().count();
        catalogue.reset();
        engine.reset();
        state.ResumeTiming();
    }
    state.counters["units"] = units;
}

void registerCatalogueFromTables(benchmark::State& state) {
    registerCatalogue(state, [](tally::Engine& engine, tally::Messages& messages,
                                tally::CompoundUnitTable& compoundUnits) {
        return std::make_unique<tally::Catalogue>(engine, messages, compoundUnits);
    });
}
BENCHMARK(registerCatalogueFromTables)->Unit(benchmark::kMicrosecond);

void registerCatalogueFromText(benchmark::State& state) {
    registerCatalogue(state, [](tally::Engine& engine, tally::Messages& messages,
                                tally::CompoundUnitTable& compoundUnits) {
        return std::make_unique<tally::Catalogue>(tally::builtInCatalogueText(), engine, messages,
                                                  compoundUnits);
    });
}
BENCHMARK(registerCatalogueFromText)->Unit(benchmark::kMillisecond);

// The menus of a catalogue from the tables, built when the window first asks for them.
void buildMenusFromTables(benchmark::State& state) {
    tally::AutomaticMessageWindow window;
    tally::Messages messages(window);
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_unique<tally::Engine>();
        tally::CompoundUnitTable compoundUnits;
        auto catalogue = std::make_unique<tally::Catalogue>(*engine, messages, compoundUnits);
        state.ResumeTiming();
        benchmark::DoNotOptimize(catalogue->menus().categories.size());
        state.PauseTiming();
        catalogue.reset();
        engine.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(buildMenusFromTables)->Unit(benchmark::kMicrosecond);

// A line with units calculated as Enter does, the catalogue registered.
void lineWithUnits(benchmark::State& state) {
    tally::AutomaticMessageWindow window;
    tally::Messages messages(window);
    tally::Engine engine;
    FixedLineEditor editor(u"5[км/ч]*2[ч]");
    tally::CalculationDriver driver(engine, editor);
    tally::Catalogue catalogue(engine, messages, driver.compoundUnits());
    for (auto _ : state)
        driver.calculateCurrentLine();
    if (driver.resultBox().showsError) state.SkipWithError("the line reported an error");
}
BENCHMARK(lineWithUnits)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The parts of the program the definitions file touches, with the catalogue registered.
struct Program {
    tally::Engine engine;
    tally::TextDocument document;
    tally::CalculationDriver driver{engine, document};
    tally::AutomaticMessageWindow window;
    tally::Messages messages{window};
    tally::Catalogue catalogue{engine, messages, driver.compoundUnits()};
    tally::UserDefinitions definitions;

    tally::DefinitionsSession session() {
        return {engine, messages, driver, catalogue.menus(), definitions};
    }
};

// A definitions file with `count` variables, written by the program itself.
std::filesystem::path fileWithVariables(int count) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tally-bench";
    std::filesystem::create_directories(folder);
    Program program;
    for (int i = 0; i < count; ++i) {
        std::string line = "variable" + std::to_string(i) + "=" + std::to_string(i) + ".25";
        program.document.appendLine(std::u16string(line.begin(), line.end()));
        program.driver.calculateCurrentLine();
    }
    auto session = program.session();
    tally::UserDefinitionsFile file = tally::UserDefinitionsFile::inFolder(folder);
    if (!file.save(session).saved) return {};
    return folder;
}

void loadVariables(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::filesystem::path folder = fileWithVariables(static_cast<int>(count));
    if (folder.empty()) return state.SkipWithError("could not write the file");
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>();
        auto session = program->session();
        tally::UserDefinitionsFile file = tally::UserDefinitionsFile::inFolder(folder);
        state.ResumeTiming();
        tally::DefinitionsLoad load = file.load(session);
        state.PauseTiming();
        if (program->driver.variables().items().size() != count) {
            state.SkipWithError("not every variable was loaded");
        }
        benchmark::DoNotOptimize(load);
        program.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
// Ten thousand variables, and a million: the time per variable must not grow.
BENCHMARK(loadVariables)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(loadVariables)->Arg(1000000)->Iterations(2)->Unit(benchmark::kMillisecond);

void saveTenThousandVariables(benchmark::State& state) {
    std::filesystem::path folder = fileWithVariables(10000);
    if (folder.empty()) return state.SkipWithError("could not write the file");
    Program program;
    auto session = program.session();
    tally::UserDefinitionsFile file = tally::UserDefinitionsFile::inFolder(folder);
    if (file.load(session).status != tally::DefinitionsLoad::Status::Loaded) {
        return state.SkipWithError("could not read the file");
    }
    for (auto _ : state) {
        tally::DefinitionsSave save = file.save(session);
        if (!save.saved) state.SkipWithError("could not save");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(saveTenThousandVariables)->Unit(benchmark::kMillisecond);

}  // namespace

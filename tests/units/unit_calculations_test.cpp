// Calculations with the catalogue's units, through the batch calculator, which registers
// the catalogue as the window does at start-up.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch_calculator.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

struct Line {
    std::u16string_view input;
    std::string written;  // the document line afterwards
    std::string message;  // what the decimal field shows, "" for none
};

void expectLines(BatchCalculator& calculator, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        SCOPED_TRACE(utf8(line.input));
        std::string message = utf8(calculator.calculate(line.input));
        EXPECT_EQ(utf8(calculator.document().lines().back()), line.written);
        EXPECT_EQ(message, line.message);
    }
}

TEST(UnitCalculations, ConversionsAndPrinting) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"2[м]*3[м]", "2[м]*3[м]=6[м^2]", ""},
                                {u"1[mile]/1[м]", "1[mile]/1[м]=1609.344", ""},
                                {u"1[nmi]/1[km]", "1[nmi]/1[km]=1.852", ""},
                                {u"1[гал]/1[л]", "1[гал]/1[л]=3.785411784", ""},
                                {u"1[Брит.пт]/1[мл]", "1[Брит.пт]/1[мл]=568.26125", ""},
                                {u"1[lbf]/1[Н]", "1[lbf]/1[Н]=4.4482216152605", ""},
                                {u"1[ч]/1[мин]", "1[ч]/1[мин]=60", ""},
                                {u"5[км/ч]*2[ч]", "5[км/ч]*2[ч]=10000[м]", ""},
                                // Mass is kept in kilograms: the gram's scale prints as a prefix.
                                {u"3[г]=", "3[г]=0.003[кг]", ""},
                                {u"2[т]/4[м^3]", "2[т]/4[м^3]=500[кг/м^3]", ""},
                                // Affine temperature scales convert the value before the bracket.
                                {u"100[°C]=", "100[°C]=373.15[К]", ""},
                                {u"212[°F]=", "212[°F]=373.15[К]", ""},
                                {u"0[celsius]=", "0[celsius]=273.15[К]", ""},
                            });
}

// Angles are dimensionless: the unit "pi" is a number, not a base unit of its own, the
// double nearest to pi, so a turn shows as 6.28318530717959.
TEST(UnitCalculations, AnglesAreDimensionless) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"1[°]/1[рад]", "1[°]/1[рад]=0.0174532925199433", ""},
                                {u"1[об]=", "1[об]=6.28318530717959", ""},
                                {u"Sin(30[°])", "Sin(30[°])=0.5", ""},
                            });
}

TEST(UnitCalculations, CompoundUnitsNameResults) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"1[Дж]=", "1[Дж]=1[Дж]", ""},
                                {u"1[кВт·ч]=", "1[кВт·ч]=3600000[Дж]", ""},
                                {u"1[atm]=", "1[atm]=101325[Па]", ""},
                                {u"2[Н]/4[м^2]", "2[Н]/4[м^2]=0.5[Па]", ""},
                                {u"3[В]*2[А]", "3[В]*2[А]=6[Вт]", ""},
                            });
    // A compound unit out of use falls back to the next match or to base units.
    auto& rows = calculator.driver().resultDimensions();
    for (auto& row : rows) {
        if (row.name == u"Дж") row.enabled = false;
    }
    expectLines(calculator, {{u"1[Дж]=", "1[Дж]=1[Н·м]", ""}});
    // The user's rows come after the built-in ones and are found first.
    calculator.driver().compoundUnits().addUserRow({u"кДж", u"1000*кг·м^2/с^2", true});
    expectLines(calculator, {{u"5000[Дж]=", "5000[Дж]=5[кДж]", ""}});
}

TEST(UnitCalculations, MismatchesAndUnknownUnits) {
    BatchCalculator calculator({});
    expectLines(calculator,
                {
                    {u"2[м]+3[с]", "2[м]+3[с]=5[м]", "Несоответствие в размерностях"},
                    {u"1[ч]-1[кг]", "1[ч]-1[кг]=3599[с]", "Несоответствие в размерностях"},
                    {u"2[furlongs]", "2[furlongs]", "Неизвестная размерность"},
                });
}

// "Me" stands for the value only as a whole name: names that contain "me" are ordinary
// units.
TEST(UnitCalculations, NamesContainingMeAreNotScales) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"1[kilometer]+0", "1[kilometer]+0=1000[м]", ""},
                                {u"2[megameter]/1[м]", "2[megameter]/1[м]=2000000", ""},
                                {u"1[kilolumen]+0", "1[kilolumen]+0=1000[кд]", ""},
                                {u"1[siemens]*1[Ом]", "1[siemens]*1[Ом]=1", ""},
                            });
    calculator.engine().defineUnit(u"meterstick", u"1·м");
    calculator.engine().defineUnit(u"twome", u"(2·Me)·м");
    expectLines(calculator, {
                                {u"3[meterstick]+0", "3[meterstick]+0=3[м]", ""},
                                {u"3[twome]+0", "3[twome]+0=6[м]", ""},
                            });
}

// Inside a compound bracket, or as the second conversion of a line, a scale unit is a
// factor: its step, without the offset.
TEST(UnitCalculations, ScaleUnitsInCompoundBracketsAreFactors) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"1[с·rankine]", "1[с·rankine]=0.555555555555556[с·К]", ""},
                                {u"1[с·°F]", "1[с·°F]=0.555555555555556[с·К]", ""},
                                {u"1[с·°C]", "1[с·°C]=1[с·К]", ""},
                                {u"1[°F]+1[°F]", "1[°F]+1[°F]=256.483333333333[К]", ""},
                            });
}

// A unit defined by a plain number opens a base unit with its scale from its first use.
TEST(UnitCalculations, NewBaseUnitsPrintWithTheirPrefixAtOnce) {
    BatchCalculator calculator({});
    calculator.engine().defineUnit(u"qq", u"0.001");
    calculator.engine().defineUnit(u"bigu", u"1000");
    expectLines(calculator, {
                                {u"5[qq]+0", "5[qq]+0=0.005[кqq]", ""},
                                {u"5[qq]+0", "5[qq]+0=0.005[кqq]", ""},
                                {u"2[bigu]+0", "2[bigu]+0=2000[мbigu]", ""},
                            });
}

// A frequency is not an angular velocity: 1/с prints as hertz.
TEST(UnitCalculations, FrequenciesPrintAsHertz) {
    BatchCalculator calculator({});
    expectLines(calculator, {
                                {u"50[Гц]+0", "50[Гц]+0=50[Гц]", ""},
                                {u"1/2[с]", "1/2[с]=0.5[Гц]", ""},
                                {u"2[рад/с]+0", "2[рад/с]+0=2[Гц]", ""},
                            });
}

TEST(UnitCalculations, WithoutTheCatalogueUnitsAreUnknown) {
    BatchCalculator calculator({false, true, false});
    EXPECT_TRUE(calculator.catalogue().menus().categories.empty());
    expectLines(calculator, {{u"2[м]*3[м]", "2[м]*3[м]", "Неизвестная размерность"}});
}

}  // namespace
}  // namespace tally

namespace tally {
namespace {

// What a line gives, to compare evaluations bit for bit.
struct Outcome {
    std::string syntax;
    EngineError error = EngineError::None;
    std::uint64_t value = 0;
    DimensionVector dimension;

    friend bool operator==(const Outcome&, const Outcome&) = default;
    friend void PrintTo(const Outcome& outcome, std::ostream* out) {
        *out << "value " << std::bit_cast<double>(outcome.value) << " error "
             << static_cast<int>(outcome.error) << " syntax \"" << outcome.syntax << "\" exponents";
        for (double exponent : outcome.dimension)
            *out << ' ' << exponent;
    }
};

Outcome outcomeOf(Engine& engine, std::u16string_view line) {
    LineResult result = engine.evaluateLine(line);
    DimensionVector dimension = result.result.dimension;
    while (!dimension.empty() && dimension[dimension.size() - 1] == 0)
        dimension.resize(dimension.size() - 1);
    return {utf8(result.syntaxMessage), result.error,
            std::bit_cast<std::uint64_t>(result.result.value), dimension};
}

// A line with a unit under the other setting of dimensions makes the engine forget what
// unit definitions evaluated to, so the line after it reads every definition afresh.
Outcome freshOutcomeOf(Engine& engine, std::u16string_view line) {
    bool dimensions = engine.settings().useDimensions;
    double ans = engine.ans();
    engine.setUseDimensions(!dimensions);
    engine.evaluateLine(u"1[м]");
    engine.setUseDimensions(dimensions);
    engine.setAns(ans);
    return outcomeOf(engine, line);
}

// A unit used again gives what reading its definition gave, for every unit of the
// catalogue, alone, converting a value and in a compound bracket, with and without
// dimensions.
TEST(UnitValues, RepeatedUseGivesWhatTheDefinitionGives) {
    for (bool dimensions : {true, false}) {
        BatchCalculator calculator({false, dimensions});
        Engine& engine = calculator.engine();
        const UnitTable& units = engine.units();
        for (int record = 1; record <= units.count(); ++record) {
            std::u16string name(units.record(record).name);
            for (std::u16string line : {u"1[" + name + u"]", u"-3[" + name + u"]",
                                        u"2[" + name + u"/с^2]", u"1[кг·" + name + u"]"}) {
                SCOPED_TRACE(utf8(line));
                Outcome fresh = freshOutcomeOf(engine, line);
                EXPECT_EQ(outcomeOf(engine, line), fresh);
                EXPECT_EQ(outcomeOf(engine, line), fresh);
                if (HasFailure()) return;
            }
        }
    }
}

// Redefining a unit, or one its definition uses, is seen by the next line.
TEST(UnitValues, RedefinitionsAreSeenAtOnce) {
    BatchCalculator calculator({});
    Engine& engine = calculator.engine();
    auto written = [&](std::u16string_view line) {
        EXPECT_EQ(utf8(calculator.calculate(line)), "");
        return utf8(calculator.document().lines().back());
    };
    EXPECT_EQ(written(u"1[км]="), "1[км]=1000[м]");
    EXPECT_EQ(written(u"1[ч]="), "1[ч]=3600[с]");
    engine.defineUnit(u"км", u"5·м");
    engine.defineUnit(u"мин", u"100·с");
    EXPECT_EQ(written(u"1[км]="), "1[км]=5[м]");
    EXPECT_EQ(written(u"1[ч]="), "1[ч]=6000[с]");
    engine.setUseDimensions(false);
    EXPECT_EQ(written(u"1[ч]="), "1[ч]=6000");
}

// Near the nesting limit a unit whose definition needs more nesting than is left fails as
// it did when its definition was read, though its value was kept at a shallower depth.
TEST(UnitValues, KeptValuesRespectTheNestingLimit) {
    for (int depth = 240; depth <= 258; ++depth) {
        SCOPED_TRACE(depth);
        BatchCalculator warm({});
        BatchCalculator cold({});
        for (BatchCalculator* calculator : {&warm, &cold}) {
            // f1(x) calls f2(x) ... calls f<depth>(x), which uses hours.
            for (int i = 1; i <= depth; ++i) {
                std::string line("f");
                line.append(std::to_string(i)).append("(x)=");
                if (i < depth) {
                    line.append("f").append(std::to_string(i + 1)).append("(x)");
                } else {
                    line.append("x*1[ч]");
                }
                calculator->calculate(fromUtf8(line));
            }
        }
        warm.calculate(std::u16string_view(u"1[ч]+0"));
        EXPECT_EQ(outcomeOf(warm.engine(), u"f1(2)"), freshOutcomeOf(cold.engine(), u"f1(2)"));
    }
}

}  // namespace
}  // namespace tally

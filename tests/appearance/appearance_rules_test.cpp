// The rules behind the look: the built-in classes of both looks, the dialog's order, the
// skinned keys, stored colours and settings, the colour cube, and placing a window on its
// screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QSettings>
#include <QTemporaryDir>
#include <set>

#include "appearance/colour_cube.h"
#include "appearance/cube_view.h"
#include "appearance/dialog_entries.h"
#include "appearance/look_settings.h"
#include "appearance/screen_placement.h"
#include "appearance/stored_colour.h"
#include "appearance/text_classes.h"

using namespace tally;

namespace {

const QString kCourier = QStringLiteral("Courier New Cyr");
const QString kCourierNew = QStringLiteral("Courier New");
const QString kSans = QStringLiteral("MS Sans Serif");

struct DefaultRow {
    LookClass lookClass;
    QString font;
    int size;
    bool bold;
    bool italic;
    StoredColour colour;
    StoredColour back;  // checked for the classes that have one
};

void expectDefaults(const TextClasses& classes, const std::vector<DefaultRow>& rows) {
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(numberOf(row.lookClass));
        const TextClassLook& look = classes[row.lookClass];
        EXPECT_EQ(look.fontName, row.font);
        EXPECT_EQ(look.size, row.size);
        EXPECT_EQ(look.bold, row.bold);
        EXPECT_EQ(look.italic, row.italic);
        EXPECT_EQ(look.fontColour, row.colour);
        if (hasBackColour(row.lookClass)) {
            EXPECT_EQ(look.backColour, row.back);
        }
    }
}

TEST(DefaultTextClasses, DressedLook) {
    expectDefaults(defaultTextClasses(true, kCourier),
                   {
                       {LookClass::EditorText, kCourierNew, 10, false, false, 0x800000, 0xF0FFFF},
                       {LookClass::CharacterKeys, kSans, 8, true, false, 0xFFFFFF, 0xF0F0F0},
                       {LookClass::OperationKeys, kSans, 8, true, false, 0xC0FFFF, 0xD8D8D8},
                       {LookClass::KeyInFocus, kSans, 8, true, false, 0x00FFFF, 0x80000018},
                       {LookClass::WindowText, kSans, 8, false, false, 0xFFFFFF, 0xC0C0C0},
                       {LookClass::Identifier, kCourier, 10, true, false, 0xC00000, 0},
                       {LookClass::Number, kCourierNew, 10, false, true, 0xC00000, 0},
                       {LookClass::SyntaxError, kCourier, 10, false, false, 0x0000FF, 0},
                       {LookClass::Function, kCourier, 10, true, false, 0x004080, 0},
                       {LookClass::UnitOfMeasure, kCourier, 10, false, false, 0x404040, 0},
                       {LookClass::Comment, kCourier, 10, false, false, 0x008000, 0},
                       {LookClass::Operator, kCourierNew, 10, false, false, 0x000000, 0},
                       {LookClass::Bracket, kCourierNew, 10, false, false, 0xC00000, 0},
                   });
}

TEST(DefaultTextClasses, UndressedLookHasPlainKeysInButtonText) {
    const StoredColour buttonText = 0x80000012;
    expectDefaults(
        defaultTextClasses(false, kCourier),
        {
            {LookClass::EditorText, kCourierNew, 10, false, false, 0x800000, 0xF0FFFF},
            {LookClass::CharacterKeys, kCourierNew, 8, false, false, buttonText, 0xF0F0F0},
            {LookClass::OperationKeys, kSans, 8, false, false, buttonText, 0xD8D8D8},
            {LookClass::KeyInFocus, kCourierNew, 8, false, false, buttonText, 0x80000018},
            {LookClass::WindowText, kSans, 8, false, false, buttonText, 0xC0C0C0},
            {LookClass::Identifier, kCourier, 10, true, false, 0xC00000, 0},
            {LookClass::Function, kCourier, 10, true, false, 0x004080, 0},
            {LookClass::Operator, kCourierNew, 10, false, false, 0x800000, 0},
            {LookClass::Bracket, kCourierNew, 10, false, false, 0x800000, 0},
        });
}

TEST(DialogEntries, ListOrderMapsToClasses) {
    const std::vector<int> expected = {1, 5, 8, 6, 9, 10, 11, 12, 7, 0, 2, 3, 4};
    std::set<int> seen;
    for (std::size_t position = 0; position < kDialogEntries.size(); ++position) {
        int number = numberOf(kDialogEntries[position].lookClass);
        EXPECT_EQ(number, expected[position]) << "position " << position;
        EXPECT_EQ(dialogPositionOf(kDialogEntries[position].lookClass), static_cast<int>(position));
        seen.insert(number);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kLookClassCount));
    EXPECT_EQ(QString::fromUtf16(kDialogEntries[0].caption), QStringLiteral("Обычный  текст"));
    EXPECT_EQ(QString::fromUtf16(kDialogEntries[9].caption),
              QStringLiteral("Кнопки  клавиатуры  для  ввода  символов"));
}

TEST(DressKeyClasses, KeyLabelsBecomeLightAndBoldWhateverTheyWere) {
    TextClasses classes = defaultTextClasses(false, kCourier);
    classes[LookClass::CharacterKeys].fontColour = storedRgb(255, 0, 0);
    classes[LookClass::OperationKeys].fontColour = storedRgb(0, 0, 0);
    classes[LookClass::WindowText].fontColour = storedRgb(10, 20, 30);
    classes[LookClass::Comment].fontColour = storedRgb(1, 2, 3);
    dressKeyClasses(classes);
    EXPECT_EQ(classes[LookClass::CharacterKeys].fontColour, 0xFFFFFFu);
    EXPECT_TRUE(classes[LookClass::CharacterKeys].bold);
    EXPECT_EQ(classes[LookClass::OperationKeys].fontColour, 0xC0FFFFu);
    EXPECT_TRUE(classes[LookClass::OperationKeys].bold);
    EXPECT_EQ(classes[LookClass::WindowText].fontColour, 0xFFFFFFu);
    // The document's classes are the user's.
    EXPECT_EQ(classes[LookClass::Comment].fontColour, storedRgb(1, 2, 3));
}

TEST(UndressKeyClasses, OnlyTheClassesDrawnOnASkinGoBack) {
    TextClasses classes = defaultTextClasses(true, kCourier);
    dressKeyClasses(classes);
    classes[LookClass::Comment].fontColour = storedRgb(1, 2, 3);
    classes[LookClass::EditorText].size = 14;
    TextClasses expected = defaultTextClasses(false, kCourier);
    undressKeyClasses(classes, kCourier);
    for (LookClass lookClass : {LookClass::CharacterKeys, LookClass::OperationKeys,
                                LookClass::KeyInFocus, LookClass::WindowText}) {
        EXPECT_EQ(classes[lookClass], expected[lookClass]) << numberOf(lookClass);
    }
    EXPECT_EQ(classes[LookClass::Comment].fontColour, storedRgb(1, 2, 3));
    EXPECT_EQ(classes[LookClass::EditorText].size, 14);
    // The syntax classes of the dressed look stay (operators black rather than navy).
    EXPECT_EQ(classes[LookClass::Operator].fontColour, 0x000000u);
}

TEST(StoredColour, TextsReadAsColoursOrRefused) {
    struct Case {
        const char* text;
        std::optional<StoredColour> colour;
    };
    const Case cases[] = {
        {"8388608", 0x800000},
        {" 255 ", 0x0000FF},
        {"16777215", 0xFFFFFF},
        {"-2147483630", 0x80000012},
        {"2147483666", 0x80000012},
        {"&H80000018", 0x80000018},
        {"&hC0C0C0&", 0xC0C0C0},
        {"16777216", std::nullopt},
        {"-1", std::nullopt},
        {"-2147483623", std::nullopt} /* system colour 25 does not exist */,
        {"green", std::nullopt},
        {"", std::nullopt},
        {"&H", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseStoredColour(QString::fromUtf8(c.text)), c.colour) << c.text;
    }
    for (StoredColour colour : {0x000000u, 0x123456u, 0x80000000u, 0x80000012u, 0x80000018u})
        EXPECT_EQ(parseStoredColour(storedColourText(colour)), colour);
}

TEST(StoredColour, ChannelsAndSystemColours) {
    QPalette palette;
    palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    palette.setColor(QPalette::ToolTipBase, QColor(4, 5, 6));
    EXPECT_EQ(toQColor(0x004080, palette), QColor(0x80, 0x40, 0x00));
    EXPECT_EQ(toQColor(0x80000012, palette), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(0x80000018, palette), QColor(4, 5, 6));
    EXPECT_EQ(fromQColor(QColor(0x80, 0x40, 0x00)), 0x004080u);
}

class LookSettingsTest : public ::testing::Test {
  protected:
    QTemporaryDir m_folder;
    QString file() const { return m_folder.filePath(QStringLiteral("look.ini")); }
    LookSettings read() {
        QSettings store(file(), QSettings::IniFormat);
        LookSettings settings;
        readLookSettings(store, settings, kCourier);
        return settings;
    }
    void write(const LookSettings& settings) {
        QSettings store(file(), QSettings::IniFormat);
        writeLookSettings(store, settings);
    }
    void store(const QString& key, const QString& value) {
        QSettings(file(), QSettings::IniFormat).setValue(key, value);
    }
    QString stored(const QString& key) {
        return QSettings(file(), QSettings::IniFormat).value(key).toString();
    }
};

TEST_F(LookSettingsTest, EveryKeyRoundTrips) {
    LookSettings written;
    written.defaultLook = false;
    written.dressed = false;
    written.skinPath = QStringLiteral("/pictures/Мрамор.png");
    written.screenNumber = 17;
    int n = 0;
    for (LookClass lookClass : kLookClasses) {
        TextClassLook& look = written.classes[lookClass];
        look.fontName = QStringLiteral("Шрифт %1").arg(n);
        look.size = kSmallestFontSize + n;
        look.bold = n % 2 == 0;
        look.italic = n % 3 == 0;
        look.fontColour = n == 4 ? kButtonTextColour : storedRgb(n, 2 * n, 3 * n);
        if (hasBackColour(lookClass))
            look.backColour = n == 3 ? kInfoBackgroundColour : storedRgb(200, n, 7);
        ++n;
    }
    write(written);
    EXPECT_EQ(read(), written);
    EXPECT_FALSE(
        QSettings(file(), QSettings::IniFormat).contains(QStringLiteral("Fonts/BackColor5")));
}

TEST_F(LookSettingsTest, MissingStoreGivesTheDressedDefaults) {
    LookSettings settings = read();
    EXPECT_TRUE(settings.defaultLook);
    EXPECT_TRUE(settings.dressed);
    EXPECT_EQ(settings.screenNumber, kDefaultScreenNumber);
    EXPECT_EQ(settings.classes, defaultTextClasses(true, kCourier));
}

TEST_F(LookSettingsTest, UnusableValuesFallBackToTheirClassAndAreRepairedWhenWritten) {
    struct Case {
        const char* key;
        const char* value;
        const char* repaired;
    };
    const Case cases[] = {
        {"Fonts/FontColor10", "green", "32768"},
        {"Fonts/FontColor5", "-5", "12582912"},
        {"Fonts/BackColor0", "99999999", "15794175"},
        {"Fonts/FontSize6", "500", "10"},
        {"Fonts/FontSize2", "3", "8"},
        {"Fonts/FontSize3", "big", "8"},
        {"Fonts/FontName9", "  ", "Courier New Cyr"},
        {"Fonts/FontBold8", "maybe", "True"},
        {"Settings/ScreenNum", "26", "12"},
        {"Settings/ScreenNum", "0", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        store(QString::fromLatin1(c.key), QString::fromUtf8(c.value));
        LookSettings settings = read();
        EXPECT_EQ(settings.classes, defaultTextClasses(true, kCourier));
        write(settings);
        EXPECT_EQ(stored(QString::fromLatin1(c.key)), QString::fromUtf8(c.repaired));
    }
}

TEST_F(LookSettingsTest, FallBackFollowsTheLookThatWasRead) {
    store(QStringLiteral("Settings/Skin"), QStringLiteral("False"));
    store(QStringLiteral("Fonts/FontColor1"), QStringLiteral("not a colour"));
    store(QStringLiteral("Fonts/FontColor2"), QStringLiteral("255"));
    LookSettings settings = read();
    EXPECT_FALSE(settings.dressed);
    EXPECT_EQ(settings.classes[LookClass::CharacterKeys].fontColour, kButtonTextColour);
    EXPECT_EQ(settings.classes[LookClass::OperationKeys].fontColour, 0x0000FFu);
}

std::array<int, 3> channels(const ColourCube& cube, int index) {
    ColourCube::Cell cell = cube.cell(index);
    return {cell.red, cell.green, cell.blue};
}

// The five red values through the middle of the cube; -1 for a hidden cell.
std::vector<int> redThroughMiddle(const ColourCube& cube) {
    std::vector<int> values;
    for (int k = 0; k < ColourCube::kCellsPerEdge; ++k) {
        ColourCube::Cell cell = cube.cell(k + 5 * 2 + 25 * 2);
        values.push_back(cell.valid ? cell.red : -1);
    }
    return values;
}

int shownCells(const ColourCube& cube) {
    int count = 0;
    for (int i = 0; i < ColourCube::kCellCount; ++i)
        count += cube.cell(i).valid ? 1 : 0;
    return count;
}

TEST(ColourCube, LevelZeroSpansTheWholeRange) {
    ColourCube cube;
    EXPECT_EQ(redThroughMiddle(cube), (std::vector<int>{0, 64, 128, 192, 255}));
    EXPECT_EQ(shownCells(cube), 125);
    EXPECT_EQ(channels(cube, 1 + 5 * 2 + 25 * 4), (std::array<int, 3>{64, 128, 255}));
    EXPECT_EQ(cube.cell(124).colour, 0xFFFFFFu);
}

TEST(ColourCube, EachZoomCentresAFinerCubeOnTheChosenColour) {
    struct Step {
        int cell;  // chosen at the level before
        int level;
        std::vector<int> redValues;
        int shown;
    };
    // Red 64 → 32..96 by 16; red 80 → 72..88 by 4; red 84 → 82..86 by 1.
    const int redMiddle = 1 + 5 * 2 + 25 * 2;  // red 64, green and blue 128
    const Step steps[] = {
        {redMiddle, 1, {32, 48, 64, 80, 96}, 125},
        {3 + 5 * 2 + 25 * 2, 2, {72, 76, 80, 84, 88}, 125},
        {3 + 5 * 2 + 25 * 2, 3, {82, 83, 84, 85, 86}, 125},
    };
    ColourCube cube;
    for (const Step& step : steps) {
        ASSERT_TRUE(cube.zoomInto(step.cell));
        EXPECT_EQ(cube.level(), step.level);
        EXPECT_EQ(redThroughMiddle(cube), step.redValues) << "level " << step.level;
        EXPECT_EQ(shownCells(cube), step.shown);
        EXPECT_EQ(cube.cell(62).colour, storedRgb(step.redValues[2], 128, 128));
    }
    // The finest level stays.
    EXPECT_FALSE(cube.zoomInto(62));
    EXPECT_EQ(cube.level(), 3);
    ASSERT_TRUE(cube.zoomOut());
    EXPECT_EQ(redThroughMiddle(cube), (std::vector<int>{72, 76, 80, 84, 88}));
    cube.zoomOut();
    cube.zoomOut();
    EXPECT_FALSE(cube.zoomOut());
    EXPECT_EQ(redThroughMiddle(cube), (std::vector<int>{0, 64, 128, 192, 255}));
}

TEST(ColourCube, ZoomingOnWhiteOrBlackHidesWhatLiesOutsideTheRange) {
    struct Case {
        int cell;
        std::vector<int> redValues;
    };
    const Case cases[] = {
        {124, {224, 240, 255, -1, -1}},  // white: 255 counts as 256, the centre
        {0, {-1, -1, 0, 16, 32}},        // black
    };
    for (const Case& c : cases) {
        ColourCube cube;
        ASSERT_TRUE(cube.zoomInto(c.cell));
        EXPECT_EQ(redThroughMiddle(cube), c.redValues);
        EXPECT_EQ(shownCells(cube), 27);  // three values in each channel
        for (int i = 0; i < ColourCube::kCellCount; ++i) {
            if (!cube.cell(i).valid) {
                EXPECT_FALSE(cube.zoomInto(i)) << i;
            }
        }
    }
}

// Every pixel the picker paints in a cell's colour answers that cell; the background
// answers none.
TEST(CubeView, HitTestMatchesThePaintedPicture) {
    CubeView view;
    view.resize(260, 240);
    view.refresh();
    QImage picture = view.grab().toImage();
    std::map<QRgb, int> cellOfColour;
    for (int i = 0; i < ColourCube::kCellCount; ++i)
        cellOfColour[toQColor(view.cube().cell(i).colour).rgb()] = i;
    const QRgb background = picture.pixel(0, 0);
    int cellPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            QRgb pixel = picture.pixel(x, y);
            if (pixel == background) {
                ASSERT_EQ(view.cellAt(QPoint(x, y)), -1) << x << "," << y;
                continue;
            }
            auto cell = cellOfColour.find(pixel);
            if (cell == cellOfColour.end()) continue;  // an outline
            ++cellPixels;
            ASSERT_EQ(view.cellAt(QPoint(x, y)), cell->second) << x << "," << y;
        }
    }
    EXPECT_GT(cellPixels, picture.width() * picture.height() / 10);
}

TEST(KeepOnScreen, WindowsAreMovedAndCutToTheAvailableArea) {
    const QRect screen(0, 0, 1280, 1024);
    const QRect second(1280, 0, 1920, 1080);
    struct Case {
        QRect frame;
        QRect available;
        QRect placed;
    };
    const Case cases[] = {
        {{100, 100, 700, 500}, screen, {100, 100, 700, 500}},
        {{900, 800, 700, 500}, screen, {580, 524, 700, 500}},
        {{-50, -20, 700, 500}, screen, {0, 0, 700, 500}},
        {{200, 100, 700, 1400}, screen, {200, 0, 700, 1024}},
        {{3000, 50, 700, 500}, second, {2500, 50, 700, 500}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keepOnScreen(c.frame, c.available), c.placed);
}

}  // namespace

int main(int argc, char** argv) {
    // Palettes, fonts and the picker's widget need an application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

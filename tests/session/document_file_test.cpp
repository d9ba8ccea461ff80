#include "session/document_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "document/rtf_writer.h"
#include "lang/code_page.h"
#include "session/autosave_schedule.h"
#include "session/temp_folder.h"
#include "session/text_file.h"

namespace tally {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Kind = DocumentRead::Kind;

const CharFormat kTextFormat{u"Courier New", 10, {0, 0, 0}, false, false};

struct BytesCase {
    const char* name;
    std::string bytes;
    Kind kind;
    bool complete;
    std::vector<std::u16string> lines;
};

class ReadDocumentBytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(ReadDocumentBytesTest, FindsWhatTheBytesHold) {
    const BytesCase& c = GetParam();
    DocumentRead read = readDocumentBytes(c.bytes, kTextFormat);
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(read.complete, c.complete);
    EXPECT_EQ(read.problem.empty(), c.complete);
    EXPECT_EQ(plainLines(read.document), c.lines);
}

std::string nestedGroups(int depth) {
    return "{\\rtf1 " + std::string(static_cast<std::size_t>(depth), '{') + "x" +
           std::string(static_cast<std::size_t>(depth), '}') + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadDocumentBytesTest,
    ::testing::Values(
        BytesCase{"empty", "", Kind::Missing, true, {}},
        BytesCase{"only_blanks", " \r\n\t", Kind::Missing, true, {}},
        BytesCase{"rtf", "{\\rtf1 2+3\\par x=1}", Kind::Rtf, true, {u"2+3", u"x=1"}},
        BytesCase{"rtf_after_blanks", "\r\n{\\rtf1 a}", Kind::Rtf, true, {u"a"}},
        // A file cut short keeps what it holds; the rest is not in the document.
        BytesCase{"truncated_rtf", "{\\rtf1 2+3\\par x=", Kind::Rtf, false, {u"2+3", u"x="}},
        BytesCase{"rtf_nested_too_deep", nestedGroups(5000), Kind::Unreadable, false, {}},
        BytesCase{"utf8_text", "2+3\r\nкорень=4\n", Kind::PlainText, true, {u"2+3", u"корень=4"}},
        BytesCase{"utf8_text_with_bom", "\xEF\xBB\xBFx\ny", Kind::PlainText, true, {u"x", u"y"}},
        // Each line in its own encoding: one in UTF-8, the next in Windows-1251.
        BytesCase{"mixed_encodings", "\xD0\xB0=1\n\xE0=2", Kind::PlainText, true, {u"а=1", u"а=2"}},
        BytesCase{"utf16_little_endian",
                  std::string("\xFF\xFE"
                              "2\0+\0"
                              "3\0\n\0"
                              "x\0",
                              12),
                  Kind::PlainText,
                  true,
                  {u"2+3", u"x"}},
        BytesCase{"utf16_big_endian",
                  std::string("\xFE\xFF\0"
                              "a\0\n\x04\x30",
                              8),
                  Kind::PlainText,
                  true,
                  {u"a", u"а"}},
        BytesCase{"binary_with_nuls",
                  std::string("\x7F"
                              "ELF\x02\x01\0\0\0\0",
                              10),
                  Kind::Unreadable,
                  false,
                  {}},
        BytesCase{"control_characters", "2+3\x01\x02", Kind::Unreadable, false, {}}),
    [](const auto& test) { return std::string(test.param.name); });

// Random bytes never crash the reader, and what it makes of them saves and reads back the
// same.
TEST(ReadDocumentBytes, RandomBytesReadSaveAndReadBackAlike) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        if (round % 2 == 0) bytes.insert(0, "{\\rtf1 ");
        DocumentRead read = readDocumentBytes(bytes, kTextFormat);
        if (read.kind == Kind::Unreadable) continue;
        DocumentRead again = readDocumentBytes(writeRtf(read.document), kTextFormat);
        EXPECT_TRUE(again.complete);
        EXPECT_EQ(plainLines(again.document), plainLines(read.document)) << "round " << round;
    }
}

struct KeptOriginalCase {
    const char* name;
    std::string original;
    bool kept;
};

class DocumentFileTest : public ::testing::TestWithParam<KeptOriginalCase> {};

// A file the program could not read completely, or read as text, is kept before it is
// written over; a complete RTF file is simply replaced.
TEST_P(DocumentFileTest, KeepsWhatItCouldNotReadCompletely) {
    const KeptOriginalCase& c = GetParam();
    TempFolder folder;
    writeBytes(folder / "Calculations.rtf", c.original);
    DocumentFile file = DocumentFile::inFolder(folder.path());
    DocumentRead read = file.load(kTextFormat);
    EXPECT_EQ(file.backupPending(), c.kept);
    RichDocument saved = read.document;
    saved.paragraphs.emplace_back();
    appendText(saved.paragraphs.back(), u"1+1", kTextFormat);

    KeptFileWrite first = file.save(saved);
    ASSERT_TRUE(first.saved);
    EXPECT_EQ(std::filesystem::exists(folder / "Calculations.rtf.bak"), c.kept);
    if (c.kept) {
        EXPECT_EQ(readBytes(folder / "Calculations.rtf.bak"), c.original);
    }
    // Later saves replace the file without another copy.
    ASSERT_TRUE(file.save(saved).saved);
    EXPECT_FALSE(std::filesystem::exists(folder / "Calculations.rtf.bak1"));

    DocumentRead back = DocumentFile::inFolder(folder.path()).load(kTextFormat);
    EXPECT_EQ(back.kind, Kind::Rtf);
    EXPECT_TRUE(back.complete);
    EXPECT_EQ(back.document, saved);
}

INSTANTIATE_TEST_SUITE_P(
    Originals, DocumentFileTest,
    ::testing::Values(KeptOriginalCase{"complete_rtf", "{\\rtf1 2+3}", false},
                      KeptOriginalCase{"truncated_rtf", "{\\rtf1 2+3\\par 4*", true},
                      KeptOriginalCase{"plain_text", "2+3\n", true},
                      KeptOriginalCase{"binary", std::string("\0\1\2\3", 4), true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DocumentFile, AnExistingBackupIsNotOverwritten) {
    TempFolder folder;
    writeBytes(folder / "Calculations.rtf", "{\\rtf1 new");
    writeBytes(folder / "Calculations.rtf.bak", "older");
    DocumentFile file = DocumentFile::inFolder(folder.path());
    (void)file.load(kTextFormat);
    KeptFileWrite write = file.save(RichDocument{});
    ASSERT_TRUE(write.saved);
    EXPECT_EQ(write.backup.filename(), "Calculations.rtf.bak1");
    EXPECT_EQ(readBytes(folder / "Calculations.rtf.bak"), "older");
    EXPECT_EQ(readBytes(folder / "Calculations.rtf.bak1"), "{\\rtf1 new");
}

TEST(DocumentFile, AFailedSaveNamesThePathAndLeavesNothingBehind) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "Calculations.rtf");
    DocumentFile file = DocumentFile::inFolder(folder.path());
    KeptFileWrite write = file.save(RichDocument{});
    EXPECT_FALSE(write.saved);
    EXPECT_EQ(write.error.find(u"на месте файла находится папка"), 0u);
    EXPECT_NE(write.error.find(u"Calculations.rtf"), std::u16string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// The reasons a user meets are said in Russian; others keep the system's words and number.
TEST(DescribeFileError, SaysTheReasonInTheProgramsLanguage) {
    const struct {
        std::errc error;
        std::u16string_view text;
    } cases[] = {
        {std::errc::no_space_on_device, u"на диске нет места"},
        {std::errc::permission_denied, u"нет прав доступа"},
        {std::errc::read_only_file_system, u"диск доступен только для чтения"},
        {std::errc::is_a_directory, u"на месте файла находится папка"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describeFileError(std::make_error_code(c.error)), c.text);
    std::u16string rare = describeFileError(std::make_error_code(std::errc::broken_pipe));
    EXPECT_EQ(rare.find(u"системная ошибка " + fromUtf8(std::to_string(EPIPE))), 0u);
}

TEST(AutosaveSchedule, SteadyChangesAreSavedWithinTheDelayOfTheFirst) {
    using namespace std::chrono_literals;
    AutosaveSchedule schedule(2000ms);
    const AutosaveSchedule::Clock::time_point start{};
    // A keystroke every 100 ms for ten seconds does not push the save back.
    for (int keystroke = 0; keystroke < 100; ++keystroke) {
        EXPECT_EQ(schedule.changed(start + keystroke * 100ms), start + 2000ms);
    }
    schedule.saved();
    EXPECT_FALSE(schedule.deadline());
    EXPECT_EQ(schedule.changed(start + 10s), start + 12s);
}

}  // namespace
}  // namespace tally

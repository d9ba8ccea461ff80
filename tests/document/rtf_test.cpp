// RTF reading and writing: text, escapes and code pages, formats and groups, skipped
// destinations, damaged and hostile files, and documents surviving a save and a load.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "document/rich_document.h"
#include "document/rtf_reader.h"
#include "document/rtf_writer.h"
#include "lang/code_page.h"

namespace tally {
namespace {

using Lines = std::vector<std::string>;

Lines utf8Lines(const RichDocument& document) {
    Lines lines;
    for (const std::u16string& line : plainLines(document))
        lines.push_back(toUtf8(line));
    return lines;
}

// One line per paragraph, each run as "[font size #rrggbb b i]text".
std::string describe(const RichDocument& document) {
    std::string text;
    for (const RichParagraph& paragraph : document.paragraphs) {
        for (const TextRun& run : paragraph.runs) {
            const CharFormat& f = run.format;
            char colour[8];
            std::snprintf(colour, sizeof colour, "#%02x%02x%02x", f.colour.red, f.colour.green,
                          f.colour.blue);
            char size[32];
            std::snprintf(size, sizeof size, "%g", f.pointSize);
            text += '[';
            text += toUtf8(f.fontName);
            text += ' ';
            text += size;
            text += ' ';
            text += colour;
            if (f.bold) text += " b";
            if (f.italic) text += " i";
            text += ']';
            text += toUtf8(run.text);
        }
        text += "\n";
    }
    return text;
}

struct TextCase {
    std::string rtf;
    Lines lines;
};

void expectLines(const std::vector<TextCase>& cases) {
    for (const auto& [rtf, lines] : cases) {
        SCOPED_TRACE(rtf.size() < 200 ? rtf : rtf.substr(0, 200) + "...");
        RtfReadResult result = readRtf(rtf);
        ASSERT_TRUE(result.ok()) << toUtf8(result.error());
        EXPECT_EQ(utf8Lines(result.document()), lines);
    }
}

TEST(RtfReader, ParagraphsControlWordsAndSymbols) {
    expectLines({
        {R"({\rtf1 Hello})", {"Hello"}},
        {R"({\rtf1 a\par b\par})", {"a", "b"}},
        {R"({\rtf1 a\par b})", {"a", "b"}},
        {R"({\rtf1 a\par\par b\par})", {"a", "", "b"}},
        {R"({\rtf1 \par})", {""}},
        {R"({\rtf1 })", {}},
        {"{\\rtf1 a\\\nb}", {"a", "b"}},
        {"{\\rtf1 x\r\ny\n}", {"xy"}},
        {R"({\rtf1 a\par  b})", {"a", " b"}},
        {R"({\rtf1 \\\{\}})", {"\\{}"}},
        {R"({\rtf1 a\~b\-c\_d})", {"a\u00A0b\u00ADc\u2011d"}},
        {R"({\rtf1 a\tab b\line c})", {"a\tb\u2028c"}},
        {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})", {"—–•‘’“”"}},
        {R"({\rtf1 a\unknown12 b\unknown-3c\pard\lang1049 d})", {"abcd"}},
        {R"({\rtf1 a\cell b\cell\row c})", {"a\tb\t", "c"}},
    });
}

TEST(RtfReader, CodePages) {
    expectLines({
        {R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", {"Привет"}},
        {R"({\rtf1\ansi \'cf\'f0\'e8\'e2\'e5\'f2})", {"Привет"}},
        {R"({\rtf1 \'B0\'b7\'b9\'80})", {"°·№Ђ"}},
        {"{\\rtf1 \xe0\xe1}", {"аб"}},
        {R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80})", {"café €"}},
        // A font marked Cyrillic is read in 1251 whatever the document's code page.
        {R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial;}}\f0\'e9\f1\'e9})",
         {"éй"}},
    });
}

TEST(RtfReader, UnicodeAndFallbackSkipping) {
    expectLines({
        {R"({\rtf1 \u1055?\u1088?})", {"Пр"}},
        {R"({\rtf1 \u1055 ?x})", {"Пx"}},
        {R"({\rtf1\uc2 \u1055\'cf\'cfx})", {"Пx"}},
        {R"({\rtf1\uc0 \u1055 x})", {"Пx"}},
        {R"({\rtf1 \u-10179?\u-8704?})", {"😀"}},
        {R"({\rtf1 \u128512?})", {"😀"}},
        {R"({\rtf1 \u-3?})", {"\uFFFD"}},
        {R"({\rtf1\uc3 \u1055{x}y})", {"Пxy"}},
        {R"({\rtf1 \u1055\par x})", {"Пx"}},
        {R"({\rtf1\uc1 {\uc3 \u1055abc}\u1055?d})", {"ППd"}},
        {R"({\rtf1\uc1 \u1055\bin3 }{}x})", {"Пx"}},
    });
}

TEST(RtfReader, FormatsAndGroups) {
    const std::string header =
        R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial;})"
        R"({\f1\fmodern\fcharset204 Courier New;}})"
        R"({\colortbl ;\red255\green0\blue0;\red0\green128\blue0;}\viewkind4\uc1\pard )";
    const std::pair<std::string, std::string> cases[] = {
        {header + R"(a})", "[Arial 12 #000000]a\n"},
        {header + R"(\f1\fs20 a})", "[Courier New 10 #000000]a\n"},
        {header + R"(\fs21 a\fs0 b\fs-4 c})", "[Arial 10.5 #000000]a[Arial 12 #000000]bc\n"},
        {header + R"(\fs99999999999999999999 a})", "[Arial 16383.5 #000000]a\n"},
        {header + R"(\cf1 a\cf2 b\cf0 c\cf9 d})",
         "[Arial 12 #ff0000]a[Arial 12 #008000]b[Arial 12 #000000]cd\n"},
        {header + R"(\b a\b0 b\i c\i0\b1 d\b0 e})",
         "[Arial 12 #000000 b]a[Arial 12 #000000]b[Arial 12 #000000 i]c"
         "[Arial 12 #000000 b]d[Arial 12 #000000]e\n"},
        {header + R"(\b a{\i\cf1\f1\fs30 b{\plain c}d}e})",
         "[Arial 12 #000000 b]a[Courier New 15 #ff0000 b i]b[Arial 12 #000000]c"
         "[Courier New 15 #ff0000 b i]d[Arial 12 #000000 b]e\n"},
        {header + R"({\b a}{\b b}c\par d})",
         "[Arial 12 #000000 b]ab[Arial 12 #000000]c\n[Arial 12 #000000]d\n"},
        {header + R"(\b a\par b})", "[Arial 12 #000000 b]a\n[Arial 12 #000000 b]b\n"},
        {header + R"(\f7 a})", "[Arial 12 #000000]a\n"},
        {R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Tahoma;}}a})", "[Tahoma 12 #000000]a\n"},
        {R"({\rtf1{\fonttbl\f0\fnil Times;\f1\fnil Tahoma;}\f1 a})", "[Tahoma 12 #000000]a\n"},
        {R"({\rtf1{\fonttbl{\f0\fcharset204{\*\fname Arial;}\'d8\'f0\'e8\'f4\'f2;}}a})",
         "[Шрифт 12 #000000]a\n"},
        {R"({\rtf1 a})", "[ 12 #000000]a\n"},
    };
    for (const auto& [rtf, expected] : cases) {
        SCOPED_TRACE(rtf);
        RtfReadResult result = readRtf(rtf);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(describe(result.document()), expected);
    }
}

TEST(RtfReader, SkippedDestinations) {
    expectLines({
        {R"({\rtf1{\info{\title Secret}{\author X}}a})", {"a"}},
        {R"({\rtf1{\*\generator Msftedit 5.41.15.1507;}a})", {"a"}},
        {R"({\rtf1{\stylesheet{\s0 Normal;}}a})", {"a"}},
        {R"({\rtf1{\pict\wmetafile8 0102ff}a})", {"a"}},
        {R"({\rtf1{\*\unknown {nested \} text}}a})", {"a"}},
        {R"({\rtf1{\info \{ \\}a})", {"a"}},
        {R"({\rtf1{\pict\bin5 }{}{}}a})", {"a"}},
        {R"({\rtf1 a\bin3 }}}b})", {"ab"}},
        {R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", {"link"}},
        {R"({\rtf1{\pntext\f0 1.\tab}{\*\pn\pnlvlbody{\pntxta .}}a})", {"a"}},
        {R"({\rtf1 a{\*\bkmkstart b}c})", {"ac"}},
        {"{\\rtf1{\\*\\deep " + std::string(100000, '{') + std::string(100000, '}') + "}a}", {"a"}},
    });
}

TEST(RtfReader, DamagedAndHostileInput) {
    const std::string nested(kMaxRtfGroupDepth - 1, '{');
    const std::string closed(kMaxRtfGroupDepth - 1, '}');
    expectLines({
        {"  \r\n{\\rtf1 a}", {"a"}},
        {R"({\rtf1 a\par b)", {"a", "b"}},
        {R"({\rtf1 a}}}}b)", {"a"}},
        {R"({\rtf1 {{{a)", {"a"}},
        {R"({\rtf1 a\')", {"a"}},
        {R"({\rtf1 a\'4)", {"a4"}},
        {R"({\rtf1 a\'zzb})", {"azzb"}},
        {R"({\rtf1 a\)", {"a"}},
        {R"({\rtf1 a\bin999999999 xyz)", {"a"}},
        {R"({\rtf1 a\bin-5 b})", {"ab"}},
        {R"({\rtf1 \u99999999999999?a\u-99999999999?b})", {"\uFFFDa\uFFFDb"}},
        {R"({\rtf1\uc99999999999 \u1055 abc})", {"П"}},
        {std::string("{\\rtf1 a\0b}", 11), {"ab"}},
        {"{\\rtf1 \\" + std::string(100000, 'x') + " a}", {"a"}},
        {"{\\rtf1 \\f" + std::string(100000, '9') + " a}", {"a"}},
        {"{\\rtf1 " + nested + "a" + closed + "}", {"a"}},
        {"{\\rtf1 a}" + std::string(100000, '}'), {"a"}},
    });

    const std::pair<std::string, std::u16string_view> failures[] = {
        {"", rtf_message::kNotRtf},
        {"hello", rtf_message::kNotRtf},
        {"{\\rt", rtf_message::kNotRtf},
        {"{\\rtf1 " + nested + "{a", rtf_message::kNestedTooDeep},
        {"{\\rtf1 " + std::string(100000, '{') + "a", rtf_message::kNestedTooDeep},
    };
    for (const auto& [rtf, message] : failures) {
        SCOPED_TRACE(rtf.substr(0, 40));
        RtfReadResult result = readRtf(rtf);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(toUtf8(result.error()), toUtf8(message));
        EXPECT_TRUE(result.document().paragraphs.empty());
    }
}

// A file as the older Windows version of the program saved it.
TEST(RtfReader, FileOfTheWindowsVersion) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204"
        "{\\*\\fname Arial;}Arial CYR;}{\\f1\\fmodern\\fprq1\\fcharset204{\\*\\fname Courier "
        "New;}Courier New CYR;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Msftedit 5.41.15.1507;}\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs20 "
        "x=2\\par\r\n"
        "\\cf1\\b\\'d0\\'e5\\'e7\\'f3\\'eb\\'fc\\'f2\\'e0\\'f2\\cf0\\b0 : x*3=6\\par\r\n"
        "\\i\\f1 // \\'ea\\'ee\\'ec\\'ec\\'e5\\'ed\\'f2\\'e0\\'f0\\'e8\\'e9\\i0\\par\r\n"
        "}\r\n";
    RtfReadResult result = readRtf(rtf);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(describe(result.document()),
              "[Arial CYR 10 #000000]x=2\n"
              "[Arial CYR 10 #0000ff b]Результат[Arial CYR 10 #000000]: x*3=6\n"
              "[Courier New CYR 10 #000000 i]// комментарий\n");
}

struct Piece {
    std::u16string text;
    CharFormat format;
};

CharFormat formatOf(std::u16string font, double pointSize, Rgb colour = {}, bool bold = false,
                    bool italic = false) {
    return CharFormat{std::move(font), pointSize, colour, bold, italic};
}

RichDocument documentOf(const std::vector<std::vector<Piece>>& paragraphs) {
    RichDocument document;
    for (const auto& runs : paragraphs) {
        RichParagraph& paragraph = document.paragraphs.emplace_back();
        for (const Piece& piece : runs)
            appendText(paragraph, piece.text, piece.format);
    }
    return document;
}

TEST(RtfWriter, DocumentsSurviveWriteAndRead) {
    const CharFormat plain = formatOf(u"Courier New", 10);
    const CharFormat bold = formatOf(u"Courier New", 10, {0, 0, 255}, true);
    const CharFormat italic = formatOf(u"Arial", 10.5, {255, 0, 0}, false, true);
    const CharFormat odd = formatOf(u"Шрифт;{}\\ ", 0.5, {1, 2, 3}, true, true);
    const CharFormat unnamed = formatOf(u"", 1638, {255, 255, 255});
    const std::u16string loneSurrogate(1, char16_t{0xD800});
    const std::vector<std::vector<std::vector<Piece>>> documents = {
        {},
        {{}},
        {{{u"a", plain}}, {}},
        {{{u"Расчёт: x=5°, a·b №1 «€»", plain}}},
        {{{u"\t\u2028\\{};?", plain}}, {{u" leading space", plain}}},
        {{{std::u16string(u"\0\x01\x7F\x98\xA0", 5), plain}}},
        {{{u"😀 計算 " + loneSurrogate + u" \uFFFF\uFFFD ?", plain}}},
        {{{u"x=", plain}, {u"2", bold}, {u" 3", italic}, {u"?", odd}, {u"end", unnamed}},
         {{u"1", italic}, {u"2", plain}},
         {},
         {{u" ", bold}}},
    };
    for (const auto& paragraphs : documents) {
        RichDocument document = documentOf(paragraphs);
        std::string rtf = writeRtf(document);
        SCOPED_TRACE(rtf);
        for (char byte : rtf)
            ASSERT_LT(static_cast<unsigned char>(byte), 0x80);
        RtfReadResult result = readRtf(rtf);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(describe(result.document()), describe(document));
        EXPECT_TRUE(result.document() == document);
    }
}

// What older readers see: Cyrillic and the code page's symbols as \'hh, the rest as \uN.
TEST(RtfWriter, EncodesForCodePage1251) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"Привет", R"(\'cf\'f0\'e8\'e2\'e5\'f2)"},
        {u"°·", R"(\'b0\'b7)"},
        {u"😀", R"(\u-10179?\u-8704?)"},
        {u"中", R"(\u20013?)"},
        {u"a\tb", R"(a\tab b)"},
    };
    for (const auto& [text, fragment] : cases) {
        SCOPED_TRACE(fragment);
        std::string rtf = writeRtf(documentOf({{{text, formatOf(u"Arial", 10)}}}));
        EXPECT_EQ(
            rtf.rfind(R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Arial;}})", 0),
            0u);
        EXPECT_NE(rtf.find(fragment), std::string::npos);
    }
}

}  // namespace
}  // namespace tally

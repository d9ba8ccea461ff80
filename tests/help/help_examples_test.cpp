// Every example of the help calculates as the help shows it. An example is a block
// <pre class="calc">: the parts in <kbd> are typed line by line, the block as a whole is the
// document afterwards, and a <span class="message"> on a line is the message that line
// leaves in the decimal field. The block's data-angles="degrees" and data-units="off" set
// the options it runs with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_calculator.h"
#include "lang/code_page.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<fs::path> helpPages() {
    std::vector<fs::path> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(TALLY_HELP_DIR)) {
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::string decodeEntities(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::string(entity).size(), character);
        }
    }
    return text;
}

// The text between `open` and `close` at or after `from`; npos in `from` when there is none.
std::string between(const std::string& text, const std::string& open, const std::string& close,
                    std::size_t& from) {
    std::size_t start = text.find(open, from);
    std::size_t end = start == std::string::npos ? start : text.find(close, start + open.size());
    if (end == std::string::npos) {
        from = std::string::npos;
        return {};
    }
    from = end + close.size();
    return text.substr(start + open.size(), end - start - open.size());
}

std::string withoutTags(const std::string& text) {
    std::string plain;
    bool inTag = false;
    for (char c : text) {
        if (c == '<') inTag = true;
        if (!inTag) plain += c;
        if (c == '>') inTag = false;
    }
    return plain;
}

std::string trimmedRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.pop_back();
    return text;
}

struct ExampleLine {
    std::string typed;    // empty: a line the program wrote
    std::string message;  // expected in the decimal field
    std::string shown;    // the document line
};

struct Example {
    std::string page;
    bool degrees = false;
    bool units = true;
    std::vector<ExampleLine> lines;
};

std::vector<Example> examplesOf(const fs::path& page) {
    std::vector<Example> examples;
    const std::string html = readFile(page);
    for (std::size_t at = html.find("<pre class=\"calc\""); at != std::string::npos;
         at = html.find("<pre class=\"calc\"", at + 1)) {
        Example example;
        example.page = page.filename().string();
        std::size_t tagEnd = html.find('>', at);
        std::string tag = html.substr(at, tagEnd - at);
        example.degrees = tag.find("data-angles=\"degrees\"") != std::string::npos;
        example.units = tag.find("data-units=\"off\"") == std::string::npos;
        std::string body = html.substr(tagEnd + 1, html.find("</pre>", tagEnd) - tagEnd - 1);
        std::istringstream lines(body);
        for (std::string line; std::getline(lines, line);) {
            ExampleLine parsed;
            std::size_t from = 0;
            parsed.typed = decodeEntities(between(line, "<kbd>", "</kbd>", from));
            from = 0;
            parsed.message =
                decodeEntities(between(line, "<span class=\"message\">", "</span>", from));
            std::size_t message = line.find("<span class=\"message\">");
            parsed.shown = trimmedRight(decodeEntities(withoutTags(line.substr(0, message))));
            example.lines.push_back(parsed);
        }
        examples.push_back(std::move(example));
    }
    return examples;
}

TEST(HelpExamples, CalculateAsShown) {
    int count = 0;
    for (const fs::path& page : helpPages()) {
        for (const Example& example : examplesOf(page)) {
            BatchCalculator calculator({example.degrees, example.units});
            std::vector<std::string> expected;
            for (const ExampleLine& line : example.lines) {
                expected.push_back(line.shown);
                if (line.typed.empty()) continue;
                ++count;
                std::string message = toUtf8(calculator.calculate(fromUtf8(line.typed)));
                EXPECT_EQ(message, line.message) << example.page << ": " << line.typed;
            }
            std::vector<std::string> document;
            for (const std::u16string& line : calculator.document().lines())
                document.push_back(toUtf8(line));
            while (!document.empty() && document.back().empty())
                document.pop_back();
            EXPECT_EQ(document, expected)
                << example.page << ", example starting " << example.lines.front().shown;
        }
    }
    // The blocks were found at all.
    EXPECT_GT(count, 150);
}

// Every page the help links to is there, and the contents page lists every page.
TEST(HelpPages, LinksLeadToPages) {
    std::set<std::string> pages;
    for (const fs::path& page : helpPages())
        pages.insert(page.filename().string());
    std::set<std::string> listed;
    for (const fs::path& page : helpPages()) {
        const std::string html = readFile(page);
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        for (std::size_t from = 0; from != std::string::npos;) {
            std::string target = between(html, "href=\"", "\"", from);
            if (from == std::string::npos) break;
            if (target.find("://") != std::string::npos || target.ends_with(".css")) continue;
            target = target.substr(0, target.find('#'));
            if (target.empty()) continue;  // a place on the same page
            EXPECT_TRUE(pages.count(target)) << page.filename() << " links to " << target;
            if (page.filename() == "index.html") listed.insert(target);
        }
    }
    for (const std::string& page : pages) {
        if (page != "index.html") {
            EXPECT_TRUE(listed.count(page)) << page << " is not listed";
        }
    }
}

}  // namespace
}  // namespace tally

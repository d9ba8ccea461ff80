#include "session/subject_outline.h"

#include <algorithm>

#include "lang/blanks.h"
#include "session/text_file.h"

namespace tally {

namespace {

constexpr std::u16string_view kLevelMark = u"....";

int levelOf(std::u16string_view line) {
    int level = 0;
    while (line.substr(static_cast<std::size_t>(level) * kLevelMark.size(), kLevelMark.size()) ==
           kLevelMark) {
        ++level;
    }
    return level;
}

}  // namespace

std::u16string skippedLevelMessage(std::u16string_view line) {
    return u"После: " + std::u16string(line) + u" пропущен уровень";
}

SubjectRead SubjectTree::read(const std::filesystem::path& file, Mode mode,
                              const MenuTextMetrics& metrics) {
    if (mode == Mode::New) clear();
    SubjectRead result;
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        result.status = SubjectRead::Status::Unreadable;
        result.error = u"это папка, а не файл";
        return result;
    }
    TextFileLines text = readTextLines(file);
    if (text.status == TextFileLines::Status::Missing) return result;
    if (text.status == TextFileLines::Status::Failed) {
        result.status = SubjectRead::Status::Unreadable;
        result.error = text.error;
        return result;
    }
    return readLines(text.lines, mode, metrics);
}

SubjectRead SubjectTree::readLines(const std::vector<std::u16string>& lines, Mode mode,
                                   const MenuTextMetrics& metrics) {
    if (mode == Mode::New) clear();
    SubjectRead result;
    result.status = SubjectRead::Status::Read;
    // The menus of the current path: open[k] is the menu of level k.
    std::vector<int> open;
    auto finishDeeperThan = [&](std::size_t level) {
        while (open.size() > level) {
            measureMenu(at(open.back()), metrics);
            open.pop_back();
        }
    };
    int previous = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string_view line = lines[i];
        int level = levelOf(line);
        std::u16string text = trimBlanks(line.substr(static_cast<std::size_t>(level) * 4));
        if (text.empty()) continue;
        if (level > previous + 1) {
            // What was read before the line stays usable.
            finishDeeperThan(0);
            result.status = SubjectRead::Status::SkippedLevel;
            result.line = static_cast<int>(i) + 1;
            result.text = std::u16string(line);
            return result;
        }
        if (level <= previous) finishDeeperThan(static_cast<std::size_t>(level) + 1);
        if (level == previous + 1) {
            if (open.empty() && mode == Mode::Add && !m_menus.empty()) {
                open.push_back(1);
            } else {
                int parent = open.empty() ? 0 : open.back();
                m_menus.push_back({parent, {}, {}, 0, 0});
                int number = menuCount();
                if (parent != 0) at(parent).child.back() = number;
                open.push_back(number);
            }
        }
        SubjectMenu& menu = at(open.back());
        menu.items.push_back(std::move(text));
        menu.child.push_back(0);
        previous = level;
    }
    finishDeeperThan(0);
    return result;
}

void SubjectTree::measure(const MenuTextMetrics& metrics) {
    for (SubjectMenu& menu : m_menus)
        measureMenu(menu, metrics);
}

void SubjectTree::measureMenu(SubjectMenu& menu, const MenuTextMetrics& metrics) const {
    menu.width = 0;
    for (const std::u16string& item : menu.items) {
        menu.width = std::max(menu.width, metrics.textWidth(u" " + item));
    }
    menu.itemHeight = metrics.textHeight();
}

std::u16string subjectInsertion(std::u16string_view item) {
    std::size_t open = item.find(u'<');
    if (open == std::u16string_view::npos) return {};
    std::size_t close = item.find(u'>', open + 1);
    if (close == std::u16string_view::npos) return {};
    return std::u16string(item.substr(open + 1, close - open - 1));
}

std::u16string subjectHeading(std::u16string_view item) {
    if (item.size() < 3 || item.front() != u'{' || item.back() != u'}') return {};
    return std::u16string(item.substr(1, item.size() - 2));
}

}  // namespace tally

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// The keypad's function list (FuncList): function names in the order the user arranged
// them, kept by the user definitions file. Names are compared without regard to case.
class KeypadFunctionList {
  public:
    static constexpr int kLargestColumnCount = 8;

    // The list works on `names`, which outlives it.
    explicit KeypadFunctionList(std::vector<std::u16string>& names) : m_names(&names) {}
    void setNames(std::vector<std::u16string>& names) { m_names = &names; }
    const std::vector<std::u16string>& names() const { return *m_names; }

    bool contains(std::u16string_view name) const;
    // A function chosen in the menus that set the list, by its caption (a help signature
    // such as "LogN (x, N)" or a user function's "f(a,b)=a-b"): a listed function leaves
    // the list, another joins it at the end.
    void toggle(std::u16string_view caption);
    // Adds `name` at the end unless it is listed; false when it was.
    bool add(std::u16string_view name);
    // "<<" and ">>": the list turns by one entry.
    void lastToFront();
    void firstToEnd();
    // The columns shown for a chosen number: never more than there are entries, at least one.
    int shownColumns(int chosen) const;

  private:
    std::vector<std::u16string>* m_names;
};

// The name of the function a caption stands for: the text before "(", without blanks around.
std::u16string functionNameOfCaption(std::u16string_view caption);

}  // namespace tally

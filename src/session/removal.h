#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/user_definitions_file.h"

namespace tally {

// The three lists the removal dialog (frmRemove) clears entries from; the numbers are the
// menu commands' mode numbers.
enum class RemovalMode {
    UserFunctions = 1,
    Variables = 2,
    AddedCalculations = 3,
};

struct RemovalCaptions {
    std::u16string_view title;
    std::u16string_view frame;
    std::u16string_view action;
};
RemovalCaptions removalCaptions(RemovalMode mode);

inline constexpr std::u16string_view kRemovalCloseCaption = u"Закрыть";

// What the removal dialog shows and does, without a window: the rows are the entries of
// the user-function list, the variables box or the added-calculations list, as the window
// shows them, and removing takes them out of the engine and every list at once.
class Removal {
  public:
    Removal(RemovalMode mode, DefinitionsSession session) : m_mode(mode), m_session(session) {}

    RemovalMode mode() const { return m_mode; }
    RemovalCaptions captions() const { return removalCaptions(m_mode); }
    std::vector<std::u16string> rows() const;

    // Removes the rows given (in any order; repeated or missing rows are ignored):
    //   user functions: from the engine, which then no longer knows the name as a
    //     function, from the user-function list and from the keypad's function list;
    //   variables: their values go back to 0 and they leave the variables box;
    //   added calculations: from the list and from the decimal field's box.
    // Returns how many entries were removed.
    int remove(std::vector<int> rows);

  private:
    void removeUserFunction(std::size_t row);
    void removeVariable(std::size_t row);
    void removeAddedCalculation(std::size_t row);

    RemovalMode m_mode;
    DefinitionsSession m_session;
};

}  // namespace tally

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/user_definitions_file.h"

namespace tally {

struct CalculationOptions;
struct ResultDimension;

// The four lists the definitions editor (frmUser) works on; the numbers are the menu
// commands' mode numbers.
enum class DefinitionsMode {
    Constants = 1,
    Units = 2,
    Expressions = 3,
    ResultDimensions = 4,
};

// The captions of the editor in one mode. `label3` is empty in the result-dimensions mode,
// which hides the comment box and shows the in-use box and the translate button instead.
struct DefinitionsEditorCaptions {
    std::u16string_view frame;
    std::u16string_view label1;
    std::u16string_view label2;
    std::u16string_view label3;
};
DefinitionsEditorCaptions definitionsEditorCaptions(DefinitionsMode mode);

inline constexpr std::u16string_view kDefinitionsEditorTitle = u"Правка";
inline constexpr std::u16string_view kTranslateError = u"Синтаксическая ошибка";

// A value typed with the regional separators becomes a value of the language: where the
// decimal separator is not "." and separators are converted on copy and paste, "," becomes
// "." and then ";" becomes ",". Otherwise the text stays as typed.
std::u16string normaliseSeparators(std::u16string_view text, const CalculationOptions& options);

// The contents of the editor's boxes: three texts, and the in-use box of the
// result-dimensions mode.
struct DefinitionFields {
    std::u16string text1;
    std::u16string text2;
    std::u16string text3;
    bool inUse = true;
    friend bool operator==(const DefinitionFields&, const DefinitionFields&) = default;
};

// What the definitions editor shows and does, without a window. Rows are built from the
// tables the definitions file keeps (the user's constants, units and expressions, the
// compound-unit table), so the list always shows what is stored; every change goes to the
// table, the insertion menus and, for units, the engine at once.
//
// Rows of the result-dimensions mode are the compound-unit table's rows: the built-in rows,
// an empty separator row, the user's rows. A built-in row's name and expansion are fixed:
// only its in-use marker can be replaced, and it cannot be deleted.
class DefinitionsEditor {
  public:
    DefinitionsEditor(DefinitionsMode mode, DefinitionsSession session);

    DefinitionsMode mode() const { return m_mode; }
    DefinitionsEditorCaptions captions() const { return definitionsEditorCaptions(m_mode); }

    std::vector<std::u16string> rows() const;
    int rowCount() const;

    // Whether a row stands for a record (not the separator row).
    bool isRecord(int row) const;
    // Whether the texts of the row can be changed (not a built-in compound unit).
    bool textsEditable(int row) const;
    bool canDelete(int row) const { return textsEditable(row); }
    // What selecting the row puts into the boxes; empty fields for the separator row.
    DefinitionFields fields(int row) const;

    // Each returns the row that holds the record afterwards, or nothing when the change was
    // refused (no name given, no such row, a row whose texts are fixed).
    std::optional<int> add(const DefinitionFields& fields);
    std::optional<int> replace(int row, const DefinitionFields& fields);
    bool remove(int row);

    // The expansion in base units of one of the designation ("кг·м^2/с^2" for "Дж"), or
    // nothing when it does not evaluate; the caller shows kTranslateError then.
    std::optional<std::u16string> translate(std::u16string_view designation);

  private:
    std::vector<UserRecord>* records() const;
    std::vector<std::u16string>* menuItems() const;
    std::size_t builtInMenuItems() const;
    std::vector<ResultDimension>& compoundRows() const;
    int compoundUserStart() const;

    UserRecord recordOf(const DefinitionFields& fields) const;
    std::u16string normalised(std::u16string_view text) const;
    // Registers a user unit's line; false when the user kept an existing unit instead.
    bool registerUnit(const UserRecord& record);
    void replaceUnitMenuItem(const UserRecord* old, const UserRecord* now, bool accepted);

    DefinitionsMode m_mode;
    DefinitionsSession m_session;
};

}  // namespace tally

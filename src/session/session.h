#pragma once

#include <memory>
#include <optional>
#include <string>

#include "document/calculation_driver.h"
#include "document/editor.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "session/user_definitions.h"
#include "session/user_definitions_file.h"
#include "units/catalogue.h"

namespace tally {

// The calculating core, set up the same way for the window and the batch calculator: the
// engine with the built-in catalogue registered into it, the calculation driver over the
// caller's editor, the user's definitions, and the messages that registration shows.
class Session {
  public:
    struct Options {
        bool builtInUnits = true;  // register the built-in catalogue of units
    };

    Session(Editor& editor, MessageWindow& messageWindow, Options options);
    Session(Editor& editor, MessageWindow& messageWindow) : Session(editor, messageWindow, {}) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Engine& engine() { return m_engine; }
    const Engine& engine() const { return m_engine; }
    CalculationDriver& driver() { return m_driver; }
    Messages& messages() { return m_messages; }
    // The built-in catalogue and the insertion menus it builds (the user's constants,
    // expressions and units are added to them).
    const Catalogue& catalogue() const { return m_catalogue; }
    CatalogueMenus& menus() { return m_catalogue.menus(); }
    UserDefinitions& definitions() { return m_definitions; }

    // Reads a user definitions file into the engine, the driver's lists and the menus; the
    // loader reports what it could not read through the message window.
    DefinitionsLoad loadDefinitions(UserDefinitionsFile& file);
    DefinitionsSave saveDefinitions(UserDefinitionsFile& file);
    // What the definitions file and the definitions editor work on.
    DefinitionsSession definitionsSession();

  private:
    Engine m_engine;
    CalculationDriver m_driver;
    Messages m_messages;
    Catalogue m_catalogue;
    UserDefinitions m_definitions;
};

}  // namespace tally

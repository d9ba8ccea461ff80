#include "session/session.h"

namespace tally {

namespace {

Catalogue registeredCatalogue(bool builtInUnits, Engine& engine, Messages& messages,
                              CompoundUnitTable& compoundUnits) {
    if (!builtInUnits) return Catalogue(CatalogueData{}, engine, messages, compoundUnits);
    Catalogue catalogue(engine, messages, compoundUnits);
    // The catalogue is compiled in; a fault in it is a defect of the build, but the program
    // still runs without units and says why.
    if (!catalogue.dataError().empty()) {
        messages.notify(u"Tally Каталог единиц",
                        u"Встроенный каталог единиц не прочитан: " + catalogue.dataError());
    }
    return catalogue;
}

}  // namespace

Session::Session(Editor& editor, MessageWindow& messageWindow, Options options)
    : m_driver(m_engine, editor),
      m_messages(messageWindow),
      m_catalogue(registeredCatalogue(options.builtInUnits, m_engine, m_messages,
                                      m_driver.compoundUnits())) {}

DefinitionsSession Session::definitionsSession() {
    return {m_engine, m_messages, m_driver, m_catalogue.menus(), m_definitions};
}

DefinitionsLoad Session::loadDefinitions(UserDefinitionsFile& file) {
    DefinitionsSession session = definitionsSession();
    return file.load(session);
}

DefinitionsSave Session::saveDefinitions(UserDefinitionsFile& file) {
    DefinitionsSession session = definitionsSession();
    return file.save(session);
}

}  // namespace tally

#include <QMenu>
#include <QMenuBar>

#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "engine/engine.h"
#include "session/menu_insertion.h"
#include "units/catalogue.h"

namespace tally {

namespace {

QString menuCaption(const MenuCaptions& captions) {
    return toQString(captions.russian.empty() ? captions.english : captions.russian);
}

}  // namespace

// The insertion menus come from the catalogue: function groups, constants, every unit
// category with its Name and Comb items, the user's units, expressions.
void MainWindow::buildMenus(const Catalogue& catalogue) {
    // The Options menu stays (its items hold the user's choices); the others are built anew.
    if (!m_mnuResClip) buildOptionsMenu();
    for (QMenu* menu : m_catalogueMenus) {
        menuBar()->removeAction(menu->menuAction());
        menu->deleteLater();
    }
    m_catalogueMenus.clear();
    m_mnuFuncUser = nullptr;
    const CatalogueMenus& menus = catalogue.menus();
    auto topMenu = [this](const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        m_catalogueMenus.push_back(menu);
        return menu;
    };
    auto addItem = [this](QMenu* menu, const std::u16string& caption,
                          std::function<std::u16string(std::u16string_view)> insertion) {
        if (caption == MenuArray::kSeparator) {
            menu->addSeparator();
            return;
        }
        QAction* action = menu->addAction(toQString(caption));
        connect(action, &QAction::triggered, this,
                [this, caption, insertion] { insertAtInput(toQString(insertion(caption))); });
    };

    QMenu* functions = topMenu(QStringLiteral("Функции"));
    functions->setObjectName(QStringLiteral("mnuFunctions"));
    for (const FunctionGroup& group : menus.functionGroups) {
        QMenu* menu = functions->addMenu(menuCaption(group.captions));
        menu->setObjectName(toQString(group.captions.menu));
        for (const std::u16string& signature : group.signatures) {
            addItem(menu, signature,
                    [this](std::u16string_view c) { return functionInsertion(c, &m_engine); });
        }
    }
    m_mnuFuncUser = functions->addMenu(QStringLiteral("Объявленные пользователем"));
    m_mnuFuncUser->setObjectName(QStringLiteral("mnuFuncUser"));

    QMenu* constants = topMenu(menuCaption(menus.constants.captions));
    constants->setObjectName(QStringLiteral("mnuConstants"));
    for (const std::u16string& item : menus.constants.items)
        addItem(constants, item, constantInsertion);

    QMenu* units = topMenu(QStringLiteral("Размерности"));
    units->setObjectName(QStringLiteral("mnuConversions"));
    // The wrapping is read when the item is chosen: the units list may have changed it.
    auto unit = [this](std::u16string_view c) { return unitInsertion(c, m_unitWrapping); };
    for (const UnitCategory& category : menus.categories) {
        QMenu* menu = units->addMenu(menuCaption(category.captions));
        menu->setObjectName(toQString(category.captions.menu));
        for (const std::u16string& item : category.nameItems().items)
            addItem(menu, item, unit);
        if (category.oneArray()) continue;
        for (const std::u16string& item : category.comb.items)
            addItem(menu, item, unit);
    }
    QMenu* userUnits = units->addMenu(menuCaption(menus.userUnits.captions));
    userUnits->setObjectName(QStringLiteral("mnuUserDefinedConv"));
    for (const std::u16string& item : menus.userUnits.items.items)
        addItem(userUnits, item, unit);

    QMenu* expressions = topMenu(menuCaption(menus.expressions.captions));
    expressions->setObjectName(QStringLiteral("mnuFormulas"));
    for (const std::u16string& item : menus.expressions.items) {
        addItem(expressions, item, expressionInsertion);
    }

    QMenu* help = topMenu(QStringLiteral("Справка"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* contents = help->addAction(QStringLiteral("Содержание"));
    contents->setObjectName(QStringLiteral("mnuHelpHelp"));
    contents->setShortcut(QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, &MainWindow::helpRequested);
    m_mnuHelp = help;
    QAction* about = help->addAction(QStringLiteral("О программе"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);
    rebuildUserFunctionMenu();
}

}  // namespace tally

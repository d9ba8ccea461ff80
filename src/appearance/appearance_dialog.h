#pragma once

#include <QDialog>
#include <QPointer>

#include "appearance/colour_picker.h"
#include "appearance/text_classes.h"

class QLabel;
class QListWidget;
class QSpinBox;
class QStackedWidget;

namespace tally {

class Appearance;
class TextClassPanel;

// The appearance dialog (frmView): the thirteen text classes, one panel each, the skin
// chooser with the dressed, undressed and default looks, and the screen size. Changes apply
// at once; "Закрыть" also puts on a skin picture chosen while dressed.
class AppearanceDialog : public QDialog {
    Q_OBJECT
  public:
    AppearanceDialog(Appearance& appearance, QWidget* parent);

    // Shows the panel of the entry at `position` of the list.
    void showEntry(int position);
    TextClassPanel* currentPanel() const;
    TextClassPanel* panelOf(LookClass lookClass) const;
    // The picker while it is open.
    ColourPicker* colourPicker() const { return m_picker; }
    void openColourPicker(LookClass lookClass, bool fontColour);

    // The skin chooser.
    QString skinFolder() const { return m_skinFolder; }
    void showSkinFolder(const QString& folder);
    void chooseSkin(const QString& path);
    QString chosenSkin() const { return m_chosenSkin; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildSkinGroup();
    QWidget* buildScreenGroup();
    QString startingSkinFolder() const;
    void closeDialog();

    Appearance& m_appearance;
    QListWidget* m_entries = nullptr;
    QStackedWidget* m_panels = nullptr;
    QPointer<ColourPicker> m_picker;
    QString m_skinFolder;
    QString m_chosenSkin;
    QLabel* m_folderLabel = nullptr;
    QListWidget* m_skins = nullptr;
    QLabel* m_preview = nullptr;
    QSpinBox* m_screenNumber = nullptr;
};

}  // namespace tally

#pragma once

#include <QDialog>

#include "appearance/text_classes.h"

class QLabel;
class QPushButton;

namespace tally {

class Appearance;
class CubeView;

// The colour picker (frmChooseColor): the RGB cube for the font or the back colour of one
// text class. A left click on a cell gives the class its colour at once; a right click shows
// a finer cube around it, three times over; "Назад" goes back a level.
class ColourPicker : public QDialog {
    Q_OBJECT
  public:
    ColourPicker(Appearance& appearance, QWidget* parent);

    // The colour the picker edits; only the classes that have one get a back colour.
    void setTarget(LookClass lookClass, bool fontColour);
    LookClass targetClass() const { return m_targetClass; }
    bool targetIsFont() const { return m_targetIsFont; }

    CubeView& cubeView() { return *m_cube; }

    // What the mouse does on the cube, by cell.
    void chooseCell(int index);
    void zoomInto(int index);
    void zoomOut();

  private:
    void showChannels(int index);
    void showLevel();

    Appearance& m_appearance;
    LookClass m_targetClass = LookClass::EditorText;
    bool m_targetIsFont = true;
    CubeView* m_cube = nullptr;
    QLabel* m_red = nullptr;
    QLabel* m_green = nullptr;
    QLabel* m_blue = nullptr;
    QLabel* m_swatch = nullptr;
    QPushButton* m_revolve = nullptr;
    QPushButton* m_back = nullptr;
};

}  // namespace tally

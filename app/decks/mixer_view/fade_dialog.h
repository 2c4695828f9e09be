// The fade dialog: where the crossfader goes (percent) and how long it takes (seconds).
#pragma once

#include "app/decks/mixer_board/mixer_board.h"

#include <QDialog>

class QDoubleSpinBox;
class QSpinBox;

class CFadeDialog : public QDialog {
public:
    CFadeDialog(const zem::board::FadeDialogValues& preset, QWidget* parent = nullptr);
    zem::board::FadeDialogValues Values() const;

private:
    QSpinBox* m_percent;
    QDoubleSpinBox* m_seconds;
};

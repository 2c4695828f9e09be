// The "Fader sides" window's view: one column per crossfader side and the fade button. It only
// draws what FaderSidesModel reads and forwards the click.
#pragma once

#include "app/framework/zem_view.h"
#include "plugins/fader_sides/fader_sides_model.h"

class QLabel;
class QPushButton;

namespace fader_sides {

class FaderSidesView : public ZemView {
    Q_OBJECT
public:
    explicit FaderSidesView(QWidget* parent = nullptr);

    // Reads the host and redraws; the timer calls it four times a second.
    void Refresh();

private:
    struct Column {
        QLabel* channel;
        QLabel* file;
        QLabel* time;
        QLabel* state;
    };
    void addColumn(Column& column, const char* side, const QString& heading, int gridColumn);
    static void draw(const Column& column, const DeckSide& deck);

    FaderSidesModel m_model;
    Column m_left{};
    Column m_right{};
    QPushButton* m_fade = nullptr;
};

} // namespace fader_sides

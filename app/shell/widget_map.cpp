#include "app/shell/widget_map.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fstream>

namespace zem::shell {

namespace {

// As long as the screenshot waits, so both show the same moment.
constexpr int kSettleMs = 700;
// Then again this often, so a driver sees what its keys and clicks did.
constexpr int kRefreshMs = 200;

// What a control shows: a slider's value, a label's or button's text (and "checked"), a list's
// selected items, joined by "|". Line ends become " / ".
QString StateOf(const QWidget* w) {
    QString state;
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(w))
        state = QString::number(slider->value());
    else if (const auto* label = qobject_cast<const QLabel*>(w))
        state = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        state = button->text() + (button->isChecked() ? QStringLiteral(" checked") : QString());
    else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        state = edit->text();
    else if (const auto* combo = qobject_cast<const QComboBox*>(w))
        state = combo->currentText();
    else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
        QStringList selected;
        for (const QListWidgetItem* item : list->selectedItems())
            selected << item->text();
        state = selected.join('|');
    }
    state.replace('\n', QStringLiteral(" / "));
    state.replace('\t', ' ');
    return state;
}

// The child window holding the control, or the dialog it is in (a dialog is a window of its
// own, though the main window is its parent).
QString OwnerTitle(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* sub = qobject_cast<const QMdiSubWindow*>(w))
            return sub->windowTitle();
        if (w->isWindow() && w->parentWidget())
            return w->windowTitle();
    }
    return QStringLiteral("-");
}

} // namespace

bool WriteWidgetMap(QWidget& window, const std::string& path) {
    // Written beside and renamed, so a reader never sees half a map.
    const std::string part = path + ".part";
    std::ofstream out(part, std::ios::trunc);
    if (!out)
        return false;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisible())
            continue;
        const QPoint corner = w->mapToGlobal(QPoint(0, 0));
        out << OwnerTitle(w).toStdString() << '\t' << w->objectName().toStdString() << '\t'
            << corner.x() << ' ' << corner.y() << ' ' << w->width() << ' ' << w->height() << '\t'
            << StateOf(w).toStdString() << '\n';
    }
    out.close();
    return out && std::rename(part.c_str(), path.c_str()) == 0;
}

void WriteWidgetMapWhenSettled(QWidget& window, const std::string& path) {
    QPointer<QWidget> guard(&window);
    QTimer::singleShot(kSettleMs, &window, [guard, path] {
        if (!guard)
            return;
        if (!WriteWidgetMap(*guard, path)) {
            std::fprintf(stderr, "zem: cannot write the widget map %s\n", path.c_str());
            return;
        }
        auto* refresh = new QTimer(guard.data());
        QObject::connect(refresh, &QTimer::timeout, guard.data(), [guard, path] {
            if (guard)
                WriteWidgetMap(*guard, path);
        });
        refresh->start(kRefreshMs);
    });
}

} // namespace zem::shell

#include "app/shell/widget_map.h"

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

QString OwnerTitle(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (const auto* sub = qobject_cast<const QMdiSubWindow*>(w))
            return sub->windowTitle();
    return QStringLiteral("-");
}

} // namespace

bool WriteWidgetMap(QWidget& window, const std::string& path) {
    std::ofstream out(path, std::ios::trunc);
    if (!out)
        return false;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisible())
            continue;
        const QPoint corner = w->mapToGlobal(QPoint(0, 0));
        out << OwnerTitle(w).toStdString() << '\t' << w->objectName().toStdString() << '\t'
            << corner.x() << ' ' << corner.y() << ' ' << w->width() << ' ' << w->height() << '\n';
    }
    return static_cast<bool>(out.flush());
}

void WriteWidgetMapWhenSettled(QWidget& window, const std::string& path) {
    QPointer<QWidget> guard(&window);
    QTimer::singleShot(kSettleMs, &window, [guard, path] {
        if (guard && !WriteWidgetMap(*guard, path))
            std::fprintf(stderr, "zem: cannot write the widget map %s\n", path.c_str());
    });
}

} // namespace zem::shell

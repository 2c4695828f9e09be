#include "app/shell/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace zem::shell {

namespace {

// Longer than the deck windows' 250 ms readout timer, so the picture shows real readouts.
constexpr int kSettleMs = 700;

} // namespace

void TakeScreenshotWhenSettled(QWidget& window, const std::string& path, int& result) {
    QPointer<QWidget> guard(&window);
    QTimer::singleShot(kSettleMs, &window, [guard, path, &result] {
        if (!guard)
            return;
        const QPixmap picture = guard->grab();
        if (picture.isNull() || !picture.save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "zem: cannot write the screenshot %s\n", path.c_str());
            result = 1;
        }
        guard->close();
        QApplication::quit();
    });
}

} // namespace zem::shell

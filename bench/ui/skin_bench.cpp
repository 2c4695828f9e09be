// The skinned windows' drawing and the keyboard's reach, on the offscreen platform: a skinned
// deck window drawn whole, one readout update of its LCD text window, and a key press to its
// command running. "core_percent_4_decks" is what four skinned decks refreshing every 250 ms
// would cost one core at that speed.
#include "app/framework/command_router.h"
#include "app/framework/command_target.h"
#include "app/keys/accelerator_map.h"
#include "app/keys/command_table.h"
#include "app/keys/key_bindings.h"
#include "app/skins/active_skin.h"
#include "app/skins/mixer_device_view_skins.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

zem::skins::ActiveSkin& Skin() {
    static zem::skins::ActiveSkin skin;
    if (!skin.HasModule())
        skin.Load(ZEM_BENCH_SKIN_DIR);
    return skin;
}

double CorePercentFourDecks(double secondsPerDraw) {
    return secondsPerDraw * 4 /* decks */ * 4 /* per second */ * 100;
}

void BM_SkinnedDeckWholeDraw(benchmark::State& state) {
    CMixerDeviceViewSkins view(Skin().Skin(), Skin().Module());
    view.show();
    QImage image(view.size(), QImage::Format_RGB32);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    state.counters["core_percent_4_decks"] =
        CorePercentFourDecks(spent.count() / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SkinnedDeckWholeDraw)->Unit(benchmark::kMicrosecond);

void BM_SkinnedReadoutUpdate(benchmark::State& state) {
    CMixerDeviceViewSkins view(Skin().Skin(), Skin().Module());
    view.show();
    auto* readout = view.findChild<QLabel*>(QStringLiteral("readout"));
    QImage image(readout->size(), QImage::Format_RGB32);
    const QString texts[2] = {QStringLiteral("BPM: 128.00(+2.50%)\nTime: 3:05.23 (TE)"),
                              QStringLiteral("BPM: 128.00(+2.50%)\nTime: 3:05.48 (TE)")};
    int i = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        readout->setText(texts[i ^= 1]);
        readout->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    state.counters["core_percent_4_decks"] =
        CorePercentFourDecks(spent.count() / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SkinnedReadoutUpdate)->Unit(benchmark::kMicrosecond);

struct Counter : ZemCommandTarget {
    int id = 0;
    int count = 0;
    bool OnCommand(int command) override {
        id = command;
        ++count;
        return true;
    }
};

// A press and release of "1" ("Mixer Crossfader 100,0") through the main window's shortcuts to
// the command's handler.
void BM_KeyPressToCommand(benchmark::State& state) {
    QMainWindow main;
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.show();
    ZemCommandRouter router(area);
    Counter counter;
    router.AddFallbackTarget(&counter);
    zem::keys::CAcceleratorManager map;
    auto* bindings = new zem::keys::CKeyBindings(main, *area, router);
    map.SetTableBuilder(
        [bindings](const zem::keys::CAcceleratorManager& m) { bindings->Build(m); });
    zem::keys::RegisterCommandTable(map);
    map.CreateAcceleratorTable();
    main.activateWindow();
    QApplication::processEvents();
    for (auto _ : state)
        QTest::keyClick(&main, Qt::Key_1);
    if (counter.count != static_cast<int>(state.iterations()) || counter.id != 32775)
        state.SkipWithError("the key did not reach its command every time");
    router.RemoveFallbackTarget(&counter);
    map.SetTableBuilder({});
}
BENCHMARK(BM_KeyPressToCommand)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!Skin().HasModule()) {
        std::fprintf(stderr, "zem-skin-bench: no skin in %s\n", ZEM_BENCH_SKIN_DIR);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    Skin().Unload();
    return 0;
}

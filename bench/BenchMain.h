#pragma once
// The in-process benchmarks' common run: the program's windows offscreen, filled from the full
// sample; `prepare` readies what the figures need; the windows go once the runs are done.
#include "FormSample.h"
#include "Program.h"

#include "ui/Application.h"

#include <benchmark/benchmark.h>

#include <functional>

inline int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    createWindowsFilledFrom(QStringLiteral(SOVRANEL_BENCH_DIR "/samples/full.json"));
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}

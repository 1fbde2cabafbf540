// Saving and reopening the full sample's résumé as a report file, and the file's size beside the
// photo it carries.
#include "BenchMain.h"
#include "Unit1.h"
#include "Unit3.h"

#include "report/ReportFile.h"

#include <QTemporaryDir>

namespace {

report::PreparedPages g_pages;
QString g_path;

qint64 photoBytes(const report::PreparedPages& pages)
{
    qint64 n = 0;
    for (const report::Picture& p : pages.pictures)
        n += p.encoded.size();
    return n;
}

void BM_SaveReportFile(benchmark::State& state)
{
    for (auto _ : state)
        report::saveReportFile(g_pages, g_path);
    const qint64 file = report::encodeReportFile(g_pages).size();
    state.counters["file_bytes"] = double(file);
    state.counters["photo_bytes"] = double(photoBytes(g_pages));
    state.counters["beyond_photo_bytes"] = double(file - photoBytes(g_pages));
}
BENCHMARK(BM_SaveReportFile)->Unit(benchmark::kMillisecond);

void BM_LoadReportFile(benchmark::State& state)
{
    report::saveReportFile(g_pages, g_path);
    for (auto _ : state)
        benchmark::DoNotOptimize(report::loadReportFile(g_path).pageCount());
}
BENCHMARK(BM_LoadReportFile)->Unit(benchmark::kMillisecond);

// The layout's own cost, without the disk: what saving and reopening spend beyond the flush that
// makes the saved file durable.
void BM_EncodeReportFile(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(report::encodeReportFile(g_pages).size());
}
BENCHMARK(BM_EncodeReportFile)->Unit(benchmark::kMillisecond);

void BM_DecodeReportFile(benchmark::State& state)
{
    const QByteArray bytes = report::encodeReportFile(g_pages);
    for (auto _ : state)
        benchmark::DoNotOptimize(report::decodeReportFile(bytes, g_path).pageCount());
}
BENCHMARK(BM_DecodeReportFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    return runBenchmarks(argc, argv, [&] {
        FillOptions options;
        options.fontName = QStringLiteral("Brush Script MT");
        options.colour = Qt::red;
        Form1->prepareResume(options);
        g_pages = Curriculo->report().prepare();
        g_path = dir.filePath(QStringLiteral("Maria Silva.QRP"));
    });
}

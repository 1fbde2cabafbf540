// In-process figures of the résumé report: filling and preparing the full sample, and
// writing its PDF and HTML.
#include "BenchMain.h"
#include "Unit1.h"

#include "report/Output.h"
#include "report/Template.h"

#include <QBuffer>

namespace {

void fillAndPrepare(PageLayout layout = PageLayout::Classico)
{
    FillOptions options;
    options.layout = layout;
    Form1->prepareResume(options);
    benchmark::DoNotOptimize(Form1->filledReport().prepare());
}

void BM_FillAndPrepare(benchmark::State& state)
{
    for (auto _ : state)
        fillAndPrepare();
}
BENCHMARK(BM_FillAndPrepare)->Unit(benchmark::kMillisecond);

// The same in the modern layout.
void BM_FillAndPrepareModern(benchmark::State& state)
{
    for (auto _ : state)
        fillAndPrepare(PageLayout::Moderno);
    fillAndPrepare(); // the other figures are the classic form's
}
BENCHMARK(BM_FillAndPrepareModern)->Unit(benchmark::kMillisecond);

void BM_WritePdf(benchmark::State& state)
{
    const report::PreparedPages pages = Form1->filledReport().prepare();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report::writePdf(pages, buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond);

void BM_WriteHtml(benchmark::State& state)
{
    const report::PreparedPages pages = Form1->filledReport().prepare();
    for (auto _ : state)
        benchmark::DoNotOptimize(report::toHtml(pages).size());
}
BENCHMARK(BM_WriteHtml)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] {
        fillAndPrepare(PageLayout::Moderno); // fonts loaded once, as in a running program
        fillAndPrepare();
    });
}

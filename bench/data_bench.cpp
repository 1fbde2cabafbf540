// The form's data of the full sample: written (controls read, the file's content made, the
// file saved as the draft is) and read (the file read and checked whole, the photo decoded,
// and the form filled from it).
#include "BenchMain.h"
#include "FormBinding.h"
#include "Unit1.h"

#include <QTemporaryDir>

namespace {

QString g_path;

const FormBinding& binding() { return Form1->formData(); }

void BM_TakeAndEncode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(writeFormData(binding().data(), binding().schema()).size());
}
BENCHMARK(BM_TakeAndEncode)->Unit(benchmark::kMillisecond);

void BM_WriteDataFile(benchmark::State& state)
{
    for (auto _ : state)
        saveDataFile(g_path, writeFormData(binding().data(), binding().schema()));
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

void BM_ReadDataFile(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readFormDataFile(g_path, binding().schema()).values.size());
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);

void BM_ReadAndFillForm(benchmark::State& state)
{
    for (auto _ : state)
        Form1->formData().apply(readFormDataFile(g_path, binding().schema()));
}
BENCHMARK(BM_ReadAndFillForm)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    return runBenchmarks(argc, argv, [&] {
        g_path = dir.filePath(QStringLiteral("rascunho.json"));
        saveDataFile(g_path, writeFormData(binding().data(), binding().schema()));
    });
}
